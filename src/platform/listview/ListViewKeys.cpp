// The list's keys beyond Qt's own: the keys the features above it give a meaning to, selecting
// the first or last row, and copying the selected rows.

#include "platform/controls/KeyEvents.h"
#include "platform/listview/ListViewPrivate.h"
#include "platform/listview/RowsClipboard.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace tessaro {
namespace {

// +1 for Page Down on the last row, -1 for Page Up on the first, else 0.
int pageEdgeStep(const QKeyEvent& event, const QModelIndex& current, int rows)
{
    if (!current.isValid() || (event.modifiers() & kShiftCtrlAlt))
        return 0;
    if (event.key() == Qt::Key_PageDown && current.row() == rows - 1)
        return 1;
    if (event.key() == Qt::Key_PageUp && current.row() == 0)
        return -1;
    return 0;
}

// Ctrl+Home or Ctrl+End, without Shift (which extends the selection instead).
bool isRowEndKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (event.key() == Qt::Key_Home || event.key() == Qt::Key_End) && (modifiers & Qt::ControlModifier)
        && !(modifiers & (Qt::ShiftModifier | Qt::AltModifier));
}

} // namespace

void listview::ListKeys::onPageEdge(ListView& list, QObject* context, PageEdge handler)
{
    list.d->pageEdge = {context, std::move(handler)};
}

void listview::ListKeys::onEnter(ListView& list, QObject* context, Enter handler)
{
    list.d->enter = {context, std::move(handler)};
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    d->core.settleOrder();
    d->core.pushSelection();
    if (event->matches(QKeySequence::Copy)) {
        copySelectedRows();
        event->accept();
        return;
    }
    if (keyForFeatures(event))
        return;
    if (isRowEndKey(*event))
        selectEndRow(event);
    else
        QTableView::keyPressEvent(event);
}

// Page Down on the last row, Page Up on the first and Enter on a row go to the feature that
// asked for them. True when the key was used; the list may be gone then. The handler is copied
// before it runs, as it may destroy the list that holds it.
bool ListView::keyForFeatures(QKeyEvent* event)
{
    const QPointer<ListView> alive(this);
    const QModelIndex current = currentIndex();
    const int step = pageEdgeStep(*event, current, model()->rowCount());
    if (step != 0 && d->pageEdge.ready()) {
        const listview::ListKeys::PageEdge pageEdge = d->pageEdge.call;
        event->accept();
        if (pageEdge(step) || !alive)
            return true;
    }
    if (isPlainEnter(*event) && current.isValid() && d->enter.ready()) {
        const listview::ListKeys::Enter enter = d->enter.call;
        event->accept();
        enter(d->core.store().at(current.row()));
        return true;
    }
    return false;
}

// Qt moves the current row there (the selection command below makes the move select); when it
// is there already, Qt changes nothing, and the row is selected here instead.
void ListView::selectEndRow(QKeyEvent* event)
{
    if (model()->rowCount() == 0 || model()->columnCount() == 0) {
        event->ignore();
        return;
    }
    if (!currentIndex().isValid())
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    const QPointer<ListView> alive(this);
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    if (alive && currentIndex() == before)
        selectionModel()->select(before, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// Qt's Ctrl+Home and Ctrl+End move the current row without selecting; here they select the row
// they reach alone, as a click on it does.
QItemSelectionModel::SelectionFlags ListView::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    if (event && event->type() == QEvent::KeyPress && isRowEndKey(static_cast<const QKeyEvent&>(*event)))
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return QTableView::selectionCommand(index, event);
}

// The list's Copy wins over a Copy shortcut of the window around it, as a text field's does.
bool ListView::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

// The menu only pops up: nothing waits for it, and should the list go while it is open, the menu
// goes with it. Opened from the keyboard, it appears under the current row.
void ListView::contextMenuEvent(QContextMenuEvent* event)
{
    d->core.settleOrder();
    d->core.pushSelection();
    auto* menu = new QMenu(this);
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    QAction* copy = menu->addAction(d->copyCaption);
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(d->core.store().selectedCount() > 0);
    connect(copy, &QAction::triggered, this, &ListView::copySelectedRows);
    QPoint at = event->globalPos();
    const QModelIndex current = currentIndex();
    if (event->reason() == QContextMenuEvent::Keyboard && current.isValid())
        at = viewport()->mapToGlobal(visualRect(current).bottomLeft());
    menu->popup(at);
    event->accept();
}

QString ListView::CopyCaption() const { return d->copyCaption; }

void ListView::setCopyCaption(const QString& caption) { d->copyCaption = caption; }

void ListView::copySelectedRows()
{
    d->core.settleOrder();
    d->core.pushSelection();
    if (std::unique_ptr<QMimeData> rows = listview::selectedRowsData(d->core, *horizontalHeader()))
        QGuiApplication::clipboard()->setMimeData(rows.release());
}

} // namespace tessaro

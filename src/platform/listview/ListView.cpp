#include <tessaro/ListView.h>

#include "platform/Failure.h"
#include "platform/controls/KeyEvents.h"
#include "platform/controls/TwipsGeometry.h"
#include "platform/listview/ListModel.h"
#include "platform/listview/ListViewPrivate.h"
#include "platform/listview/RowAppender.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStyleOptionFocusRect>

namespace tessaro {
namespace {

// Cells drawn without their own focus frame: the list frames the whole current row instead, as
// a report list does (see ListView::paintEvent).
class RowFocusDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_HasFocus;
        // A right-aligned text too wide for its column is cut at its start: a number keeps its
        // units and decimals.
        if (option->displayAlignment & Qt::AlignRight)
            option->textElideMode = Qt::ElideLeft;
    }
};

void configureReportLook(QTableView& view)
{
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::ExtendedSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setShowGrid(false);
    view.setWordWrap(false);
    view.setCornerButtonEnabled(false);
    view.setSortingEnabled(false);
    view.setTabKeyNavigation(false);
    view.setIconSize(QSize(16, 16));
    view.setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view.setFrameShape(QFrame::StyledPanel);

    QHeaderView* rows = view.verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);

    // Widths are the headers' own (in twips): nothing may resize a section but code or the user.
    QHeaderView* columns = view.horizontalHeader();
    columns->setStretchLastSection(false);
    columns->setCascadingSectionResizes(false);
    columns->setSectionsMovable(false);
    columns->setSectionsClickable(true);
    columns->setHighlightSections(false);
    columns->setSortIndicatorShown(false);
    columns->setMinimumSectionSize(0);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

listview::RowAppender::RowAppender(ListView& list) : m_list(&list), m_core(list.d->core)
{
    m_core.beginBulkAdd();
}

// Rows appended below the last row on screen change nothing the viewport shows: only the scroll
// bars learn of them, and the viewport is neither laid out nor repainted, which during a long fill
// would otherwise cost a full repaint at every yield.
void listview::RowAppender::publish()
{
    auto* list = static_cast<ListView*>(m_list.data());
    if (!list)
        return;
    // Whatever layout was already due runs as usual, so the quiet one below cannot swallow it.
    list->executeDelayedItemsLayout();
    const bool outOfSight = list->appendsOutOfSight();
    m_core.model().publishRows();
    if (!outOfSight)
        return;
    list->d->appendedOutOfSight = true;
    list->executeDelayedItemsLayout();
    list->d->appendedOutOfSight = false;
}

ListView::ListView(QWidget* parent) : QTableView(parent), d(new Private(this))
{
    setModel(&d->core.model());
    setItemDelegate(new RowFocusDelegate(this));
    configureReportLook(*this);
    d->core.updateRowHeight();
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column >= 0 && column < d->core.headerCount())
            emit ColumnClick(d->core.header(column));
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int pixels) { d->core.sectionResized(column, pixels); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && index.row() < d->core.store().count())
            emit ItemClick(d->core.store().at(index.row()));
    });
}

ListView::~ListView() = default;

tessaro::ColumnHeaders& ListView::ColumnHeaders()
{
    return d->core.headers();
}

const tessaro::ColumnHeaders& ListView::ColumnHeaders() const
{
    return d->core.headers();
}

tessaro::ListItems& ListView::ListItems()
{
    return d->core.items();
}

const tessaro::ListItems& ListView::ListItems() const
{
    return d->core.items();
}

std::shared_ptr<ImageList> ListView::SmallIcons() const
{
    return d->core.smallIcons();
}

void ListView::setSmallIcons(std::shared_ptr<ImageList> images)
{
    d->core.setSmallIcons(std::move(images));
}

bool ListView::Sorted() const
{
    return d->core.sorted();
}

void ListView::setSorted(bool sorted)
{
    d->core.setSorted(sorted);
}

int ListView::SortKey() const
{
    return d->core.sortKey();
}

void ListView::setSortKey(int key)
{
    d->core.setSortKey(key);
}

bool ListView::Presorted() const
{
    return d->core.presorted();
}

void ListView::setPresorted(bool presorted)
{
    d->core.setPresorted(presorted);
}

int ListView::SortOrder() const
{
    return d->core.sortOrder();
}

void ListView::setSortOrder(int order)
{
    d->core.setSortOrder(order);
}

ListItem* ListView::SelectedItem() const
{
    d->core.settleOrder();
    return d->core.selectedItem();
}

void ListView::setSelectedItem(ListItem* item)
{
    d->core.settleOrder();
    d->core.setSelectedItem(item);
}

void ListView::Refresh()
{
    d->core.settleOrder();
    d->core.pushSelection();
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

int ListView::View() const
{
    return d->view;
}

void ListView::setView(int view)
{
    if (view < IconView || view > ReportView)
        raiseError(Error::InvalidPropertyValue);
    d->view = view;
}

int ListView::BorderStyle() const
{
    return d->borderStyle;
}

void ListView::setBorderStyle(int style)
{
    if (style != NoBorder && style != FixedSingle)
        raiseError(Error::InvalidPropertyValue);
    d->borderStyle = style;
    setFrameShape(style == NoBorder ? QFrame::NoFrame : QFrame::StyledPanel);
}

bool ListView::CheckBoxes() const
{
    return d->core.checkBoxes();
}

void ListView::setCheckBoxes(bool on)
{
    d->core.setCheckBoxes(on);
}

QColor ListView::BackColor() const
{
    return palette().color(QPalette::Base);
}

void ListView::setBackColor(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
}

double ListView::Left() const { return d->geometry.Left(); }
double ListView::Top() const { return d->geometry.Top(); }
double ListView::Width() const { return d->geometry.Width(); }
void ListView::beginBulkAdd()
{
    d->core.beginBulkAdd();
}

void ListView::endBulkAdd()
{
    d->core.endBulkAdd();
}

double ListView::Height() const { return d->geometry.Height(); }
void ListView::setLeft(double twips) { d->geometry.setLeft(twips); }
void ListView::setTop(double twips) { d->geometry.setTop(twips); }
void ListView::setWidth(double twips) { d->geometry.setWidth(twips); }
void ListView::setHeight(double twips) { d->geometry.setHeight(twips); }
bool ListView::Visible() const { return d->geometry.Visible(); }
int ListView::MousePointer() const { return d->geometry.MousePointer(); }
void ListView::setMousePointer(int pointer) { d->geometry.setMousePointer(pointer); }

void ListView::Move(double left, double top, double width, double height)
{
    d->geometry.Move(left, top, width, height);
}

// The top of the next appended row is at or below the viewport's bottom edge.
bool ListView::appendsOutOfSight() const
{
    const int count = model()->rowCount();
    if (count == 0)
        return false;
    const int last = count - 1;
    return rowViewportPosition(last) + rowHeight(last) >= viewport()->height();
}

void ListView::doItemsLayout()
{
    if (d->appendedOutOfSight)
        updateGeometries();
    else
        QTableView::doItemsLayout();
}

QHeaderView* ListView::header() const
{
    return horizontalHeader();
}

// Whatever the view is about to paint or handle must see the order and the selection code asked for.
bool ListView::viewportEvent(QEvent* event)
{
    d->core.settleOrder();
    d->core.pushSelection();
    return QTableView::viewportEvent(event);
}

void ListView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    const QAbstractItemModel& items = *model();
    const QRect first = visualRect(items.index(current.row(), 0));
    const QRect last = visualRect(items.index(current.row(), items.columnCount() - 1));
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = first.united(last).adjusted(0, 0, -1, -1);
    frame.backgroundColor = palette().color(selectionModel()->isRowSelected(current.row()) ? QPalette::Highlight : QPalette::Base);
    QPainter painter(viewport());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

// Auto-repeat sends a release before every repeated press; KeyUp fires once, when the key
// really goes up.
void ListView::keyReleaseEvent(QKeyEvent* event)
{
    QTableView::keyReleaseEvent(event);
    if (!event->isAutoRepeat())
        emit KeyUp(keyCodeOf(event->key()), shiftOf(event->modifiers()));
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void ListView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    emit GotFocus();
}

void ListView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    emit LostFocus();
}

void ListView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        d->core.updateRowHeight();
}

// Qt builds one rectangle per selection range to repaint; with thousands of scattered rows
// repainting what is visible is far cheaper.
QRegion ListView::visualRegionForSelection(const QItemSelection&) const
{
    return viewport()->rect();
}

void ListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    d->core.pullSelection(selected, deselected);
    QTableView::selectionChanged(selected, deselected);
}

} // namespace tessaro

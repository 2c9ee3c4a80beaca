#include "platform/listview/ListCore.h"

#include "platform/Failure.h"
#include "platform/controls/TwipsGeometry.h"
#include "platform/listview/ColumnHeaderPrivate.h"
#include "platform/listview/ListModel.h"
#include "platform/listview/TextOrder.h"

#include <QHeaderView>
#include <QPixmap>
#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

namespace tessaro::listview {

ListCore::ListCore(QTableView& view)
    : m_view(view),
      m_store(*this),
      m_model(new ListModel(*this, nullptr)),
      m_items(*this),
      m_headers(*this)
{
    // The header flips its own indicator on a click; the list's sort state decides what it shows.
    QObject::connect(m_view.horizontalHeader(), &QHeaderView::sortIndicatorChanged, m_model.get(),
                     [this] { showSortIndicator(); });
}

// The sorted column carries Qt's indicator in the list's order; an unsorted list shows none.
void ListCore::showSortIndicator()
{
    if (m_showingIndicator)
        return;
    QScopedValueRollback<bool> showing(m_showingIndicator, true);
    QHeaderView& header = *m_view.horizontalHeader();
    header.setSortIndicator(m_sortKey, m_sortOrder == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    header.setSortIndicatorShown(m_sorted || m_presorted);
}

// The model goes first: the view notices and drops it before the items it shows are freed.
ListCore::~ListCore() = default;

double ListCore::twipsPerPixel() const
{
    return TwipsGeometry::twipsPerPixel(&m_view);
}

ColumnHeader* ListCore::addHeader(const QString& text, double widthTwips)
{
    if (widthTwips < 0)
        raiseError(Error::InvalidPropertyValue);
    const int column = headerCount();
    std::unique_ptr<ColumnHeader> header(new ColumnHeader(*this, text, widthTwips));
    header->d->index = column + 1;
    ColumnHeader* added = header.get();
    detachSelection(); // the selected rows' ranges must grow by the new column
    {
        QScopedValueRollback<bool> notByUser(m_resizingSection, true);
        m_model->insertColumn(column, [&] {
            m_ownedHeaders.push_back(std::move(header));
            m_headerOrder.push_back(added);
        });
    }
    headerWidthChanged(*added);
    showSortIndicator(); // the header shifts its indicator along with inserted sections
    return added;
}

void ListCore::removeHeader(int column)
{
    {
        QScopedValueRollback<bool> notByUser(m_resizingSection, true);
        m_model->removeColumnRange(column, column, [&] {
            m_headerOrder.erase(m_headerOrder.begin() + column);
            m_ownedHeaders.erase(m_ownedHeaders.begin() + column);
            m_store.removeColumn(column);
        });
    }
    renumberHeaders();
    showSortIndicator();
    if (m_store.count() > 0 && column < headerCount())
        m_model->cellsChanged(0, m_store.count() - 1, column, headerCount() - 1);
}

void ListCore::clearHeaders()
{
    if (m_headerOrder.empty())
        return;
    QScopedValueRollback<bool> notByUser(m_resizingSection, true);
    m_model->removeColumnRange(0, headerCount() - 1, [&] {
        m_headerOrder.clear();
        m_ownedHeaders.clear();
    });
    showSortIndicator();
}

void ListCore::renumberHeaders()
{
    for (std::size_t i = 0; i < m_headerOrder.size(); ++i)
        m_headerOrder[i]->d->index = static_cast<int>(i) + 1;
}

void ListCore::sectionResized(int column, int pixels)
{
    if (m_resizingSection || column < 0 || column >= headerCount())
        return;
    header(column)->d->width = pixels * twipsPerPixel();
}

void ListCore::headerTextChanged(ColumnHeader& header)
{
    m_model->headersChanged(header.Index() - 1, header.Index() - 1);
}

void ListCore::headerWidthChanged(ColumnHeader& header)
{
    const int pixels = static_cast<int>(std::lround(header.Width() / twipsPerPixel()));
    QScopedValueRollback<bool> notByUser(m_resizingSection, true);
    m_view.horizontalHeader()->resizeSection(header.Index() - 1, pixels);
}

void ListCore::headerAlignmentChanged(ColumnHeader& header)
{
    const int column = header.Index() - 1;
    m_model->headersChanged(column, column);
    if (m_store.count() > 0)
        m_model->cellsChanged(0, m_store.count() - 1, column, column);
}

ListItem* ListCore::addItem(const QString& text)
{
    ListItem* item = m_store.append(text);
    itemAdded();
    return item;
}

ListItem* ListCore::addRow(const QVariant& tag, const ItemStore::RowCell* cells, int count)
{
    if (count < 1)
        raiseError(Error::IndexOutOfBounds);
    if (count > 1)
        m_store.checkSubItem(count - 1);
    ListItem* item = m_store.appendRow(tag, cells, count);
    itemAdded();
    return item;
}

void ListCore::itemAdded()
{
    if (m_bulkDepth == 0)
        m_model->publishRows();
    m_orderValid = false;
    if (m_sorted) {
        m_settlePending = true;
        runOnceLater(m_settleScheduled, &ListCore::settleOrder);
    }
}

void ListCore::removeItem(int row)
{
    detachSelection();
    m_model->removeRowRange(row, row, [&] { m_store.removeRange(row, row); });
}

int ListCore::removeSelectedItems()
{
    settleOrder();
    const int removed = m_store.selectedCount();
    if (removed == 0)
        return 0;
    const std::vector<std::pair<int, int>> runs = m_store.selectedRuns();
    detachSelection();
    // Every removal notice costs the views a pass over all their rows: a few runs are announced
    // one by one (the views keep their place), many scattered ones as a fresh start.
    constexpr std::size_t kMostRemovalNotices = 32;
    if (runs.size() <= kMostRemovalNotices) {
        for (auto run = runs.rbegin(); run != runs.rend(); ++run)
            m_model->removeRowRange(run->first, run->second, [&] { m_store.removeRange(run->first, run->second); });
    } else {
        removeScatteredSelection();
    }
    return removed;
}

// A reset forgets the view's current row; it goes where Qt puts it when the rows are removed one
// run at a time: it stays if kept, else to the kept row above it, else to the one below.
void ListCore::removeScatteredSelection()
{
    const QModelIndex current = m_view.currentIndex();
    ListItem* successor = current.isValid() ? keptItemNear(current.row()) : nullptr;
    m_model->resetRows([&] { m_store.removeSelected(); });
    if (successor && m_view.selectionModel())
        m_view.selectionModel()->setCurrentIndex(m_model->index(m_store.rowOf(*successor), current.column()),
                                                 QItemSelectionModel::NoUpdate);
}

// The first unselected item from `row` up, else the nearest one below it.
ListItem* ListCore::keptItemNear(int row) const
{
    for (int r = std::min(row, m_store.count() - 1); r >= 0; --r) {
        if (!m_store.selected(*m_store.at(r)))
            return m_store.at(r);
    }
    for (int r = row + 1; r < m_store.count(); ++r) {
        if (!m_store.selected(*m_store.at(r)))
            return m_store.at(r);
    }
    return nullptr;
}

void ListCore::clearItems()
{
    m_settlePending = false;
    if (m_store.count() == 0) {
        m_store.clear();
        return;
    }
    detachSelection();
    m_model->removeRowRange(0, m_store.count() - 1, [&] { m_store.clear(); });
}

void ListCore::setSorted(bool sorted)
{
    const bool inOrder = m_sorted && m_orderValid;
    m_sorted = sorted;
    m_presorted = m_presorted && !sorted;
    showSortIndicator();
    m_settlePending = m_settlePending && sorted;
    if (sorted && !inOrder)
        applyOrder();
}

void ListCore::setPresorted(bool presorted)
{
    m_presorted = presorted;
    showSortIndicator();
}

void ListCore::setSortKey(int key)
{
    if (key < 0)
        raiseError(Error::InvalidPropertyValue);
    changeOrder(m_sortKey, key);
}

void ListCore::setSortOrder(int order)
{
    if (order != 0 && order != 1)
        raiseError(Error::InvalidPropertyValue);
    changeOrder(m_sortOrder, order);
}

void ListCore::changeOrder(int& setting, int value)
{
    if (value == setting)
        return;
    setting = value;
    showSortIndicator();
    m_orderValid = false;
    if (m_sorted)
        applyOrder();
}

void ListCore::beginBulkAdd()
{
    ++m_bulkDepth;
}

void ListCore::endBulkAdd()
{
    if (m_bulkDepth == 0 || --m_bulkDepth > 0)
        return;
    m_model->publishRows();
    if (m_settlePending)
        runOnceLater(m_settleScheduled, &ListCore::settleOrder);
}

void ListCore::settleOrder()
{
    // A fill that yields to the event loop is put in order once, when it ends, not at each yield.
    if (m_bulkDepth > 0)
        return;
    // Reading positions needs no announcement; reordering does, to move every row the views see.
    m_model->publishRows();
    if (m_settlePending)
        applyOrder();
}

// Runs `step` at the next turn of the event loop, once however often it is asked for meanwhile.
void ListCore::runOnceLater(bool& scheduled, void (ListCore::*step)())
{
    if (scheduled)
        return;
    scheduled = true;
    QMetaObject::invokeMethod(
        m_model.get(),
        [this, &scheduled, step] {
            scheduled = false;
            (this->*step)();
        },
        Qt::QueuedConnection);
}

void ListCore::applyOrder()
{
    m_orderValid = true;
    m_settlePending = false;
    const std::size_t count = static_cast<std::size_t>(m_store.count());
    if (count < 2)
        return;
    const std::vector<std::uint32_t> order = stableTextOrder(
        count, [this](std::size_t row) { return m_store.utf8(*m_store.at(static_cast<int>(row)), m_sortKey); },
        m_sortOrder == 1);
    bool moved = false;
    std::vector<ListItem*> items(count);
    for (std::size_t row = 0; row < count; ++row) {
        items[row] = m_store.at(static_cast<int>(order[row]));
        moved = moved || order[row] != row;
    }
    if (!moved)
        return;
    detachSelection();
    m_model->reorderRows([&] { m_store.reorder(std::move(items)); });
}

void ListCore::setSmallIcons(std::shared_ptr<ImageList> images)
{
    m_smallIcons = std::move(images);
    if (m_store.count() > 0 && headerCount() > 0)
        m_model->cellsChanged(0, m_store.count() - 1, 0, 0);
}

// With an image list every row keeps the room of an image, so a row whose image is not set (a
// load shows its rows before their icons) is drawn where it stays once the image comes.
QVariant ListCore::iconFor(const ListItem& item) const
{
    if (!m_smallIcons)
        return QVariant();
    const int image = m_store.smallIcon(item);
    if (image >= 1 && image <= m_smallIcons->Count())
        return m_smallIcons->Item(image);
    if (m_blankIcon.isNull()) {
        QPixmap blank(m_view.iconSize());
        blank.fill(Qt::transparent);
        m_blankIcon = QIcon(blank);
    }
    return m_blankIcon;
}

void ListCore::setCheckBoxes(bool on)
{
    if (on == m_checkBoxes)
        return;
    m_checkBoxes = on;
    if (m_store.count() > 0 && headerCount() > 0)
        m_model->cellsChanged(0, m_store.count() - 1, 0, 0);
}

// Rows as tall as a line of the list's font, or as a small icon, with a little air.
void ListCore::updateRowHeight()
{
    QHeaderView* rows = m_view.verticalHeader();
    const int height = std::max(m_view.fontMetrics().height() + 4, m_view.iconSize().height() + 2);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(height);
}

double ListCore::rowHeightTwips() const
{
    return m_view.verticalHeader()->defaultSectionSize() * twipsPerPixel();
}

void ListCore::itemChanged(ListItem& item, int column)
{
    if (column == m_sortKey)
        m_orderValid = false;
    if (column >= headerCount())
        return;
    const int row = m_store.rowOf(item);
    m_model->cellsChanged(row, row, column, column);
}

void ListCore::itemVisibilityRequested(ListItem& item)
{
    settleOrder();
    pushSelection();
    if (headerCount() > 0)
        m_view.scrollTo(m_model->index(m_store.rowOf(item), 0));
}

} // namespace tessaro::listview

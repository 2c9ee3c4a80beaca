#include "platform/listview/ItemStore.h"

#include "platform/listview/ItemObserver.h"
#include "platform/listview/RecordChunks.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tessaro::listview {
namespace {

// Compaction keeps shared texts shared by remembering recent copies, indexed by the old reference.
constexpr unsigned kCopiedBits = 16;
constexpr std::uint32_t kHashMultiplier = 2654435761u;
constexpr unsigned kItemChunkShift = 12;
constexpr std::size_t kItemsPerChunk = std::size_t(1) << kItemChunkShift;
constexpr std::size_t kItemChunkBytes = kItemsPerChunk * sizeof(ListItem);
// A chunk is found from an item's address by rounding down to its alignment, the power of two
// above its size; the unused end of that range is never touched, so it is never committed.
constexpr std::size_t alignmentFor(std::size_t bytes)
{
    std::size_t alignment = 1;
    while (alignment < bytes)
        alignment <<= 1;
    return alignment;
}
constexpr std::size_t kItemChunkAlignment = alignmentFor(kItemChunkBytes);
static_assert(sizeof(ChunkHead) <= sizeof(ListItem), "the chunk's head takes the place of its first item");

} // namespace

ItemStore& ItemStore::of(const ListItem& item)
{
    return *chunkOf(&item, kItemChunkAlignment).store;
}

ListItem& ItemStore::itemAt(quint32 number) const
{
    char* chunk = m_itemChunks[number >> kItemChunkShift];
    return *reinterpret_cast<ListItem*>(chunk + (number & (kItemsPerChunk - 1)) * sizeof(ListItem));
}

quint32 ItemStore::numberOf(const ListItem& item) const
{
    const ChunkHead& head = chunkOf(&item, kItemChunkAlignment);
    const auto offset = reinterpret_cast<const char*>(&item) - reinterpret_cast<const char*>(&head);
    return head.firstNumber + static_cast<quint32>(static_cast<std::size_t>(offset) / sizeof(ListItem));
}

ItemStore::ItemStore(ItemObserver& observer) : m_observer(observer) {}

ItemStore::~ItemStore()
{
    freeChunks();
}

ListItem* ItemStore::newItem()
{
    if (!m_freeItems.empty()) {
        ListItem* item = m_freeItems.back();
        m_freeItems.pop_back();
        return item;
    }
    if (m_itemChunks.empty() || m_itemsInLastChunk == kItemsPerChunk) {
        const auto first = static_cast<quint32>(m_itemChunks.size() * kItemsPerChunk);
        m_itemChunks.push_back(static_cast<char*>(newChunk(kItemChunkBytes, kItemChunkAlignment, *this, first)));
        m_itemsInLastChunk = 1;
    }
    return new (m_itemChunks.back() + m_itemsInLastChunk++ * sizeof(ListItem)) ListItem();
}

ListItem* ItemStore::append(QStringView text)
{
    const RowCell cell{m_arena.encode(text)};
    return appendRow(QVariant(), &cell, 1);
}

ListItem* ItemStore::appendRow(const QVariant& tag, const RowCell* cells, int count)
{
    if (static_cast<std::size_t>(count) > m_columnTexts.size())
        m_columnTexts.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        m_columnTexts[std::size_t(k)].prefetch(cells[k].text);
    ListItem* item = newItem();
    item->m_row = static_cast<quint32>(m_order.size());
    if (m_validRows == m_order.size())
        ++m_validRows;
    m_order.push_back(item);
    item->m_text = addColumnText(0, cells[0].text);
    item->m_tag = m_itemTags.encode(tag, m_arena);
    if (count > 1)
        fillNewCells(*item, cells, count);
    return item;
}

// A new item's block of cells, sized for every current column as growCells() sizes it, written
// once: cells[1..count-1] in the first, the rest blank.
void ItemStore::fillNewCells(ListItem& item, const RowCell* cells, int count)
{
    const int capacity = std::min(std::max(count - 1, m_observer.headerCount() - 1), kMaxCellsPerItem);
    const quint32 start = allocateCells(capacity);
    TextArena::Ref* slot = &cellAt(start);
    for (int k = 1; k <= capacity; ++k, ++slot) {
        if (k >= count) {
            *slot = kCellBlank;
            continue;
        }
        *slot = addColumnText(std::size_t(k), cells[k].text);
        // A text the fill did not tag keeps no Tag: an empty one is the blank cell.
        if (!cells[k].taggedWithText)
            setCellTag(start + static_cast<quint32>(k - 1), *slot, QVariant());
    }
    item.m_cells = start;
    item.m_cellCount = static_cast<quint16>(capacity);
}

// Columns repeat their values (a status, a date, a group's key): a text the column stored lately
// shares those bytes. Released texts keep their bytes until the arena is compacted, so any
// reference handed out since the last compaction still reads.
TextArena::Ref ItemStore::addColumnText(std::size_t column, std::string_view bytes)
{
    if (bytes.empty())
        return TextArena::Empty;
    if (column >= m_columnTexts.size())
        m_columnTexts.resize(column + 1);
    return m_columnTexts[column].add(m_arena, bytes);
}

int ItemStore::rowOf(const ListItem& item)
{
    if (item.m_row >= m_validRows) {
        for (std::size_t row = m_validRows; row < m_order.size(); ++row)
            m_order[row]->m_row = static_cast<quint32>(row);
        m_validRows = m_order.size();
    }
    return static_cast<int>(item.m_row);
}

void ItemStore::removeRange(int first, int last)
{
    for (int row = first; row <= last; ++row)
        discard(*at(row));
    m_order.erase(m_order.begin() + first, m_order.begin() + last + 1);
    m_validRows = std::min(m_validRows, static_cast<std::size_t>(first));
}

void ItemStore::removeSelected()
{
    std::size_t kept = 0;
    for (std::size_t row = 0; row < m_order.size(); ++row) {
        ListItem* item = m_order[row];
        if (selected(*item)) {
            m_validRows = std::min(m_validRows, kept);
            discard(*item);
        } else {
            m_order[kept++] = item;
        }
    }
    m_order.resize(kept);
}

std::vector<std::pair<int, int>> ItemStore::selectedRuns() const
{
    std::vector<std::pair<int, int>> runs;
    if (m_selectedCount == 0)
        return runs;
    for (int row = 0; row < count(); ++row) {
        if (!selected(*at(row)))
            continue;
        if (!runs.empty() && runs.back().second == row - 1)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    return runs;
}

void ItemStore::discard(ListItem& item)
{
    releaseItem(item);
    new (&item) ListItem(); // a blank record, as newItem() makes
    m_freeItems.push_back(&item);
}

void ItemStore::releaseItem(ListItem& item)
{
    if (item.m_flags & SelectedFlag)
        --m_selectedCount;
    m_arena.release(item.m_text);
    m_itemTags.release(item.m_tag, m_arena);
    for (int k = 1; k <= item.m_cellCount; ++k)
        releaseCell(cellIndex(item, k));
    dropHandles(item);
    if (!m_smallIcons.empty())
        m_smallIcons.erase(numberOf(item));
}

void ItemStore::clear()
{
    freeChunks();
    m_order = std::vector<ListItem*>();
    m_validRows = 0;
    m_selectedCount = 0;
    m_arena = TextArena();
    m_columnTexts.clear();
    m_itemTags.clear();
    m_smallIcons.clear();
}

void ItemStore::freeChunks()
{
    // Records are trivially destructible; chunks are raw storage so that untouched pages of a
    // small list are never committed.
    for (char* chunk : m_itemChunks)
        deleteChunk(chunk, kItemChunkAlignment);
    m_itemChunks.clear();
    m_itemsInLastChunk = 0;
    m_freeItems = std::vector<ListItem*>();
    freeCells();
}

void ItemStore::reorder(std::vector<ListItem*> order)
{
    m_order = std::move(order);
    m_validRows = 0;
    if (!m_order.empty())
        rowOf(*m_order.front());
}

QString ItemStore::text(const ListItem& item, int column) const
{
    return QString::fromUtf8(utf8(item, column));
}

std::string_view ItemStore::utf8(const ListItem& item, int column) const
{
    if (column == 0)
        return m_arena.utf8(item.m_text);
    if (column > item.m_cellCount)
        return {};
    const TextArena::Ref slot = cellAt(cellIndex(item, column));
    return slot == kCellBlank ? std::string_view() : m_arena.utf8(slot);
}

// An unchanged text is not stored again: some callers rewrite whole columns with the same texts.
void ItemStore::replaceText(TextArena::Ref& slot, TextArena::Ref keep, QStringView text, bool& changed)
{
    const std::string_view bytes = m_arena.encode(text);
    changed = !m_arena.equals(slot, bytes);
    if (!changed)
        return;
    const TextArena::Ref added = m_arena.add(bytes);
    if (slot != keep)
        m_arena.release(slot);
    slot = added;
}

void ItemStore::setText(ListItem& item, int column, QStringView text)
{
    if (column == 0) {
        bool changed = false;
        replaceText(item.m_text, TextArena::Empty, text, changed);
        if (changed)
            m_observer.itemChanged(item, 0);
        compactIfWorthwhile();
        return;
    }
    setSubItemText(subItem(item, column), text);
}

QVariant ItemStore::tag(const ListItem& item) const
{
    return m_itemTags.decode(item.m_tag, m_arena);
}

void ItemStore::setTag(ListItem& item, const QVariant& tag)
{
    const ItemTagTable::Code code = m_itemTags.encode(tag, m_arena);
    m_itemTags.release(item.m_tag, m_arena);
    item.m_tag = code;
    compactIfWorthwhile();
}

void ItemStore::setSelected(ListItem& item, bool selected, bool notify)
{
    if (this->selected(item) == selected)
        return;
    item.m_flags = static_cast<quint8>(selected ? item.m_flags | SelectedFlag : item.m_flags & ~SelectedFlag);
    m_selectedCount += selected ? 1 : -1;
    if (notify)
        m_observer.itemSelectionChanged(item);
}

void ItemStore::setChecked(ListItem& item, bool checked)
{
    if (this->checked(item) == checked)
        return;
    item.m_flags = static_cast<quint8>(checked ? item.m_flags | CheckedFlag : item.m_flags & ~CheckedFlag);
    m_observer.itemChanged(item, 0);
}

int ItemStore::smallIcon(const ListItem& item) const
{
    if (m_smallIcons.empty())
        return 0;
    const auto image = m_smallIcons.find(numberOf(item));
    return image != m_smallIcons.end() ? image->second : 0;
}

void ItemStore::setSmallIcon(ListItem& item, int image)
{
    if (smallIcon(item) == image)
        return;
    if (image == 0)
        m_smallIcons.erase(numberOf(item));
    else
        m_smallIcons[numberOf(item)] = image;
    m_observer.itemChanged(item, 0);
}

void ItemStore::compactIfWorthwhile()
{
    if (m_arena.wantsCompaction())
        compact();
}

// Copies the live texts into a fresh arena; a column's run of rows that share one text keeps
// sharing its copy. Cell tags of their own are values in the side table, not arena texts.
void ItemStore::compact()
{
    TextArena fresh;
    std::vector<std::pair<TextArena::Ref, TextArena::Ref>> copied(std::size_t(1) << kCopiedBits,
                                                                 {TextArena::Empty, TextArena::Empty});
    const auto copy = [&](TextArena::Ref old) {
        auto& last = copied[(old * kHashMultiplier) >> (32 - kCopiedBits)];
        if (old != last.first)
            last = {old, fresh.copyFrom(m_arena, old)};
        return last.second;
    };
    for (ListItem* item : m_order) {
        item->m_text = copy(item->m_text);
        item->m_tag = m_itemTags.relocate(item->m_tag, m_arena, fresh);
        for (int k = 1; k <= item->m_cellCount; ++k) {
            TextArena::Ref& slot = cellAt(cellIndex(*item, k));
            slot = copy(slot);
        }
    }
    m_arena = std::move(fresh);
    m_columnTexts.clear();
}

} // namespace tessaro::listview

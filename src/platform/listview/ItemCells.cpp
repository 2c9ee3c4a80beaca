// The sub-items of the store's items: each item's cells are one run of text references inside a
// chunk, allocated when a sub-item is first touched, and a cell's Tag is its text unless the side
// table holds another. A million rows then pay four bytes a cell: the fill tags every cell with
// its text. The ListSubItem a host holds is a handle made on demand, naming its item and column,
// so it stays right when an item outgrows its run (headers added after it) and the cells move.

#include "platform/listview/ItemStore.h"

#include "platform/Failure.h"
#include "platform/listview/ItemObserver.h"

#include <algorithm>
#include <utility>

namespace tessaro::listview {
namespace {

constexpr unsigned kCellChunkShift = 16;
constexpr std::size_t kCellsPerChunk = std::size_t(1) << kCellChunkShift;
constexpr std::size_t kMaxCellChunks = std::size_t(1) << (32 - kCellChunkShift);
constexpr unsigned kHandleIndexBits = 16;
static_assert(kMaxCellsPerItem < (1 << kHandleIndexBits), "a handle's key holds its column in 16 bits");

bool isText(TextArena::Ref ref)
{
    return ref < TextArena::FirstMarker;
}

quint64 handleKey(quint32 owner, int k)
{
    return (quint64(owner) << kHandleIndexBits) | quint64(k);
}

} // namespace

ItemStore& ItemStore::of(const ListSubItem& cell)
{
    return *cell.m_store;
}

TextArena::Ref& ItemStore::cellAt(quint32 index) const
{
    return m_cellChunks[index >> kCellChunkShift][index & (kCellsPerChunk - 1)];
}

void ItemStore::freeCells()
{
    m_cellChunks.clear();
    m_nextCell = 0;
    m_cellTags.clear();
    for (const auto& [key, handle] : m_handles)
        delete handle;
    m_handles.clear();
}

quint32 ItemStore::allocateCells(int count)
{
    const std::size_t size = static_cast<std::size_t>(count);
    const std::size_t end = m_cellChunks.size() * kCellsPerChunk;
    const bool fits = m_nextCell < end && (m_nextCell & (kCellsPerChunk - 1)) + size <= kCellsPerChunk;
    if (!fits) {
        if (m_cellChunks.size() == kMaxCellChunks)
            raiseError(Error::OutOfMemory);
        // Not value-initialised: the pages of a chunk are committed only as cells are written.
        m_cellChunks.emplace_back(new TextArena::Ref[kCellsPerChunk]);
        m_nextCell = (m_cellChunks.size() - 1) * kCellsPerChunk;
    }
    const std::size_t start = m_nextCell;
    m_nextCell += size;
    return static_cast<quint32>(start);
}

void ItemStore::checkSubItem(int k) const
{
    if (k < 1 || k >= m_observer.headerCount())
        raiseError(Error::IndexOutOfBounds);
    if (k > kMaxCellsPerItem)
        raiseError(Error::OutOfMemory);
}

ListSubItem& ItemStore::subItem(ListItem& item, int k)
{
    if (k > item.m_cellCount)
        growCells(item, k);
    const quint32 owner = numberOf(item);
    ListSubItem*& handle = m_handles[handleKey(owner, k)];
    if (!handle) {
        handle = new ListSubItem();
        handle->m_store = this;
        handle->m_owner = owner;
        handle->m_index = static_cast<quint32>(k);
    }
    return *handle;
}

void ItemStore::dropHandles(const ListItem& item)
{
    if (m_handles.empty())
        return;
    const quint32 owner = numberOf(item);
    for (int k = 1; k <= item.m_cellCount; ++k) {
        const auto handle = m_handles.find(handleKey(owner, k));
        if (handle != m_handles.end()) {
            delete handle->second;
            m_handles.erase(handle);
        }
    }
}

// The run is sized for every current column, so filling a row allocates once.
void ItemStore::growCells(ListItem& item, int k)
{
    const int capacity = std::min(std::max(k, m_observer.headerCount() - 1), kMaxCellsPerItem);
    const quint32 start = allocateCells(capacity);
    for (int i = 0; i < capacity; ++i)
        cellAt(start + static_cast<quint32>(i)) = kCellBlank;
    for (int i = 0; i < item.m_cellCount; ++i)
        moveCell(start + static_cast<quint32>(i), item.m_cells + static_cast<quint32>(i));
    item.m_cells = start;
    item.m_cellCount = static_cast<quint16>(capacity);
}

int ItemStore::subItemIndex(const ListSubItem& cell) const
{
    return static_cast<int>(cell.m_index);
}

QString ItemStore::subItemText(const ListSubItem& cell) const
{
    return text(ownerOf(cell), subItemIndex(cell));
}

void ItemStore::setSubItemText(ListSubItem& cell, QStringView text)
{
    ListItem& item = ownerOf(cell);
    const quint32 index = cellIndex(item, subItemIndex(cell));
    TextArena::Ref& slot = cellAt(index);
    const std::string_view bytes = m_arena.encode(text);
    if (m_arena.equals(isText(slot) ? slot : TextArena::Empty, bytes))
        return;
    // The Tag keeps what it was: a cell tagged with its text keeps the old text as its own Tag.
    if (m_cellTags.find(index) == m_cellTags.end())
        m_cellTags.emplace(index, isText(slot) ? QVariant(m_arena.text(slot)) : QVariant());
    if (isText(slot))
        m_arena.release(slot);
    slot = m_arena.add(bytes);
    m_observer.itemChanged(item, subItemIndex(cell));
    compactIfWorthwhile();
}

QVariant ItemStore::subItemTag(const ListSubItem& cell) const
{
    const quint32 index = cellIndex(ownerOf(cell), subItemIndex(cell));
    const TextArena::Ref slot = cellAt(index);
    if (!isText(slot))
        return QVariant();
    const auto own = m_cellTags.find(index);
    return own != m_cellTags.end() ? own->second : QVariant(m_arena.text(slot));
}

void ItemStore::setSubItemTag(ListSubItem& cell, const QVariant& tag)
{
    const quint32 index = cellIndex(ownerOf(cell), subItemIndex(cell));
    setCellTag(index, cellAt(index), tag);
}

// A text Tag equal to the cell's text needs no entry of its own; neither does no Tag on a cell
// without text, which is the blank cell.
void ItemStore::setCellTag(quint32 index, TextArena::Ref& text, const QVariant& tag)
{
    const bool isString = tag.isValid() && tag.metaType().id() == QMetaType::QString;
    const TextArena::Ref shown = isText(text) ? text : TextArena::Empty;
    if (isString && m_arena.equals(shown, m_arena.encode(tag.toString()))) {
        m_cellTags.erase(index);
        text = shown;
    } else if (!tag.isValid() && shown == TextArena::Empty) {
        m_cellTags.erase(index);
        text = kCellBlank;
    } else {
        m_cellTags[index] = tag;
        text = shown;
    }
}

void ItemStore::releaseCell(quint32 index)
{
    TextArena::Ref& slot = cellAt(index);
    if (isText(slot))
        m_arena.release(slot);
    if (!m_cellTags.empty())
        m_cellTags.erase(index);
    slot = kCellBlank;
}

void ItemStore::moveCell(quint32 to, quint32 from)
{
    cellAt(to) = std::exchange(cellAt(from), kCellBlank);
    if (m_cellTags.empty())
        return;
    auto own = m_cellTags.extract(from);
    if (own) {
        own.key() = to;
        m_cellTags.insert(std::move(own));
    }
}

// Column 0 is the item's own text: sub-item 1 takes its place and its tag is dropped, since an
// item's Tag is the row's, not the column's.
void ItemStore::removeColumn(int column)
{
    const int first = std::max(column, 1);
    for (ListItem* item : m_order) {
        if (column == 0) {
            m_arena.release(item->m_text);
            item->m_text = TextArena::Empty;
            if (item->m_cellCount > 0) {
                TextArena::Ref& moved = cellAt(item->m_cells);
                item->m_text = isText(moved) ? std::exchange(moved, kCellBlank) : TextArena::Empty;
            }
        }
        if (first > item->m_cellCount)
            continue;
        releaseCell(cellIndex(*item, first));
        for (int k = first; k < item->m_cellCount; ++k)
            moveCell(cellIndex(*item, k), cellIndex(*item, k + 1));
    }
}

} // namespace tessaro::listview

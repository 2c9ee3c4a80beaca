// The sub-items of the store's items: each item's cells are one block inside a chunk of cells,
// allocated when a sub-item is first touched. A cell is itself the ListSubItem a host holds, so
// handing out a sub-item costs nothing; when an item outgrows its block (headers added after
// the item) the cells move and the old ones forward to the new.

#include "platform/listview/ItemStore.h"

#include "platform/Failure.h"
#include "platform/listview/ItemObserver.h"
#include "platform/listview/RecordChunks.h"

#include <algorithm>
#include <new>
#include <utility>

namespace tessaro::listview {
namespace {

constexpr unsigned kCellChunkShift = 16;
constexpr std::size_t kCellsPerChunk = std::size_t(1) << kCellChunkShift;
// The cells follow the chunk's head; the chunk is aligned to the power of two above its size.
constexpr std::size_t kCellsOffset = 16;
constexpr std::size_t kCellChunkBytes = kCellsOffset + kCellsPerChunk * sizeof(ListSubItem);
constexpr std::size_t kCellChunkAlignment = std::size_t(1) << 20;
static_assert(sizeof(ChunkHead) <= kCellsOffset && kCellsOffset % alignof(ListSubItem) == 0);
static_assert(kCellChunkBytes <= kCellChunkAlignment);
constexpr std::size_t kMaxCellChunks = std::size_t(1) << (32 - kCellChunkShift);

bool isText(TextArena::Ref ref)
{
    return ref < TextArena::FirstMarker;
}

} // namespace

ItemStore& ItemStore::of(const ListSubItem& cell)
{
    return *chunkOf(&cell, kCellChunkAlignment).store;
}

ListSubItem* ItemStore::cellAt(quint32 index) const
{
    ListSubItem* cells = reinterpret_cast<ListSubItem*>(m_cellChunks[index >> kCellChunkShift] + kCellsOffset);
    return cells + (index & (kCellsPerChunk - 1));
}

void ItemStore::freeCells()
{
    for (char* chunk : m_cellChunks)
        deleteChunk(chunk, kCellChunkAlignment);
    m_cellChunks.clear();
    m_nextCell = 0;
}

quint32 ItemStore::allocateCells(int count)
{
    const std::size_t size = static_cast<std::size_t>(count);
    const std::size_t end = m_cellChunks.size() * kCellsPerChunk;
    const bool fits = m_nextCell < end && (m_nextCell & (kCellsPerChunk - 1)) + size <= kCellsPerChunk;
    if (!fits) {
        if (m_cellChunks.size() == kMaxCellChunks)
            raiseError(Error::OutOfMemory);
        const auto first = static_cast<quint32>(m_cellChunks.size() * kCellsPerChunk);
        m_cellChunks.push_back(static_cast<char*>(newChunk(kCellChunkBytes, kCellChunkAlignment, *this, first)));
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
    return *cellAt(item.m_cells + static_cast<quint32>(k - 1));
}

// The block is sized for every current column, so filling a row allocates once.
void ItemStore::growCells(ListItem& item, int k)
{
    const int capacity = std::min(std::max(k, m_observer.headerCount() - 1), kMaxCellsPerItem);
    const quint32 start = allocateCells(capacity);
    const quint32 owner = numberOf(item);
    for (int i = 0; i < capacity; ++i) {
        ListSubItem& cell = *new (cellAt(start + static_cast<quint32>(i))) ListSubItem();
        cell.m_owner = owner;
        cell.m_text = TextArena::Empty;
        cell.m_tag = kTagUnset;
    }
    for (int i = 0; i < item.m_cellCount; ++i) {
        ListSubItem& old = *cellAt(item.m_cells + static_cast<quint32>(i));
        moveCell(*cellAt(start + static_cast<quint32>(i)), old);
        old.m_tag = kCellMoved;
        old.m_text = start + static_cast<quint32>(i);
    }
    item.m_cells = start;
    item.m_cellCount = static_cast<quint16>(capacity);
}

const ListSubItem& ItemStore::current(const ListSubItem& cell) const
{
    const ListSubItem* at = &cell;
    while (at->m_tag == kCellMoved)
        at = cellAt(at->m_text);
    return *at;
}

ListSubItem& ItemStore::current(ListSubItem& cell)
{
    return const_cast<ListSubItem&>(std::as_const(*this).current(std::as_const(cell)));
}

int ItemStore::subItemIndex(const ListSubItem& cell) const
{
    const ListSubItem& live = current(cell);
    return static_cast<int>(&live - cellAt(ownerOf(live).m_cells)) + 1;
}

QString ItemStore::subItemText(const ListSubItem& cell) const
{
    return m_arena.text(current(cell).m_text);
}

void ItemStore::setSubItemText(ListSubItem& cell, QStringView text)
{
    ListSubItem& live = current(cell);
    bool changed = false;
    replaceText(live.m_text, live.m_tag, text, changed);
    if (changed)
        m_observer.itemChanged(ownerOf(live), subItemIndex(live));
    compactIfWorthwhile();
}

QVariant ItemStore::subItemTag(const ListSubItem& cell) const
{
    const ListSubItem& live = current(cell);
    if (live.m_tag == kTagUnset)
        return QVariant();
    if (live.m_tag == kTagSide) {
        // Every cell marked so has its entry: setSubItemTag and moveCell keep them together.
        const auto side = m_cellSideTags.find(&live);
        return side != m_cellSideTags.end() ? side->second : QVariant();
    }
    return QVariant(m_arena.text(live.m_tag));
}

// A text tag equal to the cell's text shares its bytes: the fill sets every cell's tag to its text.
void ItemStore::setSubItemTag(ListSubItem& cell, const QVariant& tag)
{
    ListSubItem& live = current(cell);
    TextArena::Ref code = kTagUnset;
    if (tag.isValid() && tag.metaType().id() == QMetaType::QString) {
        const std::string_view bytes = m_arena.encode(tag.toString());
        code = m_arena.equals(live.m_text, bytes) ? live.m_text : m_arena.add(bytes);
    } else if (tag.isValid()) {
        code = kTagSide;
        m_cellSideTags[&live] = tag;
    }
    if (live.m_tag == kTagSide && code != kTagSide)
        m_cellSideTags.erase(&live);
    else if (isText(live.m_tag) && live.m_tag != live.m_text)
        m_arena.release(live.m_tag);
    live.m_tag = code;
    compactIfWorthwhile();
}

void ItemStore::releaseCell(ListSubItem& cell)
{
    m_arena.release(cell.m_text);
    if (cell.m_tag == kTagSide)
        m_cellSideTags.erase(&cell);
    else if (isText(cell.m_tag) && cell.m_tag != cell.m_text)
        m_arena.release(cell.m_tag);
    cell.m_text = TextArena::Empty;
    cell.m_tag = kTagUnset;
}

void ItemStore::moveCell(ListSubItem& to, ListSubItem& from)
{
    to.m_text = from.m_text;
    to.m_tag = from.m_tag;
    if (from.m_tag == kTagSide) {
        auto node = m_cellSideTags.extract(&from);
        node.key() = &to;
        m_cellSideTags.insert(std::move(node));
    }
    from.m_text = TextArena::Empty;
    from.m_tag = kTagUnset;
}

// Column 0 is the item's own text: sub-item 1 takes its place and its tag is dropped, since an
// item's Tag is the row's, not the column's.
void ItemStore::removeColumn(int column)
{
    const int first = std::max(column, 1);
    for (ListItem* item : m_order) {
        ListSubItem* cells = item->m_cellCount > 0 ? cellAt(item->m_cells) : nullptr;
        if (column == 0) {
            m_arena.release(item->m_text);
            item->m_text = TextArena::Empty;
            if (cells) {
                std::swap(item->m_text, cells[0].m_text);
                if (cells[0].m_tag == item->m_text)
                    cells[0].m_tag = kTagUnset;
            }
        }
        if (first > item->m_cellCount)
            continue;
        releaseCell(cells[first - 1]);
        for (int k = first; k < item->m_cellCount; ++k)
            moveCell(cells[k - 1], cells[k]);
    }
}

} // namespace tessaro::listview

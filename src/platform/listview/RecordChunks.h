#pragma once

// Chunks of list records aligned to a power of two no smaller than the chunk, so that a record
// finds its chunk, and the chunk's head its store, from the record's own address: a record then
// needs no pointer of its own (a million rows would pay 8 bytes for each row and for each cell).

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <new>

namespace tessaro::listview {

class ItemStore;

/// The first bytes of every chunk.
struct ChunkHead {
    ItemStore* store = nullptr;
    quint32 firstNumber = 0; ///< the number of the chunk's first record slot
};

/// A chunk of `bytes` (at most `alignment`, a power of two) with its head written; raw storage
/// otherwise, so the untouched pages of a small list are never committed.
inline void* newChunk(std::size_t bytes, std::size_t alignment, ItemStore& store, quint32 firstNumber)
{
    void* chunk = ::operator new(bytes, std::align_val_t(alignment));
    new (chunk) ChunkHead{&store, firstNumber};
    return chunk;
}

inline void deleteChunk(void* chunk, std::size_t alignment)
{
    ::operator delete(chunk, std::align_val_t(alignment));
}

/// The chunk that holds the record at `record`.
inline const ChunkHead& chunkOf(const void* record, std::size_t alignment)
{
    const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(record) & ~std::uintptr_t(alignment - 1);
    return *reinterpret_cast<const ChunkHead*>(base);
}

} // namespace tessaro::listview

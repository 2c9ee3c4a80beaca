#pragma once

// Compact encodings of Tag values. An item's Tag is usually a key (an integer or a text) or a
// database Null, all of which fit in 64 bits next to the arena; anything else goes to a side table.

#include "platform/listview/TextArena.h"

#include <QVariant>

#include <cstdint>
#include <vector>

namespace tessaro::listview {

class ItemTagTable {
public:
    using Code = std::uint64_t;
    /// The code of a null QVariant().
    static constexpr Code Invalid = 0;

    Code encode(const QVariant& value, TextArena& arena);
    QVariant decode(Code code, const TextArena& arena) const;
    /// Frees what `code` holds (its text counts as released garbage in `arena`).
    void release(Code code, TextArena& arena);
    /// The same value with its text copied from `from` into `to`.
    Code relocate(Code code, const TextArena& from, TextArena& to) const;
    void clear();

private:
    std::vector<QVariant> m_side;
    std::vector<std::uint32_t> m_freeSide;
};

} // namespace tessaro::listview

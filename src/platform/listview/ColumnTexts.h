#pragma once

// The texts one column of a list stored lately, so that a text coming again shares the bytes
// already stored: database columns repeat (a status, a date, an amount, a group's key), and a
// million rows of them then cost their few distinct texts instead of a text per row.

#include "platform/listview/TextArena.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace tessaro::listview {

class ColumnTexts {
public:
    /// The reference of `bytes` (not empty) in `arena`: one of this column's recent texts when
    /// equal, otherwise stored anew. The references handed out stay valid as the arena's own do.
    TextArena::Ref add(TextArena& arena, std::string_view bytes);
    /// Starts fetching the table's entries for `bytes`, which add() is about to get: a row's
    /// columns then wait for memory together rather than one after another.
    void prefetch(std::string_view bytes);

private:
    struct Way {
        std::uint32_t hash;
        TextArena::Ref ref;
    };
    struct Free {
        void operator()(Way* ways) const { std::free(ways); }
    };
    enum class Recall : std::uint8_t { Watching, Caching, GivenUp };

    TextArena::Ref recent(TextArena& arena, std::string_view bytes);
    std::uint32_t hashFor(std::string_view bytes);
    void startCache();

    TextArena::Ref m_lastRef = TextArena::Empty; // the text this column last got
    std::size_t m_lastSize = 0;
    std::uint32_t m_lastMisses = 0; // texts since the last one equal to the one before
    Recall m_recall = Recall::Watching;
    std::uint32_t m_stored = 0; // texts stored while watching
    std::uint32_t m_lookups = 0;
    std::uint32_t m_hits = 0;
    std::unique_ptr<Way[], Free> m_ways; // zeroed pages, committed as buckets are first used
    const char* m_prefetched = nullptr; // the text prefetch() hashed, and its hash
    std::uint32_t m_prefetchedHash = 0;
};

} // namespace tessaro::listview

#pragma once

// Append-only store of UTF-8 texts addressed by 32-bit references. A million rows of cell texts
// cost their bytes plus one reference each, where QString cells would cost a heap block each.
// Replacing a text appends the new one; the owner releases the old reference, and once enough
// bytes are released it copies the live texts into a fresh arena (see ItemStore::compact).
//
// A text padded with blanks (a char(n) column, a number right-aligned in its width) is kept
// without its runs of leading and trailing blanks, which its record counts instead. A short text
// of digits and the signs of numbers, dates and times is kept two characters to a byte.

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro::listview {

class TextArena {
public:
    using Ref = std::uint32_t;
    /// The empty text; never allocated.
    static constexpr Ref Empty = 0;
    /// References from here up are never handed out, so owners can use them as markers.
    static constexpr Ref FirstMarker = 0xFFFFFFF0u;

    /// The UTF-8 form of `text` in a scratch buffer that the next encode() overwrites.
    std::string_view encode(QStringView text);
    /// Stores `bytes` and returns their reference (Empty for no bytes). Throws Error 7 when the
    /// arena's address range is exhausted.
    Ref add(std::string_view bytes);
    Ref add(QStringView text) { return add(encode(text)); }

    /// The text behind `ref`. A text stored without its blanks or packed is rebuilt in a buffer
    /// of its own that the next utf8() overwrites (encode()'s buffer is another).
    std::string_view utf8(Ref ref) const;
    QString text(Ref ref) const;
    /// Whether the text behind `ref` is `bytes`, without rebuilding it.
    bool equals(Ref ref, std::string_view bytes) const;

    /// Counts the text behind `ref` as garbage (Empty and markers are ignored).
    void release(Ref ref);
    /// Whether enough of the arena is garbage to be worth copying the live texts out.
    bool wantsCompaction() const;
    /// Copies the text behind `ref` of `from` into this arena.
    Ref copyFrom(const TextArena& from, Ref ref);

private:
    struct Record;
    Record record(Ref ref) const;
    char* reserve(std::size_t units, Ref& ref);
    /// Starts a new run of slots with room for `units`.
    void startRun(std::size_t units);

    std::vector<char*> m_slotBase;               // start of every addressable slot
    std::vector<std::unique_ptr<char[]>> m_blocks; // owned memory, one block per allocation
    std::size_t m_nextUnit = 0;                  // first free unit of the last slot run
    std::size_t m_slotEndUnit = 0;               // end of the last slot run
    std::size_t m_bytesStored = 0;
    std::size_t m_bytesReleased = 0;
    std::string m_scratch;
    mutable std::string m_rebuilt;
};

} // namespace tessaro::listview

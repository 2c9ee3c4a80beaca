#pragma once

// Whether a text is plain ASCII, which lets the text paths that see the most bytes (reading
// SQLite rows, writing cell texts, building sort keys) skip decoding.

#include <cstdint>
#include <cstring>
#include <string_view>

namespace tessaro {

/// True when no byte of `text` has its high bit set; true for an empty text. Read eight bytes at
/// a time, since most texts are ASCII and are read in full.
inline bool isAscii(std::string_view text)
{
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    std::size_t scanned = 0;
    std::uint64_t high = 0;
    for (std::uint64_t word = 0; scanned + sizeof word <= text.size(); scanned += sizeof word) {
        std::memcpy(&word, text.data() + scanned, sizeof word);
        high |= word;
    }
    for (; scanned < text.size(); ++scanned)
        high |= static_cast<unsigned char>(text[scanned]);
    return (high & kHighBits) == 0;
}

} // namespace tessaro

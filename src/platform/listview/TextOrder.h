#pragma once

// The order in which the list sorts texts: case-insensitive; letters with and without accents
// compare equal at first and the accent only breaks ties ("e" < "é" < "f"); everything else by
// code point, so blanks sort before digits and digits before letters, which keeps right-justified
// numbers in numeric order. Equal texts keep their relative order.
//
// Each text gets its sort key once; the keys are compared as bytes, the 16 bytes after the prefix
// that all keys share held inline, so most comparisons are two integer comparisons.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace tessaro::listview {

/// The UTF-8 text at a position.
using TextAt = std::function<std::string_view(std::size_t position)>;

/// Positions 0 … count − 1 in ascending (or descending) order of their texts, stable.
std::vector<std::uint32_t> stableTextOrder(std::size_t count, const TextAt& textAt, bool descending);

} // namespace tessaro::listview

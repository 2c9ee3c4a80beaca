#pragma once

// Failures of the list view and its collections, with the list control's own numbers.

namespace tessaro::listview {

/// Error 35600 "Index out of bounds": an item, header, sub-item or image number outside its
/// collection.
[[noreturn]] void raiseIndexOutOfBounds();

} // namespace tessaro::listview

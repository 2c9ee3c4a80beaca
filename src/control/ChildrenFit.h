#pragma once

// Fitting the control's children to its size (on every resize): the panel and the list take
// the control's width, the list the height left by the switch strip, the panel and the page
// bar, and the page bar sits under the list. A page holds the rows the list shows.

#include <tessaro/ListView.h>

namespace tessaro {

/// The whole rows `list` shows at its height, at least 1: its items' height, or a guessed one
/// while it has none, less a row when the columns are wider than the list.
int RigheVisibili(const tessaro::ListView& list) noexcept;
/// The same for `list` at `height` twips.
int rowsShownAt(const tessaro::ListView& list, double height) noexcept;

} // namespace tessaro

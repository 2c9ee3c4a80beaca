#pragma once

// Values of a sub-item's tag slot that are not arena texts.

#include "platform/listview/TextArena.h"

namespace tessaro::listview {

/// Tag never set (a null QVariant).
constexpr TextArena::Ref kTagUnset = 0xFFFFFFFFu;
/// Tag is not a text: the value is in the store's side table.
constexpr TextArena::Ref kTagSide = 0xFFFFFFFEu;
/// The cell moved: its text slot holds the index of the cell that took over.
constexpr TextArena::Ref kCellMoved = 0xFFFFFFFDu;

} // namespace tessaro::listview

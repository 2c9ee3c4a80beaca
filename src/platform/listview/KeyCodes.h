#pragma once

// Keys and modifiers as the list's KeyUp reports them.

#include <Qt>

namespace tessaro::listview {

/// The key code of a Qt key: letters and digits their upper-case character code,
/// the editing, navigation and function keys their own codes (Delete 46), any other key Qt's code.
int classicKeyCode(int qtKey);

/// 1 Shift + 2 Ctrl + 4 Alt.
int classicShift(Qt::KeyboardModifiers modifiers);

} // namespace tessaro::listview

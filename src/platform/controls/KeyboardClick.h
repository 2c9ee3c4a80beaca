#pragma once

// Clickable controls (labels, images) that the keyboard can use as well: Tab reaches them, and
// Enter or Space clicks the one that has the focus.

class QWidget;

namespace tessaro {

/// Gives `control`, which has a Click() signal, the keyboard's way to it: Tab (not the mouse)
/// gives it the focus, it wears the style's focus frame while it has the focus and looks as
/// before otherwise, and Enter, Return or Space emits Click, once however long the key is held.
/// The Click may destroy the control. What does this is a child of the control.
void makeKeyboardClickable(QWidget& control);

} // namespace tessaro

#pragma once

// The keyboard focus as the control draws it on its own buttons and pictures. A style's focus
// frame takes the palette's highlight, which may be the very blue of the ground around the
// widget; this ring is chosen against that ground instead.

#include <QColor>

class QWidget;

namespace tessaro {

/// Draws a ring along the edges of `widget` (to be called at the end of its paint) that stands
/// out on `ground`, the colour around the widget: an outer band in white or black, whichever
/// stands out there (white where both do), and an inner line in the other, so that the ring also
/// parts from the widget's own face. Its widths grow with the widget's logical dpi.
void paintFocusRing(QWidget& widget, const QColor& ground);

/// Whether `widget` shows the keyboard focus: it has the focus and its window got there by keys.
bool showsKeyboardFocus(const QWidget& widget);

} // namespace tessaro

#pragma once

// The small pictures the control draws for itself: page arrows, the header-panel switches and
// the pictures of the three header buttons.

#include <QPixmap>

namespace tessaro::glyphs {

enum class Arrow { First, Previous, Next, Last };

/// A dark arrow on a transparent ground: 16 by 10 pixels for First and Last, 10 by 10 otherwise.
QPixmap pageArrow(Arrow arrow);
/// The "show the header panel" and "hide it" switches: a small chevron down or up.
QPixmap panelSwitch(bool show);
QPixmap findButton();
QPixmap totalsButton();
QPixmap exportButton();

} // namespace tessaro::glyphs

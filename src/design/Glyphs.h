#pragma once

// The small pictures the control draws for itself: page arrows, the header-panel switches and
// the pictures of the three header buttons. Each is drawn on demand for the screen that shows
// it: its designed size in pixels at 96 dpi grows with the screen's logical dpi as the twips
// layout does, it is drawn sharp at the screen's device pixel ratio, and its designed ink gives
// way to black or white where it would not stand out on the ground beneath.

#include <QColor>
#include <QPixmap>
#include <QSize>

#include <functional>

class QPainter;

namespace tessaro::glyphs {

/// A picture as designed: its size at 96 dpi, its ink, and how to draw it in an ink at that size.
struct Glyph {
    QSize size;
    QColor ink;
    std::function<void(QPainter&, const QColor& ink)> draw;

    /// Its size `scale` times the designed one, in whole pixels.
    QSize scaledSize(double scale) const;
    /// The picture `scale` times its designed size, drawn at `pixelRatio` device pixels per
    /// pixel, in `ink`; transparent where nothing is drawn.
    QPixmap render(double scale, double pixelRatio, const QColor& ink) const;
};

enum class Arrow { First, Previous, Next, Last };

/// A dark arrow: 16 by 10 pixels for First and Last, 10 by 10 otherwise.
Glyph pageArrow(Arrow arrow);
/// The "show the header panel" and "hide it" switches, 50 by 9: a tab 28 by 6 from the top edge
/// in the ink, with a chevron down or up cut out of it.
Glyph panelSwitch(bool show);
/// The header buttons' pictures, 16 by 16; the export picture keeps its own colours.
Glyph findButton();
Glyph totalsButton();
Glyph exportButton();

} // namespace tessaro::glyphs

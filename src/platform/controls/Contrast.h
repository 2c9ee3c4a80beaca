#pragma once

// Whether one colour stands out on another, for text and marks drawn on grounds the design or
// the host's palette chose: a designed ground keeps its colour in a light and a dark palette,
// so what is drawn on it may have to change instead.

#include <QColor>

namespace tessaro {

/// The contrast ratio of two colours by their relative luminance: 1 for equal luminance, 21 for
/// black on white.
double contrastRatio(const QColor& first, const QColor& second);

/// True when `ink` stands out on `ground`: a ratio of at least 3, the least at which a mark or a
/// caption of the control's sizes is still told apart from its ground.
bool standsOut(const QColor& ink, const QColor& ground);

/// `preferred` when it stands out on `ground`, else black or white, whichever stands out more.
QColor readableOn(const QColor& ground, const QColor& preferred);

} // namespace tessaro

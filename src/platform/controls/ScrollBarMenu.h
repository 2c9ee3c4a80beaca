#pragma once

// The context menu of a scroll bar in the host's language. Qt builds that menu itself and names
// its commands in Qt's translation, English unless the host installed one.

#include <QScrollBar>

namespace tessaro {

/// The commands of a scroll bar's context menu, for either direction. An empty caption keeps
/// Qt's own text.
struct ScrollBarMenuCaptions {
    QString here;
    QString leftEdge, rightEdge, pageLeft, pageRight, stepLeft, stepRight;
    QString top, bottom, pageUp, pageDown, stepUp, stepDown;
};

/// From now on the context menu of `bar` shows `captions`; a later call replaces them. The
/// commands and what they do stay Qt's own. What this installs is owned by `bar`.
void setScrollBarMenuCaptions(QScrollBar& bar, const ScrollBarMenuCaptions& captions);

} // namespace tessaro

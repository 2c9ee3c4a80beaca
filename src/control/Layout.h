#pragma once

// Fitting the control's children to its size: the panel and the list take the control's
// width, the list the height left by the switch strip, the panel and the page bar, and the
// page bar sits under the list.

#include "control/HeaderPanel.h"
#include "platform/controls/Frame.h"

#include <tessaro/ListView.h>

#include <QWidget>

namespace tessaro {

class ControlLayout {
public:
    /// All four must outlive the layout.
    ControlLayout(QWidget& control, HeaderPanel& header, tessaro::ListView& list, Frame& pageFrame);

    /// Fits the children, letting other notifications run half way (they may destroy the
    /// control). False when the control went meanwhile: neither it nor this layout may be
    /// touched then. A control lower than the panel grows to the panel's height; a list
    /// height that comes out negative is skipped.
    bool fit();

private:
    QWidget& m_control;
    HeaderPanel& m_header;
    tessaro::ListView& m_list;
    Frame& m_pageFrame;
};

/// The whole rows `list` shows at its height, at least 1: its items' height, or a guessed one
/// while it has none, less a row when the columns are wider than the list.
int RigheVisibili(const tessaro::ListView& list) noexcept;

} // namespace tessaro

#pragma once

// What screen readers say for the control's children. A control with a caption is named by it as
// Qt reads it, live (the record count and page numbers change at every page). The others are
// named here: icon-only buttons and images by their tooltip (the header buttons, the panel
// switches and the page bar get one that follows the language), a field by the captions of the labels that introduce it, and the panel
// and the page frame by a caption on them. A description is the tooltip where there is one (read
// live as well), else the name.

#include <QWidget>

namespace tessaro {

/// Names the children of `control` from their present captions and tooltips, and gives the
/// header buttons their designed tooltips. Run once the children are built.
void describeChildControls(QWidget& control);

/// The same after the language changed: the tooltips of the header buttons, the panel switches
/// and the page bar follow the language's texts (the designed ones where the language has none),
/// and every name follows its caption.
void redescribeChildControls(QWidget& control);

} // namespace tessaro

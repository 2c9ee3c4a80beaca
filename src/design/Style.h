#pragma once

// Building the child controls as the layout table describes them: placement, faces, colours.

#include "design/Glyphs.h"
#include "design/DesignedLayout.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"

#include <QColor>
#include <QPalette>

namespace tessaro::design {

/// Moves and sizes `control` to `box` (twips).
template <class Control>
void place(Control& control, const Box& box)
{
    control.Move(box.left, box.top, box.width, box.height);
}

/// The caption size in `family`; a missing caption or arrow face is replaced by its stand-in.
void setFontFamily(QWidget* widget, const char* family);
/// Text in `colour` on labels, buttons and fields alike.
void setTextColour(QWidget* widget, const QColor& colour);

/// `glyph` as `widget` shows it: at the widget's logical dpi and pixel ratio, in its designed ink
/// where that stands out on the widget's ground (`ground` of its palette), else in black or white.
QPixmap glyphFor(const glyphs::Glyph& glyph, const QWidget& widget, QPalette::ColorRole ground = QPalette::Window);

/// A label of `parent` as `row` describes it, owned by `parent`.
Label* makeLabel(const LabelDesign& row, QWidget* parent);
/// A page arrow with a hand pointer, owned by `parent`.
Image* makeArrow(const char* name, glyphs::Arrow arrow, const Box& box, const char* toolTip, QWidget* parent);
/// A button showing `picture`, owned by `parent`; the picture grows with the screen's logical dpi
/// and is sharp at single and double pixel ratios.
CommandButton* makePictureButton(const char* name, const glyphs::Glyph& picture, const Box& box, QWidget* parent);

} // namespace tessaro::design

#include "platform/controls/OptionButton.h"

#include "platform/controls/Contrast.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace tessaro {
namespace {

// Styles draw the mark in the Text colour on a Base disc; a caption coloured for a dark ground
// (Text set with the caption's colour) would leave a white mark on a white disc.
QColor markColour(const QPalette& colours)
{
    const QColor disc = colours.color(QPalette::Base);
    const QColor text = colours.color(QPalette::Text);
    if (standsOut(text, disc))
        return text;
    return readableOn(disc, colours.color(QPalette::Window));
}

} // namespace

void OptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QPalette::ColorGroup current = option.palette.currentColorGroup();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        option.palette.setCurrentColorGroup(group);
        option.palette.setColor(group, QPalette::Text, markColour(option.palette));
    }
    option.palette.setCurrentColorGroup(current);
    painter.drawControl(QStyle::CE_RadioButton, option);
}

} // namespace tessaro

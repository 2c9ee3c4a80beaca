#include "design/Style.h"

#include "platform/controls/Contrast.h"
#include "platform/controls/TwipsGeometry.h"

#include <QFont>
#include <QIcon>
#include <QPalette>

#include <algorithm>
#include <iterator>

namespace tessaro::design {
namespace {

// Button pictures are kept at these device pixel ratios besides the screen's own.
constexpr double kIconRatios[] = {1, 2};

// The glyphs' sizes are pixels at the dots per inch the twips layout is designed at.
double designScale(const QWidget& widget)
{
    const int dpi = widget.logicalDpiX();
    return dpi > 0 ? dpi / double(TwipsGeometry::kDesignedDpi) : 1.0;
}

} // namespace

QPixmap glyphFor(const glyphs::Glyph& glyph, const QWidget& widget, QPalette::ColorRole ground)
{
    const QColor ink = readableOn(widget.palette().color(ground), glyph.ink);
    return glyph.render(designScale(widget), widget.devicePixelRatioF(), ink);
}

void setFontFamily(QWidget* widget, const char* family)
{
    static const bool substituted = [] {
        QFont::insertSubstitution(QLatin1String(kCaptionFace), QLatin1String(kCaptionFaceStandIn));
        QFont::insertSubstitution(QLatin1String(kArrowFace), QLatin1String(kArrowFaceStandIn));
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font = widget->font();
    font.setFamily(QString::fromLatin1(family));
    font.setPointSizeF(kCaptionPoints);
    font.setBold(false);
    widget->setFont(font);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

Label* makeLabel(const LabelDesign& row, QWidget* parent)
{
    auto* label = new Label(QString::fromLatin1(row.name), parent);
    label->setText(QString::fromUtf8(row.caption));
    place(*label, row.box);
    setFontFamily(label, row.face);
    label->setToolTip(QString::fromUtf8(row.toolTip));
    label->setMousePointer(row.pointer);
    label->setAlignment(row.alignment | Qt::AlignTop);
    label->setVisible(row.visible);
    return label;
}

Image* makeArrow(const char* name, glyphs::Arrow arrow, const Box& box, const char* toolTip, QWidget* parent)
{
    auto* image = new Image(QString::fromLatin1(name), parent);
    image->setPicture([glyph = glyphs::pageArrow(arrow)](const QWidget& shownOn) { return glyphFor(glyph, shownOn); });
    place(*image, box);
    image->setToolTip(QString::fromUtf8(toolTip));
    image->setMousePointer(PointerShape::Hand);
    return image;
}

CommandButton* makePictureButton(const char* name, const glyphs::Glyph& picture, const Box& box, QWidget* parent)
{
    auto* button = new CommandButton(QString::fromLatin1(name), parent);
    const double scale = designScale(*button);
    const QColor ink = readableOn(button->palette().color(QPalette::Button), picture.ink);
    QIcon icon;
    for (double ratio : kIconRatios)
        icon.addPixmap(picture.render(scale, ratio, ink));
    const qreal screenRatio = button->devicePixelRatioF();
    if (std::find(std::begin(kIconRatios), std::end(kIconRatios), screenRatio) == std::end(kIconRatios))
        icon.addPixmap(picture.render(scale, screenRatio, ink));
    button->setIcon(icon);
    button->setIconSize(picture.scaledSize(scale));
    place(*button, box);
    return button;
}

} // namespace tessaro::design

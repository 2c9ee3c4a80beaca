#include "design/Style.h"

#include <QFont>
#include <QIcon>
#include <QPalette>

namespace tessaro::design {

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
    image->setPicture(glyphs::pageArrow(arrow));
    place(*image, box);
    image->setToolTip(QString::fromUtf8(toolTip));
    image->setMousePointer(PointerShape::Hand);
    return image;
}

CommandButton* makePictureButton(const char* name, const QPixmap& picture, const Box& box, QWidget* parent)
{
    auto* button = new CommandButton(QString::fromLatin1(name), parent);
    button->setIcon(QIcon(picture));
    place(*button, box);
    return button;
}

} // namespace tessaro::design

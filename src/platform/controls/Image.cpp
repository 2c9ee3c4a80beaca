#include "platform/controls/Image.h"

#include "platform/controls/ControlSupport.h"

namespace tessaro {

Image::Image(const QString& name, QWidget* parent) : QLabel(parent), TwipsGeometry(this)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
}

void Image::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
}

void Image::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void Image::mouseReleaseEvent(QMouseEvent* event)
{
    if (isClickRelease(this, event))
        emit Click();
}

} // namespace tessaro

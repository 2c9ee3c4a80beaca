#include "platform/controls/Image.h"

namespace tessaro {

Image::Image(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
}

void Image::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
}

} // namespace tessaro

#include "platform/controls/Image.h"

#include <QPainter>
#include <QStyle>

namespace tessaro {

// A drawn picture is placed as the label places a given one: aligned in the contents rectangle.
void Image::paintEvent(QPaintEvent* event)
{
    if (!m_drawn.isSet()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event);
    const QPixmap& picture = m_drawn.pictureFor(*this);
    if (picture.isNull())
        return;
    const QSize size = (QSizeF(picture.size()) / picture.devicePixelRatio()).toSize();
    QPainter painter(this);
    painter.drawPixmap(QStyle::alignedRect(layoutDirection(), alignment(), size, contentsRect()), picture);
}

} // namespace tessaro

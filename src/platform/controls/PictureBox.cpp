#include "platform/controls/PictureBox.h"

#include <QPainter>

namespace tessaro {

PictureBox::PictureBox(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this, name)
{
    setFrameShape(QFrame::NoFrame);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }
}

} // namespace tessaro

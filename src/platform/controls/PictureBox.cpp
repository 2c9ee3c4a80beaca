#include "platform/controls/PictureBox.h"

#include <QPainter>

namespace tessaro {

PictureBox::PictureBox(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this, name)
{
    setFrameShape(QFrame::NoFrame);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_drawn.set({});
    m_picture = picture;
    update();
}

void PictureBox::setPicture(PictureDrawer drawer)
{
    m_drawn.set(std::move(drawer));
    m_picture = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QPixmap& picture = m_drawn.isSet() ? m_drawn.pictureFor(*this) : m_picture;
    if (!picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, picture);
    }
}

} // namespace tessaro

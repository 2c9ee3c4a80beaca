#include "platform/controls/DrawnPicture.h"

#include <QWidget>

namespace tessaro {

void DrawnPicture::set(PictureDrawer drawer)
{
    m_drawer = std::move(drawer);
    m_picture = QPixmap();
    m_dpi = 0;
}

const QPixmap& DrawnPicture::pictureFor(const QWidget& widget)
{
    if (!m_drawer)
        return m_picture;
    const int dpi = widget.logicalDpiX();
    const qreal ratio = widget.devicePixelRatioF();
    const qint64 paletteKey = widget.palette().cacheKey();
    if (m_picture.isNull() || dpi != m_dpi || ratio != m_ratio || paletteKey != m_paletteKey) {
        m_picture = m_drawer(widget);
        m_dpi = dpi;
        m_ratio = ratio;
        m_paletteKey = paletteKey;
    }
    return m_picture;
}

} // namespace tessaro

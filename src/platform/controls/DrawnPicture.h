#pragma once

// A picture a widget draws for itself rather than shows as given: drawn for the widget's logical
// dpi (a layout in twips grows with it), its device pixel ratio (sharp at any scale factor) and
// its colours (readable on whatever ground it sits), and drawn again when any of them changes.

#include <QPixmap>

#include <functional>

class QWidget;

namespace tessaro {

/// Draws the picture `shownOn` shows, for that widget's screen and palette.
using PictureDrawer = std::function<QPixmap(const QWidget& shownOn)>;

class DrawnPicture {
public:
    void set(PictureDrawer drawer);
    bool isSet() const { return static_cast<bool>(m_drawer); }
    /// The picture for `widget` as it is now; a null picture when no drawer is set.
    const QPixmap& pictureFor(const QWidget& widget);

private:
    PictureDrawer m_drawer;
    QPixmap m_picture;
    int m_dpi = 0;
    qreal m_ratio = 0;
    qint64 m_paletteKey = 0;
};

} // namespace tessaro

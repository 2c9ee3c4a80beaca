#pragma once

#include "platform/controls/ControlSupport.h"
#include "platform/controls/DrawnPicture.h"
#include "platform/controls/TwipsGeometry.h"

#include <QLabel>

namespace tessaro {

/// An image control: shows a picture centred in its twips box; emits Click on a left click.
class Image : public ClickSource<QLabel, Image>, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES

public:
    explicit Image(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this, name)
    {
        setAlignment(Qt::AlignCenter);
    }
    void setPicture(const QPixmap& picture)
    {
        m_drawn.set({});
        setPixmap(picture);
    }
    /// A picture drawn for the image's screen and colours (see DrawnPicture), in place of a given one.
    void setPicture(PictureDrawer drawer)
    {
        m_drawn.set(std::move(drawer));
        setPixmap(QPixmap());
        update();
    }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawnPicture m_drawn;
};

} // namespace tessaro

#pragma once

#include "platform/controls/ControlSupport.h"
#include "platform/controls/DrawnPicture.h"
#include "platform/controls/TwipsGeometry.h"

#include <QFrame>

namespace tessaro {

/// A picture box or frame: a container with its own background colour and an optional picture
/// drawn at its top left; emits Click on a left click on its own ground.
class PictureBox : public ClickSource<QFrame, PictureBox>, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QColor BackColor READ BackColor WRITE setBackColor)

public:
    explicit PictureBox(const QString& name, QWidget* parent);
    QColor BackColor() const { return palette().color(QPalette::Window); }
    void setBackColor(const QColor& colour) { setSolidBackground(this, colour); }
    void setPicture(const QPixmap& picture);
    /// A picture drawn for the box's screen and colours (see DrawnPicture), in place of a given one.
    void setPicture(PictureDrawer drawer);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    DrawnPicture m_drawn;
};

} // namespace tessaro

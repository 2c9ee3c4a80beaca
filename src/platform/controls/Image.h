#pragma once

#include "platform/controls/ControlSupport.h"
#include "platform/controls/TwipsGeometry.h"

#include <QLabel>

namespace tessaro {

/// An image control: shows a picture scaled into its twips box; emits Click on a left click.
class Image : public ClickSource<QLabel>, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES

public:
    explicit Image(const QString& name, QWidget* parent);
    void setPicture(const QPixmap& picture);

signals:
    void Click();

private:
    void clicked() override { emit Click(); }
};

} // namespace tessaro

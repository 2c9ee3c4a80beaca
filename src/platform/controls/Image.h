#pragma once

#include "platform/controls/ControlSupport.h"
#include "platform/controls/TwipsGeometry.h"

#include <QLabel>

namespace tessaro {

/// An image control: shows a picture scaled into its twips box; emits Click on a left click.
class Image : public ClickSource<QLabel, Image>, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES

public:
    explicit Image(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this, name)
    {
        setAlignment(Qt::AlignCenter);
    }
    void setPicture(const QPixmap& picture) { setPixmap(picture); }

signals:
    void Click();
};

} // namespace tessaro

#pragma once

#include "platform/controls/TwipsGeometry.h"

#include <QPushButton>

namespace tessaro {

/// A push button placed in twips, showing a caption or a picture; `clicked` is its Click. The
/// keyboard focus shows as a ring that stands out on the parent's ground (FocusRing.h).
class CommandButton : public QPushButton, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit CommandButton(const QString& name, QWidget* parent) : QPushButton(parent), TwipsGeometry(this, name) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessaro

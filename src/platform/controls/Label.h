#pragma once

#include "platform/controls/ControlSupport.h"
#include "platform/controls/TwipsGeometry.h"

#include <QLabel>

namespace tessaro {

/// A label placed in twips; emits Click on a left click.
class Label : public ClickSource<QLabel, Label>, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit Label(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this, name) {}

signals:
    void Click();
};

} // namespace tessaro

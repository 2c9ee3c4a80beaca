#pragma once

#include "platform/controls/TwipsGeometry.h"

#include <QLabel>

namespace tessaro {

/// A label placed in twips; emits Click on a left click.
class Label : public QLabel, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)

public:
    explicit Label(const QString& name, QWidget* parent);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tessaro

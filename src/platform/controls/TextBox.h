#pragma once

#include "platform/controls/TwipsGeometry.h"

#include <QLineEdit>

namespace tessaro {

/// A single-line text box placed in twips.
class TextBox : public QLineEdit, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Text READ text WRITE setText)

public:
    explicit TextBox(const QString& name, QWidget* parent) : QLineEdit(parent), TwipsGeometry(this, name) {}
    QString Text() const { return text(); }
};

} // namespace tessaro

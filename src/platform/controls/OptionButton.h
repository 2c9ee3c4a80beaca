#pragma once

#include "platform/controls/TwipsGeometry.h"

#include <QRadioButton>

namespace tessaro {

/// An option button placed in twips; buttons with the same parent form one group.
class OptionButton : public QRadioButton, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Value READ isChecked WRITE setChecked)

public:
    explicit OptionButton(const QString& name, QWidget* parent) : QRadioButton(parent), TwipsGeometry(this, name) {}
    bool Value() const { return isChecked(); }
};

} // namespace tessaro

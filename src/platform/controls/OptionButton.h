#pragma once

#include "platform/controls/TwipsGeometry.h"

#include <QRadioButton>

namespace tessaro {

/// An option button placed in twips; buttons with the same parent form one group. Its mark
/// (the dot of the chosen button) always stands out on its disc, whatever colours the caption
/// was given: the caption's colour when it does, else the colour of the ground the button sits
/// on, else black or white.
class OptionButton : public QRadioButton, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(bool Value READ isChecked WRITE setChecked)

public:
    explicit OptionButton(const QString& name, QWidget* parent) : QRadioButton(parent), TwipsGeometry(this, name) {}
    bool Value() const { return isChecked(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessaro

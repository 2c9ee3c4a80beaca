#pragma once

#include "platform/controls/TwipsGeometry.h"

#include <QComboBox>

namespace tessaro {

/// A drop-down combo with an edit field, placed in twips. ListIndex is -1 when no entry is
/// chosen, including after Text is set to anything but the chosen entry's text; setting an index
/// outside -1..ListCount-1 throws Error 380.
///
/// Tab and Shift+Tab leave it even while its drop-down list is open: the list closes and the focus
/// moves on, as when the list is closed.
class ComboBox : public QComboBox, public TwipsGeometry {
    Q_OBJECT
    TESSARO_TWIPS_PROPERTIES
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(int ListIndex READ ListIndex WRITE setListIndex)
    Q_PROPERTY(int ListCount READ ListCount)

public:
    explicit ComboBox(const QString& name, QWidget* parent);

    QString Text() const { return currentText(); }
    void setText(const QString& text);
    int ListIndex() const { return currentIndex(); }
    void setListIndex(int index);
    int ListCount() const { return count(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tessaro

#include "platform/controls/ComboBox.h"

#include "platform/Failure.h"

#include <QLineEdit>

namespace tessaro {

ComboBox::ComboBox(const QString& name, QWidget* parent) : QComboBox(parent), TwipsGeometry(this)
{
    setObjectName(name);
    setEditable(true);
    // Typed text must never become a new entry: the list holds only what the control put there.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

void ComboBox::setText(const QString& text)
{
    if (lineEdit())
        lineEdit()->setText(text);
    else
        setCurrentText(text);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        raiseError(Error::InvalidPropertyValue);
    setCurrentIndex(index);
}

} // namespace tessaro

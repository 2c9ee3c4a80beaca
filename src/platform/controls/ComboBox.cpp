#include "platform/controls/ComboBox.h"

#include "platform/Failure.h"

namespace tessaro {

ComboBox::ComboBox(const QString& name, QWidget* parent) : QComboBox(parent), TwipsGeometry(this, name)
{
    setEditable(true);
    // Typed text must never become a new entry: the list holds only what the control put there.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
}

// The chosen entry goes once the edit text no longer shows it; a Qt combo would keep the entry
// chosen behind any text.
void ComboBox::setText(const QString& text)
{
    if (currentIndex() >= 0 && itemText(currentIndex()) != text)
        setCurrentIndex(-1);
    setCurrentText(text);
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        raiseError(Error::InvalidPropertyValue);
    setCurrentIndex(index);
}

} // namespace tessaro

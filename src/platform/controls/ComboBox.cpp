#include "platform/controls/ComboBox.h"

#include "platform/Failure.h"
#include "platform/controls/KeyEvents.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPointer>

namespace tessaro {

ComboBox::ComboBox(const QString& name, QWidget* parent) : QComboBox(parent), TwipsGeometry(this, name)
{
    setEditable(true);
    // Typed text must never become a new entry: the list holds only what the control put there.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // The open list has the keys; Tab among them would otherwise stay inside it.
    view()->installEventFilter(this);
}

bool ComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != view() || event->type() != QEvent::KeyPress)
        return QComboBox::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    // Shift only turns Tab around; Ctrl or Alt make it another key, left to the list.
    if (!tab || (key.modifiers() & kShiftCtrlAlt & ~Qt::ShiftModifier))
        return QComboBox::eventFilter(watched, event);
    const bool forwards = key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier);
    // Closing the list hands the focus back to the combo, and whoever hears of that may destroy it.
    const QPointer<ComboBox> alive(this);
    hidePopup();
    if (alive)
        focusNextPrevChild(forwards);
    return true;
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

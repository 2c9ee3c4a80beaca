#include "search/CompletaCombo.h"

#include "platform/Failure.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/KeyEvents.h"

#include <QLineEdit>

namespace tessaro {
namespace {

QLineEdit& editOf(ComboBox& combo)
{
    if (!combo.lineEdit())
        raiseError(Error::ObjectVariableNotSet);
    return *combo.lineEdit();
}

// SelStart: where the selection starts, or the caret when nothing is selected.
int selStart(const QLineEdit& edit)
{
    return edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
}

int selLength(const QLineEdit& edit)
{
    return static_cast<int>(edit.selectedText().size());
}

// The first entry that begins with `prefix`, ignoring case; -1 for none.
int findString(const ComboBox& combo, const QString& prefix)
{
    for (int i = 0; i < combo.count(); ++i) {
        if (combo.itemText(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace

int CompletaCombo(ComboBox& combo, int KeyAscii, bool LimitToList)
{
    QLineEdit& edit = editOf(combo);
    const QString text = combo.Text();
    const int start = selStart(edit);
    const int length = selLength(edit);
    QString prefix;
    if (KeyAscii == key::Backspace) {
        if (start <= 1) {
            combo.setText(QString());
            return 0;
        }
        prefix = length == 0 ? text.chopped(1).toUpper() : text.left(start - 1);
    } else if (KeyAscii < key::FirstTyped || KeyAscii > key::LastAscii) {
        return 0;
    } else {
        const QChar typed(static_cast<char16_t>(KeyAscii));
        prefix = length == 0 ? text.toUpper() + typed : text.left(start) + typed;
    }

    const int found = findString(combo, prefix);
    if (found == -1)
        return LimitToList ? 0 : KeyAscii;
    combo.setListIndex(found);
    const QString entry = combo.itemText(found);
    if (combo.Text() != entry)
        combo.setText(entry);
    const int selected = static_cast<int>(prefix.size());
    edit.setSelection(selected, static_cast<int>(entry.size()) - selected);
    return 0;
}

} // namespace tessaro

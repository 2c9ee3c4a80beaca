#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/controls/KeyEvents.h"
#include "search/CompletaCombo.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tessaro {
namespace {

// What the Tab key does in the focused control: the focus moves to the next control in tab
// order. An open drop-down list closes first, as it would when its combo loses the focus.
void moveFocusOn(ComboBox& combo)
{
    combo.hidePopup();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(&combo, &tab);
}

} // namespace

// Alt+Down is a keystroke: it takes effect once the focus change has been handled, and only if
// the combo still has the focus then.
void Tessaro::cmbCercaIn_GotFocus()
{
    ComboBox* combo = d->cmbCercaIn;
    skipFailure([&] {
        QMetaObject::invokeMethod(
            combo,
            [combo] {
                if (combo->hasFocus())
                    combo->showPopup();
            },
            Qt::QueuedConnection);
    });
}

void Tessaro::cmbCercaIn_KeyPress(int& KeyAscii)
{
    if (KeyAscii == key::Enter) {
        skipFailure([&] { moveFocusOn(*d->cmbCercaIn); });
        KeyAscii = 0;
    }
    skipFailure([&] { KeyAscii = CompletaCombo(*d->cmbCercaIn, KeyAscii, true); });
}

// The typed text chooses the entry it spells exactly, case included.
void Tessaro::cmbCercaIn_LostFocus()
{
    ComboBox& combo = *d->cmbCercaIn;
    skipFailure([&] {
        const QString text = combo.Text();
        for (int i = 0; i < combo.ListCount(); ++i) {
            if (combo.itemText(i) == text) {
                combo.setListIndex(i);
                return;
            }
        }
    });
}

void Tessaro::txtRicerca_KeyPress(int& KeyAscii)
{
    if (KeyAscii == key::Enter)
        cmdTrova_Click();
}

} // namespace tessaro

#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "search/ClassicKeyEvents.h"
#include "search/CompletaCombo.h"

#include <QAbstractItemView>
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

// The open list follows the entry the typing chose.
void showChosenEntry(ComboBox& combo)
{
    QAbstractItemView* list = combo.view();
    if (list->isVisible())
        list->setCurrentIndex(combo.model()->index(combo.currentIndex(), combo.modelColumn()));
}

} // namespace

void Tessaro::connectSearch()
{
    ComboBox* combo = d->cmbCercaIn;
    auto* comboEvents = new ClassicKeyEvents(combo);
    // Keys typed while the drop-down list is open reach its view; they are the combo's keys.
    comboEvents->alsoWatch(combo->view());
    comboEvents->onGotFocus([this] { cmbCercaIn_GotFocus(); });
    comboEvents->onLostFocus([this] { cmbCercaIn_LostFocus(); });
    comboEvents->onKeyPress([this, combo](int& KeyAscii) {
        cmbCercaIn_KeyPress(KeyAscii);
        skipFailure([&] { showChosenEntry(*combo); });
    });

    auto* textEvents = new ClassicKeyEvents(d->txtRicerca);
    textEvents->onKeyPress([this](int& KeyAscii) { txtRicerca_KeyPress(KeyAscii); });

    connect(d->cmdTrova, &QPushButton::clicked, this, [this] { cmdTrova_Click(); });
}

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
    if (KeyAscii == 13) {
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
    if (KeyAscii == 13)
        cmdTrova_Click();
}

} // namespace tessaro

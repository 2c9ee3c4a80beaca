#include "platform/controls/KeyEvents.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace tessaro {
namespace {

// Qt's key for a character code, for the key event that types a replaced character.
int qtKeyOf(int KeyAscii)
{
    switch (KeyAscii) {
    case key::Backspace: return Qt::Key_Backspace;
    case key::Enter: return Qt::Key_Return;
    case key::Escape: return Qt::Key_Escape;
    default: break;
    }
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        return Qt::Key_A + (KeyAscii - 'a');
    return KeyAscii > key::FirstTyped && KeyAscii < key::LastAscii ? KeyAscii : Qt::Key_unknown;
}

// Key codes of the keys that type no letter or digit.
const QHash<int, int>& namedKeys()
{
    static const QHash<int, int> keys = {
        {Qt::Key_Backspace, key::Backspace}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Clear, 12},
        {Qt::Key_Return, key::Enter}, {Qt::Key_Enter, key::Enter}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18}, {Qt::Key_Pause, 19}, {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, key::Escape},
        {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36}, {Qt::Key_Left, 37}, {Qt::Key_Up, 38}, {Qt::Key_Right, 39},
        {Qt::Key_Down, 40}, {Qt::Key_Print, 42}, {Qt::Key_Insert, 45}, {Qt::Key_Delete, key::Delete},
        {Qt::Key_Help, 47}, {Qt::Key_Meta, 91}, {Qt::Key_Menu, 93}, {Qt::Key_NumLock, 144},
        {Qt::Key_ScrollLock, 145},
    };
    return keys;
}

constexpr int kFirstFunctionKey = 112; // F1; F2 to F24 follow it
constexpr int kFirstControlCode = 1;   // Ctrl+A; Ctrl+B to Ctrl+Z follow it

// The character code a key press gives KeyPress: 8 Backspace, 13 Enter, 27 Escape, else the
// code of the character the key types (Ctrl+letter its control code). 0 for keys that type
// nothing (arrows, function keys, Delete, Tab, which moves the focus).
int keyAsciiOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return key::Backspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::Enter;
    case Qt::Key_Escape: return key::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return 0;
    default: break;
    }
    // Some key sources give Ctrl+letter the letter's text; its code is the control code all the same.
    const Qt::KeyboardModifiers held = event.modifiers() & kShiftCtrlAlt;
    if ((held & Qt::ControlModifier) && !(held & Qt::AltModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return kFirstControlCode + (event.key() - Qt::Key_A);
    const QList<uint> characters = event.text().toUcs4();
    if (characters.isEmpty() || characters.front() == key::Rubout)
        return 0;
    return static_cast<int>(characters.front());
}

} // namespace

int keyCodeOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return kFirstFunctionKey + (qtKey - Qt::Key_F1);
    return namedKeys().value(qtKey, qtKey);
}

int shiftOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

bool isPlainEnter(const QKeyEvent& event)
{
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && !(event.modifiers() & kShiftCtrlAlt);
}

bool isClickKey(const QKeyEvent& event)
{
    return isPlainEnter(event) || (event.key() == Qt::Key_Space && !(event.modifiers() & kShiftCtrlAlt));
}

KeyEvents::KeyEvents(QWidget* control) : QObject(control), m_control(control)
{
    control->installEventFilter(this);
}

void KeyEvents::alsoWatch(QWidget* other)
{
    other->installEventFilter(this);
}

bool KeyEvents::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return !m_retyping && m_keyPress && keyPress(watched, static_cast<QKeyEvent&>(*event));
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (watched != m_control || reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        const Notification& handler = event->type() == QEvent::FocusIn ? m_gotFocus : m_lostFocus;
        if (handler)
            handler();
        return false;
    }
    default:
        return false;
    }
}

// Returns whether the key was taken away from the widget.
bool KeyEvents::keyPress(QObject* watched, QKeyEvent& event)
{
    const int original = keyAsciiOf(event);
    // Escape closes an open drop-down list, whatever the control makes of the character.
    if (original == 0 || (watched != m_control && original == key::Escape))
        return false;
    int KeyAscii = original;
    m_keyPress(KeyAscii);
    if (KeyAscii == original)
        return false;
    if (KeyAscii != 0) {
        const QScopedValueRollback<bool> once(m_retyping, true);
        const char32_t typed = static_cast<char32_t>(KeyAscii);
        QKeyEvent replacement(QEvent::KeyPress, qtKeyOf(KeyAscii), event.modifiers(), QString::fromUcs4(&typed, 1));
        QCoreApplication::sendEvent(watched, &replacement);
    }
    return true;
}

} // namespace tessaro

#include "search/ClassicKeyEvents.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QWidget>

namespace tessaro {
namespace {

constexpr int kEscape = 27;

// Qt's key for a character code, for the key event that types a replaced character.
int qtKeyOf(int KeyAscii)
{
    switch (KeyAscii) {
    case 8: return Qt::Key_Backspace;
    case 13: return Qt::Key_Return;
    case kEscape: return Qt::Key_Escape;
    default: break;
    }
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        return Qt::Key_A + (KeyAscii - 'a');
    return KeyAscii > 32 && KeyAscii < 127 ? KeyAscii : Qt::Key_unknown;
}

} // namespace

int keyAsciiOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return kEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return 0;
    default: break;
    }
    const QList<uint> characters = event.text().toUcs4();
    if (characters.isEmpty() || characters.front() == 127)
        return 0;
    return static_cast<int>(characters.front());
}

ClassicKeyEvents::ClassicKeyEvents(QWidget* control) : QObject(control), m_control(control)
{
    control->installEventFilter(this);
}

void ClassicKeyEvents::alsoWatch(QWidget* other)
{
    other->installEventFilter(this);
}

bool ClassicKeyEvents::eventFilter(QObject* watched, QEvent* event)
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
bool ClassicKeyEvents::keyPress(QObject* watched, QKeyEvent& event)
{
    const int original = keyAsciiOf(event);
    // Escape closes an open drop-down list, whatever the control makes of the character.
    if (original == 0 || (watched != m_control && original == kEscape))
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

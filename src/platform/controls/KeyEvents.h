#pragma once

// Keys as the control's handlers see them: the character code of a key press, the key code and
// modifier bits of the list's KeyUp, and the KeyPress, GotFocus and LostFocus notifications of a
// child control, raised from the Qt events that reach it.

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace tessaro {

/// Character and key codes the handlers compare against.
namespace key {
constexpr int CtrlA = 1; // the character Ctrl+A sends
constexpr int Backspace = 8;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Delete = 46;   // a key code (KeyUp); Delete types no character
constexpr int FirstTyped = 32;
constexpr int LastAscii = 127;
constexpr int Rubout = 127;  // the character Delete sends on some systems: it types nothing
} // namespace key

/// The key code of a Qt key: letters and digits their upper-case character code,
/// the editing, navigation and function keys their own codes (Delete 46), any other key Qt's code.
int keyCodeOf(int qtKey);

/// 1 Shift + 2 Ctrl + 4 Alt.
int shiftOf(Qt::KeyboardModifiers modifiers);

/// The modifiers that give a key another meaning. The keypad and Meta bits are not among them:
/// keypad Enter is still Enter.
inline constexpr Qt::KeyboardModifiers kShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

/// Return, or Enter on the keypad, with none of Shift, Ctrl and Alt held.
bool isPlainEnter(const QKeyEvent& event);
/// Enter, Return or Space without Shift, Ctrl or Alt: the keys that click a focused control.
bool isClickKey(const QKeyEvent& event);

/// Watches one widget (the parent of this object). KeyPress gets the key's character code and
/// may change it: 0 swallows the key, another code types that character instead.
///
/// GotFocus and LostFocus follow the input focus moving between controls. The focus a drop-down
/// list takes while it is open, and the focus a window loses and regains when the user switches
/// to another window, are not such moves and raise nothing.
class KeyEvents : public QObject {
    Q_OBJECT

public:
    using KeyPress = std::function<void(int& KeyAscii)>;
    using Notification = std::function<void()>;

    explicit KeyEvents(QWidget* control);

    void onKeyPress(KeyPress handler) { m_keyPress = std::move(handler); }
    void onGotFocus(Notification handler) { m_gotFocus = std::move(handler); }
    void onLostFocus(Notification handler) { m_lostFocus = std::move(handler); }

    /// Also raises KeyPress for the character keys that reach `other` on the control's behalf,
    /// such as the open list of a combo box; its other keys are left to it.
    void alsoWatch(QWidget* other);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyPress(QObject* watched, QKeyEvent& event);

    QWidget* m_control;
    KeyPress m_keyPress;
    Notification m_gotFocus;
    Notification m_lostFocus;
    bool m_retyping = false;
};

} // namespace tessaro

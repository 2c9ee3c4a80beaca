#pragma once

// The classic KeyPress, GotFocus and LostFocus notifications of a child control, raised from the
// Qt events that reach it.

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace tessaro {

/// The character code a key press gives the classic KeyPress: 8 Backspace, 13 Enter, 27 Escape,
/// else the code of the character the key types (Ctrl+letter its control code). 0 for keys that
/// type nothing (arrows, function keys, Delete, Tab, which moves the focus).
int keyAsciiOf(const QKeyEvent& event);

/// Watches one widget (the parent of this object). KeyPress gets the key's character code and
/// may change it: 0 swallows the key, another code types that character instead.
///
/// GotFocus and LostFocus follow the input focus moving between controls. The focus a drop-down
/// list takes while it is open, and the focus a window loses and regains when the user switches
/// to another window, are not such moves and raise nothing.
class ClassicKeyEvents : public QObject {
    Q_OBJECT

public:
    using KeyPress = std::function<void(int& KeyAscii)>;
    using Notification = std::function<void()>;

    explicit ClassicKeyEvents(QWidget* control);

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

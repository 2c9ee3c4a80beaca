#pragma once

// Any yield to the event loop (processEvents, a modal message box) and any signal a host
// handles may destroy the control. A routine makes a guard on entry and asks it after each such
// point; once the control is gone the routine returns at once, touching nothing of it.

#include <QPointer>
#include <QWidget>

namespace tessaro {

class ControlGuard {
public:
    explicit ControlGuard(QWidget* control) : m_control(control) {}

    /// Whether the control has been destroyed since the guard was made.
    bool gone() const { return m_control.isNull(); }

private:
    QPointer<QWidget> m_control;
};

} // namespace tessaro

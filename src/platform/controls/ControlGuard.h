#pragma once

// Any yield to the event loop (processEvents, a modal message box) and any signal a host
// handles may destroy the control. A routine makes a guard on entry and asks it after each such
// point; once the control is gone the routine returns at once, touching nothing of it. A routine
// that is a list of such steps gives them to runSteps, which asks for it.

#include <QPointer>
#include <QWidget>

#include <type_traits>

namespace tessaro {

class ControlGuard {
public:
    explicit ControlGuard(QWidget* control) : m_control(control) {}

    /// Whether the control has been destroyed since the guard was made.
    bool gone() const { return m_control.isNull(); }

private:
    QPointer<QWidget> m_control;
};

namespace detail {

template <class Step>
bool runStep(Step& step)
{
    if constexpr (std::is_void_v<decltype(step())>) {
        step();
        return true;
    } else {
        return static_cast<bool>(step());
    }
}

} // namespace detail

/// Runs the steps of a routine of `control` in order. A step returns nothing, or false to end the
/// routine there; the routine also ends, touching nothing more, as soon as a step has destroyed
/// the control. Returns whether the control is still there. Failures pass on to the caller.
template <class... Steps>
bool runSteps(QWidget* control, Steps&&... steps)
{
    const ControlGuard guard(control);
    bool goOn = true;
    ((goOn = goOn && detail::runStep(steps) && !guard.gone()), ...);
    return !guard.gone();
}

} // namespace tessaro

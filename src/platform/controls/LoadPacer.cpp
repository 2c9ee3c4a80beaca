#include "platform/controls/LoadPacer.h"

#include "platform/controls/ControlGuard.h"
#include "platform/controls/KeyEvents.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWidget>

namespace tessaro {
namespace {

// A load shorter than this shows no progress: a count the user could not read would only flicker.
constexpr qint64 kQuietMilliseconds = 333;
// Between two yields: the window paints about 25 times a second and a stop is heard well
// within a tenth of a second, while the yields themselves cost a few percent of the load.
constexpr qint64 kYieldIntervalMilliseconds = 40;

bool onScrollBar(const QObject* object)
{
    for (; object; object = object->parent()) {
        if (qobject_cast<const QScrollBar*>(object))
            return true;
    }
    return false;
}

bool isEscapeKey(const QEvent& event)
{
    return static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
}

} // namespace

LoadPacer::LoadPacer(QWidget& control) : m_control(control) {}

LoadPacer::~LoadPacer() = default;

LoadPacer::Session::Session(LoadPacer& pacer, int total) : m_pacer(&pacer)
{
    pacer.m_busy = true;
    pacer.m_stopRequested = false;
    pacer.m_stopped = false;
    pacer.m_kept = 0;
    pacer.m_total = total;
    // The first rows are painted as soon as they are read: the time the query took to start
    // already counts towards the pause the user sees.
    pacer.m_nextYield = 0;
    pacer.m_clock.start();
}

LoadPacer::Session::~Session()
{
    if (!m_pacer)
        return;
    m_pacer->m_busy = false;
    m_pacer->m_clock.invalidate();
}

bool LoadPacer::yield(int done)
{
    if (m_view && m_clock.elapsed() >= kQuietMilliseconds)
        m_view(done, m_total);
    const QPointer<LoadPacer> self(this);
    const ControlGuard guard(&m_control);
    // Only for the span of the yield: the user's input between loads is none of the pacer's business.
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents();
    if (!self)
        return false;
    QCoreApplication::instance()->removeEventFilter(this);
    if (guard.gone())
        return false;
    if (m_stopRequested) {
        m_stopped = true;
        m_kept = done;
        return false;
    }
    m_nextYield = m_clock.elapsed() + kYieldIntervalMilliseconds;
    return true;
}

// Esc in another window (a host dialog opened meanwhile, say) is that window's own.
bool LoadPacer::isEscape(const QObject* watched, const QEvent& event) const
{
    const QWidget* widget = qobject_cast<const QWidget*>(watched);
    return isEscapeKey(event) && widget && widget->window() == m_control.window();
}

bool LoadPacer::insideControl(const QObject* object) const
{
    const QWidget* widget = qobject_cast<const QWidget*>(object);
    return widget && (widget == &m_control || m_control.isAncestorOf(widget));
}

bool LoadPacer::isStopWidget(const QObject* object) const
{
    const QWidget* widget = qobject_cast<const QWidget*>(object);
    if (!widget)
        return false;
    for (const QPointer<QWidget>& stop : m_stopWidgets) {
        if (stop && stop->isVisible() && (widget == stop || stop->isAncestorOf(widget)))
            return true;
    }
    return false;
}

// Esc stops the load wherever the focus is in the control's window; a press on a stop widget, or
// Enter or Space on a focused one, stops it too. Any other
// click or key aimed at the control is swallowed; the scroll bars stay free to move.
bool LoadPacer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepted, Esc reaches the focus widget as a key press rather than triggering a shortcut.
        if (isEscape(watched, *event))
            event->accept();
        return isEscape(watched, *event) || insideControl(watched);
    case QEvent::KeyPress:
        // A focused stop widget clicked from the keyboard stops the load as a press on it does.
        if (isEscape(watched, *event) || (isStopWidget(watched) && isClickKey(static_cast<const QKeyEvent&>(*event))))
            m_stopRequested = true;
        return isEscape(watched, *event) || insideControl(watched);
    case QEvent::KeyRelease: return isEscape(watched, *event) || insideControl(watched);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (isStopWidget(watched)) {
            m_stopRequested = true;
            return true;
        }
        return insideControl(watched) && !onScrollBar(watched);
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu: return insideControl(watched) && !onScrollBar(watched);
    default: return false;
    }
}

} // namespace tessaro

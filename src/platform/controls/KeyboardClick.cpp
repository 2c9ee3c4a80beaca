#include "platform/controls/KeyboardClick.h"

#include "platform/controls/FocusRing.h"
#include "platform/controls/KeyEvents.h"

#include <QKeyEvent>
#include <QWidget>

namespace tessaro {
namespace {

// Watches the control it is a child of.
class KeyboardClick final : public QObject {
    Q_OBJECT

public:
    explicit KeyboardClick(QWidget& control) : QObject(&control) { control.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto& control = static_cast<QWidget&>(*watched);
        switch (event->type()) {
        case QEvent::KeyPress: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (!control.hasFocus() || !isClickKey(key))
                return false;
            event->accept();
            if (!key.isAutoRepeat())
                QMetaObject::invokeMethod(&control, "Click", Qt::DirectConnection);
            return true;
        }
        case QEvent::Paint:
            if (!control.hasFocus())
                return false;
            // The control paints itself first, then the ring goes over it, chosen against the
            // ground the control stands on (its own Window colour).
            static_cast<QObject&>(control).event(event);
            paintFocusRing(control, control.palette().color(QPalette::Window));
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void makeKeyboardClickable(QWidget& control)
{
    control.setFocusPolicy(Qt::TabFocus);
    new KeyboardClick(control);
}

} // namespace tessaro

#include "KeyboardClick.moc"

#include "platform/controls/KeyboardClick.h"

#include "platform/controls/KeyEvents.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace tessaro {
namespace {

void paintFocusFrame(QWidget& control)
{
    QStyleOptionFocusRect frame;
    frame.initFrom(&control);
    frame.backgroundColor = control.palette().color(control.backgroundRole());
    QPainter painter(&control);
    control.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, &control);
}

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
            // The control paints itself first, then the frame goes over it.
            static_cast<QObject&>(control).event(event);
            paintFocusFrame(control);
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

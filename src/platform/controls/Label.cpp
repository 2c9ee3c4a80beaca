#include "platform/controls/Label.h"

#include "platform/controls/ControlSupport.h"

namespace tessaro {

Label::Label(const QString& name, QWidget* parent) : QLabel(parent), TwipsGeometry(this)
{
    setObjectName(name);
}

void Label::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    if (isClickRelease(this, event))
        emit Click();
}

} // namespace tessaro

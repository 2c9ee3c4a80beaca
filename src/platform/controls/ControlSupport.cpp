#include "platform/controls/ControlSupport.h"

#include <QPalette>

namespace tessaro {

void setSolidBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace tessaro

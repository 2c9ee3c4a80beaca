#include "platform/controls/CommandButton.h"

#include "platform/controls/FocusRing.h"

namespace tessaro {

void CommandButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (showsKeyboardFocus(*this))
        paintFocusRing(*this, parentWidget() ? parentWidget()->palette().color(QPalette::Window)
                                             : palette().color(QPalette::Window));
}

} // namespace tessaro

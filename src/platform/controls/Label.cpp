#include "platform/controls/Label.h"

namespace tessaro {

Label::Label(const QString& name, QWidget* parent) : ClickSource(parent), TwipsGeometry(this)
{
    setObjectName(name);
}

} // namespace tessaro

#include "DesignTimeTessaro.h"

#include <QSignalBlocker>

namespace tessaro::designer {

DesignTimeTessaro::DesignTimeTessaro(QWidget* parent) : Tessaro(parent)
{
    // The control saves its settings when its list loses the focus, as a user leaves it after
    // adjusting the columns.
    for (tessaro::ListView* list : findChildren<tessaro::ListView*>())
        QObject::disconnect(list, &tessaro::ListView::LostFocus, this, nullptr);
}

// The control files its settings under its object name and skips the save when it has none.
// Nobody hears the name go: the widget is on its way out of the form.
DesignTimeTessaro::~DesignTimeTessaro()
{
    const QSignalBlocker quiet(this);
    setObjectName(QString());
}

} // namespace tessaro::designer

#pragma once

// What Designer is told about a newly placed control: the Designer "domXml".

#include <QList>
#include <QSize>
#include <QString>

namespace tessaro::designer {

/// The short help of one property of tessaro::Tessaro, shown as its tooltip in the property
/// editor.
struct PropertyHelp {
    const char* property;
    const char* help;
};

/// One entry for each property tessaro::Tessaro declares, in declaration order.
const QList<PropertyHelp>& propertyHelp();

/// The size a newly placed control gets in a form: the size the control gives itself on a
/// 96 dpi screen.
QSize defaultFormSize();

/// The description of a newly placed control of class `className`: default object name, the
/// geometry of defaultFormSize(), and how its properties edit (the help of each property as
/// its tooltip; Query edited as multi-line text that is not translated).
QString formDescription(const QString& className);

} // namespace tessaro::designer

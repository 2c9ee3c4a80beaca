#include "data/CellText.h"

#include "platform/format/Format.h"
#include "platform/format/ValueText.h"

#include <tessaro/clsColonna.h>

namespace tessaro {

QString cellText(const QVariant& value, const clsColonna& column)
{
    if (value.isNull())
        return QString();
    const QString format = column.Formattazione();
    const QString base = format.isEmpty() ? CStr(value) : Format(value, format);
    if (column.TipoCampo() != 1)
        return base;
    constexpr int width = 20;
    if (base.size() >= width)
        return base.right(width);
    return QString(width - base.size(), QLatin1Char(' ')) + base;
}

} // namespace tessaro

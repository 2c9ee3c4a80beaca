#include "search/DateColumn.h"

#include "platform/format/DateConversion.h"
#include "platform/Failure.h"
#include "platform/format/ValueText.h"

#include <tessaro/ListView.h>

namespace tessaro {

QString sortableDateText(const QVariant& tag)
{
    const QString text = CStr(tag);
    if (text.isEmpty())
        return QString();
    QString sortable = text;
    skipFailure([&] { sortable = CDate(tag).toString(QStringLiteral("yyyyMMddHHmmss")); });
    return sortable;
}

void writeSortableDates(ListView& lstv, int k)
{
    for (ListItem* item : lstv.ListItems())
        skipFailure([&] { item->setSubItems(k, sortableDateText(item->ListSubItems(k)->Tag())); });
}

void writeGeneralDates(ListView& lstv, int k)
{
    for (ListItem* item : lstv.ListItems())
        skipFailure([&] { item->setSubItems(k, GeneralDate(CDate(item->ListSubItems(k)->Tag()))); });
}

} // namespace tessaro

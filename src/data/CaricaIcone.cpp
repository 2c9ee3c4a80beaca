#include "control/TessaroPrivate.h"

#include "language/ErrorReport.h"
#include "platform/format/Conversions.h"

namespace tessaro {

void Tessaro::CaricaIcone()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("CaricaIcone"), [&] {
        if (d->settings.ColonnaIndiceImmagine == 0)
            return;
        d->lstv->setSmallIcons(ImageList);
        ListItems& items = d->lstv->ListItems();
        const int count = items.Count();
        for (int i = 1; i <= count; ++i) {
            ListItem* item = items.Item(i);
            QString text = item->ListSubItems(d->settings.ColonnaIndiceImmagine)->Text();
            if (text.isEmpty())
                text = QStringLiteral("1"); // a Null image number shows the first image
            const int image = CLng(text);
            if (!ImageList)
                raiseError(Error::ObjectVariableNotSet);
            if (image < 1 || image > ImageList->Count())
                raiseError(Error::IndexOutOfBounds);
            item->setSmallIcon(image);
        }
    });
}

} // namespace tessaro

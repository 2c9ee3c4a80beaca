#include "data/Loader.h"

#include "language/ErrorReport.h"
#include "platform/format/Conversions.h"

#include <tessaro/ImageList.h>
#include <tessaro/ListView.h>

namespace tessaro::data {

void Loader::CaricaIcone()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("CaricaIcone"), [&] {
        const int column = m_settings.ColonnaIndiceImmagine;
        if (column == 0)
            return;
        m_list.setSmallIcons(m_images);
        ListItems& items = m_list.ListItems();
        const int count = items.Count();
        for (int i = 1; i <= count; ++i) {
            ListItem* item = items.Item(i);
            QString text = item->ListSubItems(column)->Text();
            if (text.isEmpty())
                text = kFirstImage;
            const int image = CLng(text);
            if (!m_images)
                raiseError(Error::ObjectVariableNotSet);
            if (image < 1 || image > m_images->Count())
                raiseError(Error::IndexOutOfBounds);
            item->setSmallIcon(image);
        }
    });
}

} // namespace tessaro::data

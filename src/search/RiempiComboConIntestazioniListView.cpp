#include "search/RiempiComboConIntestazioniListView.h"

#include "language/ErrorReport.h"
#include "platform/controls/ComboBox.h"

#include <tessaro/ListView.h>

#include <QSignalBlocker>

namespace tessaro {

void RiempiComboConIntestazioniListView(ListView& lstv, ComboBox& combo)
{
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("RiempiComboConIntestazioniListView"), [&] {
        combo.clear();
        // Adding to an empty Qt combo chooses the first entry; the search column stays unchosen
        // until the user picks one.
        const QSignalBlocker quiet(&combo);
        for (const ColumnHeader* header : lstv.ColumnHeaders()) {
            combo.addItem(header->Text());
            combo.setCurrentIndex(-1);
        }
    });
}

} // namespace tessaro

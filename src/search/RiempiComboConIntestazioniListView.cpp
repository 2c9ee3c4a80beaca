#include "search/RiempiComboConIntestazioniListView.h"

#include "platform/Failure.h"
#include "platform/controls/ComboBox.h"

#include <tessaro/ListView.h>

namespace tessaro {

void RiempiComboConIntestazioniListView(ListView& lstv, ComboBox& combo)
{
    trapAndReport(ReportForm::B, QStringLiteral("RiempiComboConIntestazioniListView"), [&] {
        combo.clear();
        for (const ColumnHeader* header : lstv.ColumnHeaders())
            combo.addItem(header->Text());
    });
}

} // namespace tessaro

#include "control/TessaroPrivate.h"

#include "design/Layout.h"
#include "language/ErrorReport.h"
#include "platform/controls/ControlGuard.h"
#include "platform/format/Conversions.h"

namespace tessaro {

void Tessaro::lblPag_Click(int Index)
{
    const ControlGuard guard(this);
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lblPag_Click"), [&] {
        if (!ConnessioneAttiva())
            return;
        if (Index == 0) {
            MoveToPreviousPage();
            return;
        }
        if (Index == 7) {
            MoveToNextPage();
            return;
        }
        Label* clicked = d->lblPag[static_cast<std::size_t>(Index)];
        setMousePointer(PointerShape::Hourglass);
        int page = CLng(clicked->text());
        if (page < 1)
            page = 1;
        if (page > d->results.current().PageCount())
            page = d->results.current().PageCount();
        d->results.page.number = page;
        d->results.page.size = RigheVisibili();
        fillCurrentPage();
        if (guard.gone())
            return;
        CaricaIcone();
        if (guard.gone())
            return;
        // The clicked number is already in the bar: only the highlight moves.
        for (Label* label : d->lblPag) {
            label->setFontSize(design::kPageNumberPoints);
            label->setFontBold(false);
        }
        clicked->setFontSize(design::kCurrentPagePoints);
        clicked->setFontBold(true);
        emit PopulatedList();
        if (guard.gone())
            return;
        setMousePointer(PointerShape::Default);
    });
}

} // namespace tessaro

#include "control/ControlGuard.h"
#include "control/TessaroPrivate.h"

#include "design/Layout.h"
#include "language/ErrorReport.h"
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
        if (page > currentRecordset().PageCount())
            page = currentRecordset().PageCount();
        d->AbsolutePage = page;
        d->PageSize = RigheVisibili();
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

void Tessaro::connectPageBar()
{
    for (int i = 0; i < 8; ++i)
        connect(d->lblPag[static_cast<std::size_t>(i)], &Label::Click, this, [this, i] { lblPag_Click(i); });
    connect(d->imgPrimaPagina, &Image::Click, this, [this] { skipFailure([&] { MoveToFirstPage(); }); });
    connect(d->imgUltimaPagina, &Image::Click, this, [this] { skipFailure([&] { MoveToLastPage(); }); });
    connect(d->imgPrecedente, &Image::Click, this, [this] { skipFailure([&] { lblPag_Click(0); }); });
    connect(d->imgSuccessiva, &Image::Click, this, [this] { skipFailure([&] { lblPag_Click(7); }); });
    connect(d->lblCaricatutti, &Label::Click, this, &Tessaro::lblCaricatutti_Click);
    connect(d->lblPaginaRisultati, &Label::Click, this, &Tessaro::lblPaginaRisultati_Click);
}

} // namespace tessaro

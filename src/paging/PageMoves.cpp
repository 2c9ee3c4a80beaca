#include "control/TessaroPrivate.h"

#include "language/ErrorReport.h"
#include "platform/controls/ControlGuard.h"
#include "platform/format/Conversions.h"

namespace tessaro {
namespace {

// The first page number the bar shows, when it shows one.
bool firstShownPage(const TessaroPrivate& d, int* page)
{
    if (d.lblPag[1]->isHidden())
        return false;
    *page = CLng(d.lblPag[1]->text());
    return true;
}

} // namespace

// Fits the page size, fills the page, sets the icons and lays out the bar; `backwards` ends
// the bar's run of numbers at the new page.
void Tessaro::loadPage(bool backwards)
{
    const ControlGuard guard(this);
    d->results.page.size = RigheVisibili();
    fillCurrentPage();
    if (guard.gone())
        return;
    CaricaIcone();
    if (guard.gone())
        return;
    if (backwards)
        PaginazioneIndietro();
    else
        Paginazione();
    if (guard.gone())
        return;
    emit PopulatedList();
    if (guard.gone())
        return;
    setMousePointer(PointerShape::Default);
}

void Tessaro::MoveToFirstPage()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToFirstPage"), [&] {
        setMousePointer(PointerShape::Hourglass);
        d->results.page.number = 1;
        loadPage(false);
    });
}

void Tessaro::loadPageSkippingFailures()
{
    const ControlGuard guard(this);
    skipFailure([&] { d->results.page.size = RigheVisibili(); });
    skipFailure([&] { fillCurrentPage(); });
    if (guard.gone())
        return;
    skipFailure([&] { CaricaIcone(); });
    if (guard.gone())
        return;
    skipFailure([&] { Paginazione(); });
    if (guard.gone())
        return;
    skipFailure([&] { emit PopulatedList(); });
    if (guard.gone())
        return;
    skipFailure([&] { setMousePointer(PointerShape::Default); });
}

void Tessaro::MoveToLastPage()
{
    skipFailure([&] { setMousePointer(PointerShape::Hourglass); });
    skipFailure([&] { d->results.page.number = d->results.current().PageCount(); });
    loadPageSkippingFailures();
}

void Tessaro::MoveToNextPage()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToNextPage"), [&] {
        setMousePointer(PointerShape::Hourglass);
        int page = 0;
        page = firstShownPage(*d, &page) ? page + 6 : d->results.page.number + 6;
        d->results.page.number = qMin(page, d->results.current().PageCount());
        loadPage(false);
    });
}

void Tessaro::MoveToPreviousPage()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToPreviousPage"), [&] {
        setMousePointer(PointerShape::Hourglass);
        int page = 0;
        // No lower bound here: the fill raises a page below 1 to 1.
        d->results.page.number = firstShownPage(*d, &page) ? page - 1 : d->results.page.number - 6;
        loadPage(true);
    });
}

void Tessaro::GoToPage(int Page)
{
    skipFailure([&] { setMousePointer(PointerShape::Hourglass); });
    skipFailure([&] {
        int page = Page < 1 ? 1 : Page;
        if (page > d->results.current().PageCount())
            page = d->results.current().PageCount();
        d->results.page.number = page;
    });
    loadPageSkippingFailures();
}

} // namespace tessaro

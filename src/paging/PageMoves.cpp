#include "paging/PageBar.h"

#include "language/ErrorReport.h"
#include "platform/controls/ControlGuard.h"
#include "platform/format/Conversions.h"

namespace tessaro::paging {

// The first page number the bar shows, when it shows one.
bool PageBar::firstShownPage(int* page) const
{
    if (lblPag[1]->isHidden())
        return false;
    *page = CLng(lblPag[1]->text());
    return true;
}

// Fits the page size, fills the page, sets the icons and lays out the bar; `backwards` ends
// the bar's run of numbers at the new page.
void PageBar::loadPage(bool backwards)
{
    const ControlGuard guard(&m_control);
    m_results.page.size = m_host.visibleRows();
    m_host.loadCurrentPage();
    if (guard.gone())
        return;
    if (backwards)
        PaginazioneIndietro();
    else
        Paginazione();
    if (guard.gone())
        return;
    m_host.announcePopulated();
    if (guard.gone())
        return;
    m_host.showPointer(PointerShape::Default);
}

void PageBar::MoveToFirstPage()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToFirstPage"), [&] {
        m_host.showPointer(PointerShape::Hourglass);
        m_results.page.number = 1;
        loadPage(false);
    });
}

// The same steps as loadPage; only the host's handler can fail here, and it is skipped.
void PageBar::loadPageSkippingFailures()
{
    const ControlGuard guard(&m_control);
    const SkipFailures skip;
    m_results.page.size = m_host.visibleRows();
    m_host.loadCurrentPage();
    if (guard.gone())
        return;
    Paginazione();
    if (guard.gone())
        return;
    skip([&] { m_host.announcePopulated(); });
    if (guard.gone())
        return;
    m_host.showPointer(PointerShape::Default);
}

void PageBar::MoveToLastPage()
{
    const SkipFailures skip;
    m_host.showPointer(PointerShape::Hourglass);
    skip([&] { m_results.page.number = m_results.current().PageCount(); });
    loadPageSkippingFailures();
}

void PageBar::MoveToNextPage()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToNextPage"), [&] {
        m_host.showPointer(PointerShape::Hourglass);
        int page = 0;
        page = firstShownPage(&page) ? page + kShownPages : m_results.page.number + kShownPages;
        m_results.page.number = qMin(page, m_results.current().PageCount());
        loadPage(false);
    });
}

void PageBar::MoveToPreviousPage()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToPreviousPage"), [&] {
        m_host.showPointer(PointerShape::Hourglass);
        int page = 0;
        // No lower bound here: the fill raises a page below 1 to 1.
        m_results.page.number = firstShownPage(&page) ? page - 1 : m_results.page.number - kShownPages;
        loadPage(true);
    });
}

void PageBar::GoToPage(int Page)
{
    const SkipFailures skip;
    m_host.showPointer(PointerShape::Hourglass);
    skip([&] {
        int page = Page < 1 ? 1 : Page;
        if (page > m_results.current().PageCount())
            page = m_results.current().PageCount();
        m_results.page.number = page;
    });
    loadPageSkippingFailures();
}

} // namespace tessaro::paging

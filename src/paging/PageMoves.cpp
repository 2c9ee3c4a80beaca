#include "paging/PageBar.h"

#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/controls/ControlGuard.h"
#include "platform/sql/RecordsetRows.h"

#include <algorithm>

#include <optional>

namespace tessaro::paging {

// Fills the list with the current page and its icons, lays out the bar (its run of numbers
// ending at the page when `backwards`), tells the host and restores the pointer. A failing host
// handler is skipped when `skipHostFailure`, else passed on. False when the control went.
// A `paced` load may be stopped; the control is busy only while it reads, so the host's handler
// of the announcement may use the control as after any load.
bool PageBar::showCurrentPage(bool backwards, bool skipHostFailure, bool paced)
{
    bool stopped = false;
    return runSteps(
        &m_control,
        [&] {
            std::optional<LoadPacer::Session> load;
            if (paced)
                load.emplace(m_pacer, loadTotal());
            m_host.loadCurrentPage();
        },
        [&] {
            stopped = paced && m_pacer.stopped();
            settleAllRowsPageSize();
            if (backwards)
                PaginazioneIndietro();
            else
                Paginazione();
        },
        [&] {
            // A stopped load of all rows says how many of them it kept.
            if (stopped)
                lblNumRecord->setText(recordsOfText(m_pacer.kept(), m_pacer.total()));
            if (skipHostFailure)
                skipFailure("showCurrentPage", [&] { m_host.announcePopulated(); });
            else
                m_host.announcePopulated();
        },
        [&] { m_host.showPointer(PointerShape::Default); });
}

int PageBar::loadTotal()
{
    if (m_results.page.size != sql::RecordsetRows::kAllRows)
        return m_results.page.size;
    const std::optional<qint64> estimate = sql::RecordsetRows::estimatedCount(m_results.current());
    return estimate ? int(std::min<qint64>(*estimate, sql::RecordsetRows::kAllRows)) : 0;
}

// The page fitted to the list's size, then shown.
void PageBar::loadPage(bool backwards, bool skipHostFailure)
{
    m_results.page.size = m_host.visibleRows();
    showCurrentPage(backwards, skipHostFailure);
}

void PageBar::MoveToFirstPage()
{
    if (m_pacer.busy())
        return;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToFirstPage"), [&] {
        m_host.showPointer(PointerShape::Hourglass);
        m_results.page.number = 1;
        loadPage(false, false);
    });
}

void PageBar::MoveToLastPage()
{
    if (m_pacer.busy())
        return;
    const SkipFailures skip("MoveToLastPage");
    m_host.showPointer(PointerShape::Hourglass);
    skip([&] { m_results.page.number = m_results.current().PageCount(); });
    loadPage(false, true);
}

void PageBar::MoveToNextPage()
{
    if (m_pacer.busy())
        return;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToNextPage"), [&] {
        m_host.showPointer(PointerShape::Hourglass);
        const int page = m_window.firstShownPage().value_or(m_results.page.number) + kShownPages;
        m_results.page.number = sql::RecordsetRows::atMostLastPage(m_results.current(), page);
        loadPage(false, false);
    });
}

void PageBar::MoveToPreviousPage()
{
    if (m_pacer.busy())
        return;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("MoveToPreviousPage"), [&] {
        m_host.showPointer(PointerShape::Hourglass);
        // No lower bound here: the fill raises a page below 1 to 1.
        const std::optional<int> first = m_window.firstShownPage();
        m_results.page.number = first ? *first - 1 : m_results.page.number - kShownPages;
        loadPage(true, false);
    });
}

void PageBar::GoToPage(int Page)
{
    if (m_pacer.busy())
        return;
    const SkipFailures skip("GoToPage");
    m_host.showPointer(PointerShape::Hourglass);
    skip([&] {
        m_results.page.number = sql::RecordsetRows::atMostLastPage(m_results.current(), Page < 1 ? 1 : Page);
    });
    loadPage(false, true);
}

} // namespace tessaro::paging

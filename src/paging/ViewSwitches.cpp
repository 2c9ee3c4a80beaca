#include "paging/PageBar.h"

#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/controls/ControlGuard.h"
#include "platform/sql/RecordsetRows.h"

#include <QCoreApplication>

namespace tessaro::paging {

// Both switches run the same steps; they differ in the view chosen, the page size and what
// becomes of lblPaginaRisultati at the end. Returns false when the connection was not usable or
// the control is gone. The load of all rows is paced: it keeps the window alive and may be
// stopped, keeping the rows read so far.
bool PageBar::switchView(bool paged)
{
    bool shown = false;
    runSteps(
        &m_control,
        // The one point where other notifications may run, before any state changes.
        [] { QCoreApplication::processEvents(); },
        [&] { return m_host.connectionUsable(); },
        [&] {
            lblCaricatutti->setMousePointer(PointerShape::Default);
            m_host.showPointer(PointerShape::Hourglass);
            m_results.page.paged = paged;
            m_results.page.size = paged ? m_host.visibleRows() : allRowsPageSize();
            m_results.page.number = 1;
            Paginazione();
        },
        [&] {
            const std::optional<qint64> known = sql::RecordsetRows::knownCount(m_results.current());
            lblNumRecord->setText(known ? recordsText(int(*known))
                                        : countingText(sql::RecordsetRows::estimatedCount(m_results.current())));
            m_window = withoutNumbers(m_window);
            for (Label* label : lblPag)
                label->setVisible(false);
            imgPrimaPagina->setVisible(false);
            imgUltimaPagina->setVisible(false);
            lblPagine->setVisible(false);
            shown = showCurrentPage(false, false, !paged);
            return shown;
        },
        [&] { lblCaricatutti->setMousePointer(PointerShape::Hand); });
    return shown;
}

// The view of all rows is one page of every row: the count when it is known, else every row
// there is, read at once with the count beside it; the fill then knows the count.
int PageBar::allRowsPageSize()
{
    countBeside();
    const std::optional<qint64> known = sql::RecordsetRows::knownCount(m_results.current());
    return known ? int(*known) : sql::RecordsetRows::kAllRows;
}

// A load of all rows has its page size once the count is in: read to the end, or waited for.
void PageBar::settleAllRowsPageSize()
{
    if (m_results.page.paged || m_results.page.size != sql::RecordsetRows::kAllRows)
        return;
    m_results.page.size = m_results.current().RecordCount();
    m_pacer.setTotal(m_results.page.size);
}

void PageBar::lblCaricatutti_Click()
{
    if (m_pacer.busy())
        return;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lblCaricatutti_Click"), [&] {
        if (!switchView(false))
            return;
        lblPaginaRisultati->setLeft(fraPaginazione->Width() - lblPaginaRisultati->Width());
        lblPaginaRisultati->setTop(lblCaricatutti->Top());
    });
}

void PageBar::lblPaginaRisultati_Click()
{
    if (m_pacer.busy())
        return;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lblPaginaRisultati_Click"), [&] {
        if (switchView(true))
            lblPaginaRisultati->setVisible(false);
    });
}

} // namespace tessaro::paging

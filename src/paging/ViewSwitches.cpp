#include "paging/PageBar.h"

#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/controls/ControlGuard.h"

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
            m_results.page.size = paged ? m_host.visibleRows() : m_results.current().RecordCount();
            m_results.page.number = 1;
            Paginazione();
        },
        [&] {
            lblNumRecord->setText(recordsText(m_results.current().RecordCount()));
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

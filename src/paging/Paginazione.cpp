#include "paging/PageBar.h"

#include "design/DesignedLayout.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"

namespace tessaro::paging {

// The one place the run of numbers reaches the labels: each label is hidden, then shown again
// with its number, in the order the run is laid out, so the focus moves on as it always has.
// The tool tip is `tip` followed by the page number.
void PageBar::showWindow(const PageWindow& window, const QString& tip)
{
    m_window = window;
    placePageBar(window.current);
    showPreviousArrows(window.previousArrows);
    for (int n = 1; n <= kShownPages; ++n) {
        const int i = window.fromRight ? kShownPages + 1 - n : n;
        Label* label = lblPag[static_cast<std::size_t>(i)];
        label->setVisible(false);
        const int page = window.pageAt(i);
        if (page == 0)
            continue;
        label->setText(QString::number(page));
        label->setVisible(true);
        label->setToolTip(tip + QString::number(page));
    }
    showHighlight();
}

// The current page's number in bold and larger, the others plain.
void PageBar::showHighlight()
{
    for (Label* label : lblPag) {
        label->setFontSize(design::kPageNumberPoints);
        label->setFontBold(false);
    }
    const int current = m_window.labelOf(m_window.current);
    if (current == 0)
        return;
    Label* label = lblPag[static_cast<std::size_t>(current)];
    label->setFontSize(design::kCurrentPagePoints);
    label->setFontBold(true);
}

// Widths and places shared by both layouts: all eight labels as wide as the current page's
// number needs, lblPag(3) centred in the frame and the rest placed around it.
void PageBar::placePageBar(int currentPage)
{
    const double width = design::kPageLabelPerDigit * QString::number(currentPage).size() + design::kPageLabelPadding;
    for (Label* label : lblPag) {
        label->setWidth(width);
        label->setFontSize(design::kPageNumberPoints);
        label->setFontBold(false);
        label->setTop(lblCaricatutti->Top());
    }
    auto& pag = lblPag;
    pag[3]->setLeft((fraPaginazione->Width() - pag[3]->Width()) / 2);
    pag[2]->setLeft(pag[3]->Left() - pag[2]->Width());
    pag[1]->setLeft(pag[2]->Left() - pag[1]->Width());
    imgPrecedente->setLeft(pag[1]->Left() - imgPrecedente->Width() - design::kArrowGap);
    pag[4]->setLeft(pag[3]->Left() + pag[3]->Width());
    pag[5]->setLeft(pag[4]->Left() + pag[4]->Width());
    pag[6]->setLeft(pag[5]->Left() + pag[5]->Width());
    imgSuccessiva->setLeft(pag[6]->Left() + pag[6]->Width() + design::kArrowGap);
    imgPrimaPagina->setLeft(imgPrecedente->Left() - imgPrimaPagina->Width() - design::kEndArrowGap);
    imgUltimaPagina->setLeft(imgSuccessiva->Left() + imgSuccessiva->Width() + design::kEndArrowGap);
}

// The arrows to the right, the record count and the switches at the right end. One page offers
// no switch, except lblPaginaRisultati when `offerPagedView` and all rows overflow the list.
void PageBar::finishPageBar(int pageCount, int recordCount, bool offerPagedView)
{
    const double arrowTop = lblCaricatutti->Top() + design::kArrowDrop;
    if (m_window.nextArrows) {
        imgSuccessiva->setVisible(true);
        imgSuccessiva->setTop(arrowTop);
    } else {
        imgSuccessiva->setVisible(false);
    }
    imgUltimaPagina->setVisible(!imgSuccessiva->isHidden());
    imgUltimaPagina->setTop(arrowTop);
    lblNumRecord->setText(recordCountText(recordCount));
    lblCaricatutti->setLeft(fraPaginazione->Width() - lblCaricatutti->Width());
    lblPaginaRisultati->setLeft(fraPaginazione->Width() - lblPaginaRisultati->Width());
    lblPaginaRisultati->setTop(lblCaricatutti->Top());
    if (pageCount < 2) {
        lblCaricatutti->setVisible(false);
        lblPagine->setVisible(false);
        lblPaginaRisultati->setVisible(false);
        if (offerPagedView && pageCount == 1 && !m_results.page.paged && m_host.visibleRows() < recordCount)
            lblPaginaRisultati->setVisible(true);
    } else {
        lblNumRecord->setText(lblNumRecord->text() + QLatin1Char(' ') + pagesText(pageCount));
        lblCaricatutti->setVisible(true);
        lblPaginaRisultati->setVisible(false);
    }
    lblNumRecord->setLeft(design::kRecordCountLeft);
}

// The previous and first-page arrows, or the "pages" caption in their place.
void PageBar::showPreviousArrows(bool show)
{
    const double arrowTop = lblCaricatutti->Top() + design::kArrowDrop;
    imgPrecedente->setVisible(show);
    imgPrimaPagina->setVisible(show);
    imgPrimaPagina->setTop(arrowTop);
    lblPagine->setVisible(!show);
    if (show)
        imgPrecedente->setTop(arrowTop);
    else
        lblPagine->setLeft(lblPag[1]->Left() - lblPagine->Width());
}

void PageBar::Paginazione()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = m_results.current();
        const int pages = set.PageCount();
        showWindow(forwardWindow(m_results.page.number, pages), languageText(LanguageKey::GoToPageTip));
        finishPageBar(pages, set.RecordCount(), true);
    });
}

void PageBar::PaginazioneIndietro()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = m_results.current();
        const int pages = set.PageCount();
        showWindow(backwardWindow(m_results.page.number, pages),
                   languageText(LanguageKey::GoToPageTip) + QLatin1Char(' '));
        finishPageBar(pages, set.RecordCount(), false);
    });
}

} // namespace tessaro::paging

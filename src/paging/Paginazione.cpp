#include "paging/PageBar.h"

#include "design/Layout.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/format/Conversions.h"

namespace tessaro::paging {
namespace {

// lblPag(kShownPages) shows this until a number is put there, so a test of the last number
// shown reads no page.
const QString kNoPage = QStringLiteral("0");

// The tool tip is `tip` followed by the page number.
void showPageNumber(Label* label, int page, const QString& tip, bool current)
{
    label->setText(QString::number(page));
    label->setVisible(true);
    label->setToolTip(tip + QString::number(page));
    if (current) {
        label->setFontSize(design::kCurrentPagePoints);
        label->setFontBold(true);
    }
}

} // namespace

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
    Label* last = lblPag[kShownPages];
    if (!last->isHidden() && CLng(last->text()) < pageCount) {
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
        const int current = m_results.page.number;
        placePageBar(current);
        showPreviousArrows(current >= 2);
        const QString tip = languageText(LanguageKey::GoToPageTip);
        const int pages = set.PageCount();
        if (pages - (kShownPages - 1) >= current || pages <= kShownPages) {
            for (int i = 0; i < kShownPages; ++i) {
                Label* label = lblPag[static_cast<std::size_t>(i + 1)];
                label->setVisible(false);
                if (pages > 1 && current + i <= pages)
                    showPageNumber(label, current + i, tip, i == 0);
            }
        } else {
            for (int i = 0; i < kShownPages; ++i) {
                Label* label = lblPag[static_cast<std::size_t>(kShownPages - i)];
                label->setVisible(false);
                showPageNumber(label, pages - i, tip, current == pages - i);
            }
        }
        finishPageBar(pages, set.RecordCount(), true);
    });
}

void PageBar::PaginazioneIndietro()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = m_results.current();
        const int current = m_results.page.number;
        placePageBar(current);
        lblPag[kShownPages]->setText(kNoPage);
        const QString tip = languageText(LanguageKey::GoToPageTip) + QLatin1Char(' ');
        for (int i = 0; i < kShownPages; ++i) {
            Label* label = lblPag[static_cast<std::size_t>(kShownPages - i)];
            label->setVisible(false);
            if (current - i >= 1)
                showPageNumber(label, current - i, tip, i == 0);
        }
        showPreviousArrows(CLng(lblPag[kShownPages]->text()) > kShownPages);
        finishPageBar(set.PageCount(), set.RecordCount(), false);
    });
}

} // namespace tessaro::paging

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

void showPageNumber(Label* label, int page, const QString& toolTip, bool current)
{
    label->setText(QString::number(page));
    label->setVisible(true);
    label->setToolTip(toolTip);
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

// The arrows to the right, the record count and the two labels at the right end.
void PageBar::finishPageBar(int pageCount, int recordCount)
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
}

void PageBar::showPreviousArrow(bool show)
{
    imgPrecedente->setVisible(show);
    lblPagine->setVisible(!show);
    if (show)
        imgPrecedente->setTop(lblCaricatutti->Top() + design::kArrowDrop);
    else
        lblPagine->setLeft(lblPag[1]->Left() - lblPagine->Width());
}

void PageBar::showViewSwitch(int pageCount)
{
    lblNumRecord->setText(lblNumRecord->text() + QLatin1Char(' ') + pagesText(pageCount));
    lblCaricatutti->setVisible(true);
    lblPaginaRisultati->setVisible(false);
}

void PageBar::hideSwitchesForOnePage()
{
    lblCaricatutti->setVisible(false);
    lblPagine->setVisible(false);
    lblPaginaRisultati->setVisible(false);
}

void PageBar::Paginazione()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = m_results.current();
        const int current = m_results.page.number;
        placePageBar(current);
        showPreviousArrow(current >= 2);
        imgPrimaPagina->setVisible(!imgPrecedente->isHidden());
        imgPrimaPagina->setTop(lblCaricatutti->Top() + design::kArrowDrop);
        const QString tip = languageText(LanguageKey::GoToPageTip);
        if (set.PageCount() - (kShownPages - 1) >= current || set.PageCount() <= kShownPages) {
            for (int i = 0; i < kShownPages; ++i) {
                Label* label = lblPag[static_cast<std::size_t>(i + 1)];
                label->setVisible(false);
                if (set.PageCount() > 1 && current + i <= set.PageCount())
                    showPageNumber(label, current + i, tip + QString::number(current + i), i == 0);
            }
        } else {
            for (int i = 0; i < kShownPages; ++i) {
                const int page = set.PageCount() - i;
                Label* label = lblPag[static_cast<std::size_t>(kShownPages - i)];
                label->setVisible(false);
                showPageNumber(label, page, tip + QString::number(page), current == page);
            }
        }
        finishPageBar(set.PageCount(), set.RecordCount());
        if (set.PageCount() < 2) {
            hideSwitchesForOnePage();
            if (set.PageCount() == 1 && !m_results.page.paged && m_host.visibleRows() < set.RecordCount())
                lblPaginaRisultati->setVisible(true);
        } else {
            showViewSwitch(set.PageCount());
        }
        lblNumRecord->setLeft(design::kRecordCountLeft);
    });
}

void PageBar::PaginazioneIndietro()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = m_results.current();
        const int current = m_results.page.number;
        placePageBar(current);
        imgPrimaPagina->setTop(lblCaricatutti->Top() + design::kArrowDrop);
        lblPag[kShownPages]->setText(kNoPage);
        const QString tip = languageText(LanguageKey::GoToPageTip) + QLatin1Char(' ');
        for (int i = 0; i < kShownPages; ++i) {
            Label* label = lblPag[static_cast<std::size_t>(kShownPages - i)];
            label->setVisible(false);
            if (current - i >= 1)
                showPageNumber(label, current - i, tip + QString::number(current - i), i == 0);
        }
        showPreviousArrow(CLng(lblPag[kShownPages]->text()) > kShownPages);
        imgPrimaPagina->setVisible(!imgPrecedente->isHidden());
        finishPageBar(set.PageCount(), set.RecordCount());
        if (set.PageCount() < 2)
            hideSwitchesForOnePage();
        else
            showViewSwitch(set.PageCount());
        lblNumRecord->setLeft(design::kRecordCountLeft);
    });
}

} // namespace tessaro::paging

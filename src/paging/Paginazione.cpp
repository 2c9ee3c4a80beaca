#include "paging/PageBar.h"

#include "design/DesignedLayout.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/sql/RecordsetRows.h"

#include <QPointer>

#include <algorithm>

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
// Each label's font is set once, to what it shows: a label that changes font lays its text out
// again, which a page move would otherwise pay for every label twice.
void PageBar::showHighlight()
{
    const int current = m_window.labelOf(m_window.current);
    for (int i = 0; i < kPageLabels; ++i) {
        Label* label = lblPag[static_cast<std::size_t>(i)];
        const bool highlighted = current != 0 && i == current;
        label->setFontSize(highlighted ? design::kCurrentPagePoints : design::kPageNumberPoints);
        label->setFontBold(highlighted);
    }
}

// Widths and places shared by both layouts: all eight labels as wide as the current page's
// number needs, lblPag(3) centred in the frame and the rest placed around it.
void PageBar::placePageBar(int currentPage)
{
    const double width = design::kPageLabelPerDigit * QString::number(currentPage).size() + design::kPageLabelPadding;
    for (Label* label : lblPag) {
        label->setWidth(width);
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
void PageBar::finishPageBar(const Extent& extent, bool offerPagedView)
{
    const int pageCount = extent.pages;
    const double arrowTop = lblCaricatutti->Top() + design::kArrowDrop;
    if (m_window.nextArrows) {
        imgSuccessiva->setVisible(true);
        imgSuccessiva->setTop(arrowTop);
    } else {
        imgSuccessiva->setVisible(false);
    }
    imgUltimaPagina->setVisible(!imgSuccessiva->isHidden());
    imgUltimaPagina->setTop(arrowTop);
    lblNumRecord->setText(extent.records ? recordCountText(*extent.records)
                                         : countingText(sql::RecordsetRows::estimatedCount(m_results.current())));
    lblCaricatutti->setLeft(fraPaginazione->Width() - lblCaricatutti->Width());
    lblPaginaRisultati->setLeft(fraPaginazione->Width() - lblPaginaRisultati->Width());
    lblPaginaRisultati->setTop(lblCaricatutti->Top());
    if (pageCount < 2) {
        lblCaricatutti->setVisible(false);
        lblPagine->setVisible(false);
        lblPaginaRisultati->setVisible(false);
        if (offerPagedView && pageCount == 1 && !m_results.page.paged && m_host.visibleRows() < extent.records.value_or(0))
            lblPaginaRisultati->setVisible(true);
    } else {
        if (extent.records)
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

// Until the count is in, the pages whose first row has been read, and at least one more
// beyond the current page, reached by the next and last-page arrows.
PageBar::Extent PageBar::extent()
{
    Recordset& set = m_results.current();
    if (const std::optional<qint64> records = sql::RecordsetRows::knownCount(set))
        return {set.PageCount(), int(*records)};
    const qint64 size = std::max(1, m_results.page.size);
    const qint64 known = (sql::RecordsetRows::rowsKnown(set) + size - 1) / size;
    return {int(std::max<qint64>(known, qint64(m_results.page.number) + 1)), std::nullopt};
}

PageWindow PageBar::windowFor(const Extent& pages, bool backwards) const
{
    PageWindow window = backwards ? backwardWindow(m_results.page.number, pages.pages)
                                  : forwardWindow(m_results.page.number, pages.pages);
    // Until the count is in, more pages may follow those known.
    if (!pages.records)
        window.nextArrows = true;
    return window;
}

QString PageBar::pageTip(bool backwards)
{
    const QString tip = languageText(LanguageKey::GoToPageTip);
    return backwards ? tip + QLatin1Char(' ') : tip;
}

void PageBar::layOut(bool backwards)
{
    m_laidOutBackwards = backwards;
    const Extent pages = extent();
    showWindow(windowFor(pages, backwards), pageTip(backwards));
    finishPageBar(pages, !backwards);
}

void PageBar::Paginazione()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] { layOut(false); });
}

void PageBar::PaginazioneIndietro()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] { layOut(true); });
}

void PageBar::countBeside()
{
    sql::RecordsetRows::countBeside(m_results.current(), [bar = QPointer<PageBar>(this)] {
        if (bar)
            bar->countLanded();
    });
}

// The labels are shown again only when their numbers change: a label hidden and shown again
// would lose the focus it holds.
void PageBar::countLanded()
{
    if (m_pacer.busy()) {
        const Recordset& set = m_results.current();
        const std::optional<qint64> records = sql::RecordsetRows::knownCount(set);
        const std::optional<qint64> total = records ? records : sql::RecordsetRows::estimatedCount(set);
        if (total)
            m_pacer.setTotal(int(std::min<qint64>(*total, sql::RecordsetRows::kAllRows)));
        return;
    }
    if (!m_results.page.paged || !fraPaginazione->isVisible())
        return;
    skipFailure("countLanded", [&] {
        // A count beside that failed (its connection dropped, a table only the first connection
        // sees) is taken on the first connection. Before it, only the estimate may have come.
        Recordset& set = m_results.current();
        if (sql::RecordsetRows::countSettled(set))
            set.RecordCount();
        const Extent pages = extent();
        const PageWindow window = windowFor(pages, m_laidOutBackwards);
        PageWindow numbersOnly = m_window;
        numbersOnly.count = window.count;
        numbersOnly.nextArrows = window.nextArrows;
        if (numbersOnly == window)
            m_window = window;
        else
            showWindow(window, pageTip(m_laidOutBackwards));
        finishPageBar(pages, !m_laidOutBackwards);
    });
}

} // namespace tessaro::paging

#include "control/TessaroPrivate.h"

#include "design/Layout.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/format/Conversions.h"

namespace tessaro {
namespace {

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

// Widths and places shared by both layouts: all eight labels as wide as the current page's
// number needs, lblPag(3) centred in the frame and the rest placed around it.
void placePageBar(TessaroPrivate& d, int currentPage)
{
    const double width = design::kPageLabelPerDigit * QString::number(currentPage).size() + design::kPageLabelPadding;
    for (Label* label : d.lblPag) {
        label->setWidth(width);
        label->setFontSize(design::kPageNumberPoints);
        label->setFontBold(false);
        label->setTop(d.lblCaricatutti->Top());
    }
    auto& pag = d.lblPag;
    pag[3]->setLeft((d.fraPaginazione->Width() - pag[3]->Width()) / 2);
    pag[2]->setLeft(pag[3]->Left() - pag[2]->Width());
    pag[1]->setLeft(pag[2]->Left() - pag[1]->Width());
    d.imgPrecedente->setLeft(pag[1]->Left() - d.imgPrecedente->Width() - design::kArrowGap);
    pag[4]->setLeft(pag[3]->Left() + pag[3]->Width());
    pag[5]->setLeft(pag[4]->Left() + pag[4]->Width());
    pag[6]->setLeft(pag[5]->Left() + pag[5]->Width());
    d.imgSuccessiva->setLeft(pag[6]->Left() + pag[6]->Width() + design::kArrowGap);
    d.imgPrimaPagina->setLeft(d.imgPrecedente->Left() - d.imgPrimaPagina->Width() - design::kEndArrowGap);
    d.imgUltimaPagina->setLeft(d.imgSuccessiva->Left() + d.imgSuccessiva->Width() + design::kEndArrowGap);
}

// The arrows to the right, the record count and the two labels at the right end.
void finishPageBar(TessaroPrivate& d, int pageCount, int recordCount)
{
    const double arrowTop = d.lblCaricatutti->Top() + design::kArrowDrop;
    if (!d.lblPag[6]->isHidden() && CLng(d.lblPag[6]->text()) < pageCount) {
        d.imgSuccessiva->setVisible(true);
        d.imgSuccessiva->setTop(arrowTop);
    } else {
        d.imgSuccessiva->setVisible(false);
    }
    d.imgUltimaPagina->setVisible(!d.imgSuccessiva->isHidden());
    d.imgUltimaPagina->setTop(arrowTop);
    d.lblNumRecord->setText(recordCountText(recordCount));
    d.lblCaricatutti->setLeft(d.fraPaginazione->Width() - d.lblCaricatutti->Width());
    d.lblPaginaRisultati->setLeft(d.fraPaginazione->Width() - d.lblPaginaRisultati->Width());
    d.lblPaginaRisultati->setTop(d.lblCaricatutti->Top());
}

void showPreviousArrow(TessaroPrivate& d, bool show)
{
    d.imgPrecedente->setVisible(show);
    d.lblPagine->setVisible(!show);
    if (show)
        d.imgPrecedente->setTop(d.lblCaricatutti->Top() + design::kArrowDrop);
    else
        d.lblPagine->setLeft(d.lblPag[1]->Left() - d.lblPagine->Width());
}

void showViewSwitch(TessaroPrivate& d, int pageCount)
{
    d.lblNumRecord->setText(d.lblNumRecord->text() + QLatin1Char(' ') + pagesText(pageCount));
    d.lblCaricatutti->setVisible(true);
    d.lblPaginaRisultati->setVisible(false);
}

} // namespace

void Tessaro::Paginazione()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = d->results.current();
        const int current = d->results.page.number;
        placePageBar(*d, current);
        showPreviousArrow(*d, current >= 2);
        d->imgPrimaPagina->setVisible(!d->imgPrecedente->isHidden());
        d->imgPrimaPagina->setTop(d->lblCaricatutti->Top() + design::kArrowDrop);
        const QString tip = languageText(LanguageKey::GoToPageTip);
        if (set.PageCount() - 5 >= current || set.PageCount() <= 6) {
            for (int i = 0; i <= 5; ++i) {
                Label* label = d->lblPag[static_cast<std::size_t>(i + 1)];
                label->setVisible(false);
                if (set.PageCount() > 1 && current + i <= set.PageCount())
                    showPageNumber(label, current + i, tip + QString::number(current + i), i == 0);
            }
        } else {
            for (int i = 0; i <= 5; ++i) {
                const int page = set.PageCount() - i;
                Label* label = d->lblPag[static_cast<std::size_t>(6 - i)];
                label->setVisible(false);
                showPageNumber(label, page, tip + QString::number(page), current == page);
            }
        }
        finishPageBar(*d, set.PageCount(), set.RecordCount());
        if (set.PageCount() < 2) {
            d->lblCaricatutti->setVisible(false);
            d->lblPagine->setVisible(false);
            d->lblPaginaRisultati->setVisible(false);
            if (set.PageCount() == 1 && !d->results.page.paged && RigheVisibili() < set.RecordCount())
                d->lblPaginaRisultati->setVisible(true);
        } else {
            showViewSwitch(*d, set.PageCount());
        }
        d->lblNumRecord->setLeft(design::kRecordCountLeft);
    });
}

void Tessaro::PaginazioneIndietro()
{
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("Paginazione"), [&] {
        Recordset& set = d->results.current();
        const int current = d->results.page.number;
        placePageBar(*d, current);
        d->imgPrimaPagina->setTop(d->lblCaricatutti->Top() + design::kArrowDrop);
        d->lblPag[6]->setText(QStringLiteral("0"));
        const QString tip = languageText(LanguageKey::GoToPageTip) + QLatin1Char(' ');
        for (int i = 0; i <= 5; ++i) {
            Label* label = d->lblPag[static_cast<std::size_t>(6 - i)];
            label->setVisible(false);
            if (current - i >= 1)
                showPageNumber(label, current - i, tip + QString::number(current - i), i == 0);
        }
        showPreviousArrow(*d, CLng(d->lblPag[6]->text()) > 6);
        d->imgPrimaPagina->setVisible(!d->imgPrecedente->isHidden());
        finishPageBar(*d, set.PageCount(), set.RecordCount());
        if (set.PageCount() < 2) {
            d->lblCaricatutti->setVisible(false);
            d->lblPagine->setVisible(false);
            d->lblPaginaRisultati->setVisible(false);
        } else {
            showViewSwitch(*d, set.PageCount());
        }
        d->lblNumRecord->setLeft(design::kRecordCountLeft);
    });
}

} // namespace tessaro

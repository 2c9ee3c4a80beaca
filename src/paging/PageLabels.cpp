#include "paging/PageBar.h"

#include "platform/sql/RecordsetRows.h"

#include "design/DesignedLayout.h"
#include "design/Style.h"
#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/controls/ControlGuard.h"

namespace tessaro::paging {
namespace {

Label* findLabel(QWidget* parent, const char* name)
{
    return parent->findChild<Label*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

Label* makePageLabel(int i, QWidget* frame)
{
    static const char* const captions[kPageLabels] = {"<", "1000", "2", "3", "4", "5", "6", ">"};
    const QByteArray name = QStringLiteral("lblPag(%1)").arg(i).toLatin1();
    const bool arrow = i == kPreviousPagesLabel || i == kNextPagesLabel;
    const char* toolTip = i == kPreviousPagesLabel ? "Pagine precedenti" : i == kNextPagesLabel ? "Pagine successive" : "";
    design::Box box = design::kPageNumber;
    box.left = design::kPageNumberLefts[i];
    const design::LabelDesign row{name.constData(), captions[i], box, arrow ? design::kArrowFace : design::kCaptionFace,
                                  toolTip, PointerShape::Hand, !arrow, Qt::AlignHCenter};
    return design::makeLabel(row, frame);
}

} // namespace

PageBar::PageBar(QWidget& control, sql::ResultHolder& results, LoadPacer& pacer, PageHost host)
    : m_control(control), m_results(results), m_pacer(pacer), m_host(std::move(host))
{
    fraPaginazione = new Frame(QStringLiteral("fraPaginazione"), &control);
    fraPaginazione->setBackColor(design::kControlColour);
    design::place(*fraPaginazione, design::kPageFrame);
    fraPaginazione->setVisible(false);

    for (const design::LabelDesign& row : design::kPageFrameLabels)
        design::makeLabel(row, fraPaginazione);
    lblNumRecord = findLabel(fraPaginazione, "lblNumRecord");
    lblPagine = findLabel(fraPaginazione, "lblPagine");
    lblCaricatutti = findLabel(fraPaginazione, "lblCaricatutti");
    lblPaginaRisultati = findLabel(fraPaginazione, "lblPaginaRisultati");
    for (int i = 0; i < kPageLabels; ++i)
        lblPag[static_cast<std::size_t>(i)] = makePageLabel(i, fraPaginazione);

    using glyphs::Arrow;
    imgPrimaPagina = design::makeArrow("imgPrimaPagina", Arrow::First, design::kArrowFirst, "Vai alla prima pagina",
                                       fraPaginazione);
    imgPrecedente = design::makeArrow("imgPrecedente", Arrow::Previous, design::kArrowPrevious,
                                      "Pagine precedenti", fraPaginazione);
    imgSuccessiva = design::makeArrow("imgSuccessiva", Arrow::Next, design::kArrowNext, "Pagine successive",
                                      fraPaginazione);
    imgUltimaPagina = design::makeArrow("imgUltimaPagina", Arrow::Last, design::kArrowLast,
                                        "Vai all'ultima pagina", fraPaginazione);
    connectClicks();
    makeKeyboardReachable();
    m_pacer.setProgressView([this](int done, int total) { showProgress(done, total); });
    m_pacer.addStopWidget(lblCaricatutti);
    m_pacer.addStopWidget(lblPaginaRisultati);
}

// A long load shows the bar (PopulateList hides it until the end) and the rows read so far.
// The arrows laid out for the view before it would lead nowhere meanwhile; the layout after the
// load places them again.
void PageBar::showProgress(int done, int total)
{
    fraPaginazione->setVisible(true);
    imgPrecedente->setVisible(false);
    imgSuccessiva->setVisible(false);
    // Before the count is in, the estimate stands for the total while the rows stay below it.
    lblNumRecord->setText(total >= done ? recordsOfText(done, total) : recordsText(done));
}

// The bar is the context of its connections: they end when it goes, before its widgets do.
void PageBar::connectClicks()
{
    for (int i = 0; i < kPageLabels; ++i) {
        connect(lblPag[static_cast<std::size_t>(i)], &Label::Click, this,
                [this, i] { keepFocusInBar([this, i] { lblPag_Click(i); }); });
    }
    connect(imgPrimaPagina, &Image::Click, this, [this] { keepFocusInBar([this] { MoveToFirstPage(); }); });
    connect(imgUltimaPagina, &Image::Click, this, [this] { keepFocusInBar([this] { MoveToLastPage(); }); });
    connect(imgPrecedente, &Image::Click, this,
            [this] { keepFocusInBar([this] { lblPag_Click(kPreviousPagesLabel); }); });
    connect(imgSuccessiva, &Image::Click, this,
            [this] { keepFocusInBar([this] { lblPag_Click(kNextPagesLabel); }); });
    connect(lblCaricatutti, &Label::Click, this, [this] { keepFocusInBar([this] { lblCaricatutti_Click(); }); });
    connect(lblPaginaRisultati, &Label::Click, this,
            [this] { keepFocusInBar([this] { lblPaginaRisultati_Click(); }); });
}

void PageBar::retranslate()
{
    lblPaginaRisultati->setText(languageText(LanguageKey::DivideIntoPages));
    lblPagine->setText(languageText(LanguageKey::PagesCaption));
    lblCaricatutti->setText(languageText(LanguageKey::LoadAll));
}

void PageBar::lblPag_Click(int Index)
{
    if (m_pacer.busy())
        return;
    int clicked = 0;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lblPag_Click"), [&] {
        runSteps(
            &m_control, [&] { return m_host.connectionUsable(); },
            // The arrows are moves of their own.
            [&] {
                if (Index == kPreviousPagesLabel)
                    MoveToPreviousPage();
                else if (Index == kNextPagesLabel)
                    MoveToNextPage();
                return Index != kPreviousPagesLabel && Index != kNextPagesLabel;
            },
            [&] {
                m_host.showPointer(PointerShape::Hourglass);
                clicked = m_window.pageAt(Index);
                m_results.page.number = sql::RecordsetRows::atMostLastPage(m_results.current(), clicked < 1 ? 1 : clicked);
                m_results.page.size = m_host.visibleRows();
                m_host.loadCurrentPage();
            },
            // The clicked number is already in the bar: only the highlight moves.
            [&] {
                m_window.current = clicked;
                showHighlight();
                m_host.announcePopulated();
            },
            [&] { m_host.showPointer(PointerShape::Default); });
    });
}

} // namespace tessaro::paging

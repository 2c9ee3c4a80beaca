#include "control/TessaroPrivate.h"

#include "design/Style.h"
#include "language/LanguageKeys.h"
#include "language/LanguageSupport.h"
#include "platform/Failure.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/KeyEvents.h"

#include <QAbstractItemView>

namespace tessaro {
namespace {

using design::Box;
using design::LabelDesign;
using design::place;

QString textOf(LanguageKey key)
{
    return GetLanguageString(languageKeyName(key));
}

Label* findLabel(QWidget* parent, const char* name)
{
    return parent->findChild<Label*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

// The open list follows the entry the typing chose.
void showChosenEntry(ComboBox& combo)
{
    QAbstractItemView* list = combo.view();
    if (list->isVisible())
        list->setCurrentIndex(combo.model()->index(combo.currentIndex(), combo.modelColumn()));
}

} // namespace

double controlWidthTwips(const QWidget* control)
{
    return control->width() * TwipsGeometry::twipsPerPixel(control);
}

double controlHeightTwips(const QWidget* control)
{
    return control->height() * TwipsGeometry::twipsPerPixel(control);
}

// The list is made first; the panel goes beneath it and the list follows the panel's fields in
// the tab order, as when it was made after them.
TessaroPrivate::TessaroPrivate(Tessaro& control) : q(control)
{
    setSolidBackground(&q, design::kControlColour);
    makeListView();
    makeHeaderPanel();
    makeSearchPanel();
    makeTotalsAndExport();
    QWidget::setTabOrder(lastPanelField(), lstv);
    makeListEvents();
    makePageBar();
    makeLoader();
}

// ---- control ----

void TessaroPrivate::makeListView()
{
    lstv = new tessaro::ListView(&q);
    lstv->setObjectName(QStringLiteral("lstv"));
    place(*lstv, design::kList);
}

// The panel lies beneath the list, the switches above it.
void TessaroPrivate::makeHeaderPanel()
{
    pctIntestazione = new PictureBox(QStringLiteral("pctIntestazione"), &q);
    pctIntestazione->stackUnder(lstv);
    pctIntestazione->setBackColor(design::kPanelColour);
    design::setTextColour(pctIntestazione, q.palette().color(QPalette::WindowText));
    place(*pctIntestazione, design::kPanel);
    pctIntestazione->setVisible(false);

    pctEstendi = new PictureBox(QStringLiteral("pctEstendi"), &q);
    pctEstendi->setPicture(glyphs::panelSwitch(true));
    place(*pctEstendi, design::kPanelSwitch);
    pctNascondi = new PictureBox(QStringLiteral("pctNascondi"), &q);
    pctNascondi->setPicture(glyphs::panelSwitch(false));
    place(*pctNascondi, design::kPanelSwitch);
    pctNascondi->setVisible(false);

    QObject::connect(pctEstendi, &PictureBox::Click, &q, &Tessaro::pctEstendi_Click);
    QObject::connect(pctNascondi, &PictureBox::Click, &q, &Tessaro::pctNascondi_Click);
}

// ---- search panel and list events ----

void TessaroPrivate::makeSearchPanel()
{
    QWidget* panel = pctIntestazione;
    Label1 = new Label(QStringLiteral("Label1"), panel);
    Label1->setText(QStringLiteral("in"));
    place(*Label1, design::kSearchInLabel);
    cmbCercaIn = new ComboBox(QStringLiteral("cmbCercaIn"), panel);
    place(*cmbCercaIn, design::kSearchColumn);
    Label2 = new Label(QStringLiteral("Label2"), panel);
    Label2->setText(QStringLiteral("Cerca"));
    place(*Label2, design::kSearchLabel);
    txtRicerca = new TextBox(QStringLiteral("txtRicerca"), panel);
    place(*txtRicerca, design::kSearchText);
    cmdTrova = design::makePictureButton("cmdTrova", glyphs::findButton(), design::kFindButton, panel);
    for (QWidget* whiteText : {Label1, Label2})
        design::setTextColour(whiteText, design::kPanelTextColour);
    for (QWidget* field : std::initializer_list<QWidget*>{Label1, cmbCercaIn, Label2, txtRicerca, cmdTrova})
        design::setFontFamily(field, design::kCaptionFace);

    ComboBox* combo = cmbCercaIn;
    auto* comboEvents = new KeyEvents(combo);
    // Keys typed while the drop-down list is open reach its view; they are the combo's keys.
    comboEvents->alsoWatch(combo->view());
    comboEvents->onGotFocus([this] { q.cmbCercaIn_GotFocus(); });
    comboEvents->onLostFocus([this] { q.cmbCercaIn_LostFocus(); });
    comboEvents->onKeyPress([this, combo](int& KeyAscii) {
        q.cmbCercaIn_KeyPress(KeyAscii);
        skipFailure([&] { showChosenEntry(*combo); });
    });
    auto* textEvents = new KeyEvents(txtRicerca);
    textEvents->onKeyPress([this](int& KeyAscii) { q.txtRicerca_KeyPress(KeyAscii); });
    QObject::connect(cmdTrova, &QPushButton::clicked, &q, [this] { q.cmdTrova_Click(); });
}

void TessaroPrivate::makeListEvents()
{
    tessaro::ListView* list = lstv;
    QObject::connect(list, &tessaro::ListView::ColumnClick, &q,
                     [this](ColumnHeader* header) { q.lstv_ColumnClick(header); });
    QObject::connect(list, &tessaro::ListView::ItemClick, &q, [this](ListItem* item) { q.lstv_ItemClick(item); });
    QObject::connect(list, &tessaro::ListView::DblClick, &q, [this] { q.lstv_DblClick(); });
    QObject::connect(list, &tessaro::ListView::KeyUp, &q,
                     [this](int keyCode, int shift) { q.lstv_KeyUp(keyCode, shift); });
    // Widths are saved when the user leaves the list, having finished adjusting them.
    QObject::connect(list, &tessaro::ListView::LostFocus, &q, [this] { q.saveRememberedSettings(); });
}

void TessaroPrivate::retranslateSearch()
{
    Label1->setText(textOf(LanguageKey::SearchInCaption));
    Label2->setText(textOf(LanguageKey::SearchCaption));
}

// ---- totals and export ----

void TessaroPrivate::makeTotalsAndExport()
{
    QWidget* panel = pctIntestazione;
    cmdSomma = design::makePictureButton("cmdSomma", glyphs::totalsButton(), design::kTotalsButton, panel);
    cmdEsportaInExcel =
        design::makePictureButton("cmdEsportaInExcel", glyphs::exportButton(), design::kExportButton, panel);
    optTutti = new OptionButton(QStringLiteral("optTutti"), panel);
    optTutti->setText(QStringLiteral("Tutti"));
    place(*optTutti, design::kAllRowsOption);
    optTutti->setChecked(true);
    optSelezionati = new OptionButton(QStringLiteral("optSelezionati"), panel);
    optSelezionati->setText(QStringLiteral("Selezionati"));
    place(*optSelezionati, design::kSelectedRowsOption);
    for (QWidget* whiteText : {optTutti, optSelezionati})
        design::setTextColour(whiteText, design::kPanelTextColour);
    for (QWidget* field : std::initializer_list<QWidget*>{cmdSomma, cmdEsportaInExcel, optTutti, optSelezionati})
        design::setFontFamily(field, design::kCaptionFace);

    QObject::connect(cmdSomma, &QPushButton::clicked, &q, &Tessaro::cmdSomma_Click);
    QObject::connect(cmdEsportaInExcel, &QPushButton::clicked, &q, &Tessaro::cmdEsportaInExcel_Click);
}

void TessaroPrivate::retranslateTotals()
{
    optTutti->setText(textOf(LanguageKey::AllRows));
    optSelezionati->setText(textOf(LanguageKey::SelectedRows));
}

QWidget* TessaroPrivate::lastPanelField()
{
    return optSelezionati;
}

// ---- page bar ----

void TessaroPrivate::makePageBar()
{
    fraPaginazione = new Frame(QStringLiteral("fraPaginazione"), &q);
    fraPaginazione->setBackColor(design::kControlColour);
    place(*fraPaginazione, design::kPageFrame);
    fraPaginazione->setVisible(false);

    for (const LabelDesign& row : design::kPageFrameLabels)
        design::makeLabel(row, fraPaginazione);
    lblNumRecord = findLabel(fraPaginazione, "lblNumRecord");
    lblPagine = findLabel(fraPaginazione, "lblPagine");
    lblCaricatutti = findLabel(fraPaginazione, "lblCaricatutti");
    lblPaginaRisultati = findLabel(fraPaginazione, "lblPaginaRisultati");
    lblPrimaPagina = findLabel(fraPaginazione, "lblPrimaPagina");
    lblUltimaPagina = findLabel(fraPaginazione, "lblUltimaPagina");

    static const char* const captions[8] = {"<", "1000", "2", "3", "4", "5", "6", ">"};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = QStringLiteral("lblPag(%1)").arg(i).toLatin1();
        const bool arrow = i == 0 || i == 7;
        const char* toolTip = i == 0 ? "Pagine precedenti" : i == 7 ? "Pagine successive" : "";
        Box box = design::kPageNumber;
        box.left = design::kPageNumberLefts[i];
        const LabelDesign row{name.constData(), captions[i], box, arrow ? design::kArrowFace : design::kCaptionFace,
                              toolTip, PointerShape::Hand, !arrow, Qt::AlignHCenter};
        lblPag[static_cast<std::size_t>(i)] = design::makeLabel(row, fraPaginazione);
    }

    using glyphs::Arrow;
    imgPrimaPagina = design::makeArrow("imgPrimaPagina", Arrow::First, design::kArrowFirst, "Vai alla prima pagina",
                                       fraPaginazione);
    imgPrecedente = design::makeArrow("imgPrecedente", Arrow::Previous, design::kArrowPrevious,
                                      "Pagine precedenti", fraPaginazione);
    imgSuccessiva = design::makeArrow("imgSuccessiva", Arrow::Next, design::kArrowNext, "Pagine successive",
                                      fraPaginazione);
    imgUltimaPagina = design::makeArrow("imgUltimaPagina", Arrow::Last, design::kArrowLast,
                                        "Vai all'ultima pagina", fraPaginazione);

    for (int i = 0; i < 8; ++i)
        QObject::connect(lblPag[static_cast<std::size_t>(i)], &Label::Click, &q, [this, i] { q.lblPag_Click(i); });
    QObject::connect(imgPrimaPagina, &Image::Click, &q, [this] { skipFailure([&] { q.MoveToFirstPage(); }); });
    QObject::connect(imgUltimaPagina, &Image::Click, &q, [this] { skipFailure([&] { q.MoveToLastPage(); }); });
    QObject::connect(imgPrecedente, &Image::Click, &q, [this] { skipFailure([&] { q.lblPag_Click(0); }); });
    QObject::connect(imgSuccessiva, &Image::Click, &q, [this] { skipFailure([&] { q.lblPag_Click(7); }); });
    QObject::connect(lblCaricatutti, &Label::Click, &q, &Tessaro::lblCaricatutti_Click);
    QObject::connect(lblPaginaRisultati, &Label::Click, &q, &Tessaro::lblPaginaRisultati_Click);
}

void TessaroPrivate::retranslatePageBar()
{
    lblPaginaRisultati->setText(textOf(LanguageKey::DivideIntoPages));
    lblPagine->setText(textOf(LanguageKey::PagesCaption));
    lblCaricatutti->setText(textOf(LanguageKey::LoadAll));
}

// ---- loading ----

// Loading builds no controls: its settings start empty and the host's Init_class opens the query.
void TessaroPrivate::makeLoader()
{
    loader = std::make_unique<data::Loader>(q, *lstv, results, q.Columns, q.ImageList, settings);
}

} // namespace tessaro

#include "control/TessaroPrivate.h"

#include "design/Style.h"
#include "language/LanguageKeys.h"
#include "language/LanguageSupport.h"
#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/ControlSupport.h"
#include "platform/controls/KeyEvents.h"

#include <QAbstractItemView>

namespace tessaro {
namespace {

using design::place;

QString textOf(LanguageKey key)
{
    return GetLanguageString(languageKeyName(key));
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
    totals = std::make_unique<totals_export::TotalsExport>(*pctIntestazione, *lstv, *cmbCercaIn, q.Columns);
}

void TessaroPrivate::retranslateTotals()
{
    totals->retranslate();
}

QWidget* TessaroPrivate::lastPanelField()
{
    return &totals->lastField();
}

// ---- page bar ----

void TessaroPrivate::makePageBar()
{
    paging::PageHost host;
    host.connectionUsable = [this] { return q.ConnessioneAttiva(); };
    host.visibleRows = [this] { return q.RigheVisibili(); };
    host.loadCurrentPage = [this] {
        const ControlGuard guard(&q);
        q.fillCurrentPage();
        if (!guard.gone())
            q.CaricaIcone();
    };
    host.announcePopulated = [this] { emit q.PopulatedList(); };
    host.showPointer = [this](PointerShape shape) { q.setMousePointer(shape); };
    pageBar = std::make_unique<paging::PageBar>(q, results, std::move(host));
    fraPaginazione = &pageBar->frame();
}

void TessaroPrivate::retranslatePageBar()
{
    pageBar->retranslate();
}

// ---- loading ----

// Loading builds no controls: its settings start empty and the host's Init_class opens the query.
void TessaroPrivate::makeLoader() {}

} // namespace tessaro

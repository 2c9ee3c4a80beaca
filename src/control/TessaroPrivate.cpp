#include "control/TessaroPrivate.h"

#include "design/Style.h"
#include "platform/Failure.h"
#include "platform/controls/ControlSupport.h"

namespace tessaro {

using design::place;

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
    remembered = std::make_unique<RememberedSettings>(q, *lstv);
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
    search = std::make_unique<search::SearchPanel>(*pctIntestazione, *lstv);
    cmbCercaIn = &search->columnChoice();
}

void TessaroPrivate::makeListEvents()
{
    listEvents = std::make_unique<search::ListEvents>(
        *lstv, search::ListEventsHost{[this](ListItem* item) { emit q.ClickListItem(item); },
                                      [this](ListItem* item) { emit q.DoubleClickListItem(item); }});
    // Widths are saved when the user leaves the list, having finished adjusting them.
    QObject::connect(lstv, &tessaro::ListView::LostFocus, &q, [this] { remembered->saveRememberedSettings(results.page.paged); });
}

void TessaroPrivate::retranslateSearch()
{
    search->retranslate();
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
    host.connectionUsable = [this] { return loader->ConnessioneAttiva(); };
    host.visibleRows = [this] { return q.RigheVisibili(); };
    host.loadCurrentPage = [this] { loader->loadCurrentPage(); };
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
void TessaroPrivate::makeLoader()
{
    loader = std::make_unique<data::Loader>(q, *lstv, results, q.Columns, q.ImageList, settings);
}

} // namespace tessaro

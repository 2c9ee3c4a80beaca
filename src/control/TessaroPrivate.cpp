#include "control/TessaroPrivate.h"

#include "design/Style.h"
#include "platform/Failure.h"
#include "platform/controls/ControlSupport.h"

namespace tessaro {

using design::place;

// The list is made first; the panel goes beneath it and the list follows the panel's fields in
// the tab order, as when it was made after them.
TessaroPrivate::TessaroPrivate(Tessaro& control) : q(control)
{
    setSolidBackground(&q, design::kControlColour);
    makeListView();
    header = std::make_unique<HeaderPanel>(q, *lstv);
    makeSearchPanel();
    makeTotalsAndExport();
    QWidget::setTabOrder(lastPanelField(), lstv);
    makeListEvents();
    makePageBar();
    makeLoader();
    layout = std::make_unique<ControlLayout>(q, *header, *lstv, *fraPaginazione);
}

// ---- control ----

void TessaroPrivate::makeListView()
{
    lstv = new tessaro::ListView(&q);
    lstv->setObjectName(QStringLiteral("lstv"));
    place(*lstv, design::kList);
    remembered = std::make_unique<RememberedSettings>(q, *lstv);
}

// ---- search panel and list events ----

void TessaroPrivate::makeSearchPanel()
{
    search = std::make_unique<search::SearchPanel>(header->panel(), *lstv);
    cmbCercaIn = &search->columnChoice();
    header->setFocusOnShow(*cmbCercaIn);
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
    totals = std::make_unique<totals_export::TotalsExport>(header->panel(), *lstv, *cmbCercaIn, q.Columns);
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
    host.visibleRows = [this] { return RigheVisibili(*lstv); };
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

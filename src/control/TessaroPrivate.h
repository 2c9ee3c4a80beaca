#pragma once

// Member state and child controls of one Tessaro instance, one block per feature. The
// constructor builds the child controls in creation order and binds them to the control.

#include <tessaro/Tessaro.h>

#include "control/HeaderPanel.h"
#include "control/Layout.h"
#include "control/RememberedSettings.h"
#include "data/Loader.h"
#include "paging/PageBar.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/TextBox.h"
#include "platform/sql/ResultHolder.h"
#include "search/ListEvents.h"
#include "search/SearchPanel.h"
#include "totals_export/TotalsExport.h"

#include <array>
#include <memory>

namespace tessaro {

struct TessaroPrivate {
    /// Builds every child control of `q` as designed; a new instance starts empty, zero and False.
    explicit TessaroPrivate(Tessaro& q);
    Tessaro& q;

    // ---- control ----
    data::LoadSettings settings;
    sql::ResultHolder results{q.rst, {}};
    int MousePointer = 0;
    tessaro::ListView* lstv = nullptr;
    std::unique_ptr<RememberedSettings> remembered;
    std::unique_ptr<HeaderPanel> header;
    std::unique_ptr<ControlLayout> layout;
    void makeListView();

    // ---- search panel and list events ----
    std::unique_ptr<search::SearchPanel> search;
    std::unique_ptr<search::ListEvents> listEvents;
    ComboBox* cmbCercaIn = nullptr; // search->columnChoice()
    void makeSearchPanel();
    void makeListEvents();
    void retranslateSearch();

    // ---- totals and export ----
    std::unique_ptr<totals_export::TotalsExport> totals;
    void makeTotalsAndExport();
    void retranslateTotals();
    /// The panel's last field in the tab order: the list follows it.
    QWidget* lastPanelField();

    // ---- page bar ----
    std::unique_ptr<paging::PageBar> pageBar;
    Frame* fraPaginazione = nullptr; // the bar's frame, which the control places and shows
    void makePageBar();
    void retranslatePageBar();

    // ---- loading ----
    std::unique_ptr<data::Loader> loader;
    void makeLoader();
};

} // namespace tessaro

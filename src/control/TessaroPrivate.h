#pragma once

// Member state and child controls of one Tessaro instance, one block per feature. The
// constructor builds the child controls in creation order and binds them to the control.

#include <tessaro/Tessaro.h>

#include "data/Loader.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/TextBox.h"
#include "platform/sql/ResultHolder.h"

#include <array>

namespace tessaro {

struct TessaroPrivate {
    /// Builds every child control of `q` as designed; a new instance starts empty, zero and False.
    explicit TessaroPrivate(Tessaro& q);
    Tessaro& q;

    // ---- control ----
    data::LoadSettings settings;
    sql::ResultHolder results{q.rst, {}};
    QString AppTitle;
    bool NonMemorizzareDimensioni = false;
    int MousePointer = 0;
    tessaro::ListView* lstv = nullptr;
    PictureBox* pctIntestazione = nullptr;
    PictureBox* pctEstendi = nullptr;
    PictureBox* pctNascondi = nullptr;
    void makeListView();
    void makeHeaderPanel();

    // ---- search panel and list events ----
    Label* Label1 = nullptr;
    ComboBox* cmbCercaIn = nullptr;
    Label* Label2 = nullptr;
    TextBox* txtRicerca = nullptr;
    CommandButton* cmdTrova = nullptr;
    void makeSearchPanel();
    void makeListEvents();
    void retranslateSearch();

    // ---- totals and export ----
    CommandButton* cmdSomma = nullptr;
    CommandButton* cmdEsportaInExcel = nullptr;
    OptionButton* optTutti = nullptr;
    OptionButton* optSelezionati = nullptr;
    void makeTotalsAndExport();
    void retranslateTotals();
    /// The panel's last field in the tab order: the list follows it.
    QWidget* lastPanelField();

    // ---- page bar ----
    Frame* fraPaginazione = nullptr;
    Label* lblNumRecord = nullptr;
    Label* lblPagine = nullptr;
    std::array<Label*, 8> lblPag{};
    Image* imgPrimaPagina = nullptr;
    Image* imgPrecedente = nullptr;
    Image* imgSuccessiva = nullptr;
    Image* imgUltimaPagina = nullptr;
    Label* lblCaricatutti = nullptr;
    Label* lblPaginaRisultati = nullptr;
    Label* lblPrimaPagina = nullptr;
    Label* lblUltimaPagina = nullptr;
    void makePageBar();
    void retranslatePageBar();

    // ---- loading ----
    std::unique_ptr<data::Loader> loader;
    void makeLoader();
};

/// The control's own size in twips.
double controlWidthTwips(const QWidget* control);
double controlHeightTwips(const QWidget* control);

} // namespace tessaro

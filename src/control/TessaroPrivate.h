#pragma once

// Member state and child controls of one Tessaro instance.

#include <tessaro/Tessaro.h>

#include "platform/controls/ComboBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/TextBox.h"

#include <QSqlDatabase>
#include <array>

namespace tessaro {

struct TessaroPrivate {
    // Member state; a new instance starts empty, zero and False throughout.
    QSqlDatabase DBConnection;
    QString Query;
    bool CheckBoxes = false;
    QString AppTitle;
    bool NonMemorizzareDimensioni = false;
    int PageSize = 0;
    int AbsolutePage = 0;
    bool Paged = false;
    int ColonnaIndiceImmagine = 0;
    int MousePointer = 0;

    // Header panel and its children.
    PictureBox* pctIntestazione = nullptr;
    Label* Label1 = nullptr;
    ComboBox* cmbCercaIn = nullptr;
    Label* Label2 = nullptr;
    TextBox* txtRicerca = nullptr;
    CommandButton* cmdTrova = nullptr;
    CommandButton* cmdSomma = nullptr;
    CommandButton* cmdEsportaInExcel = nullptr;
    OptionButton* optTutti = nullptr;
    OptionButton* optSelezionati = nullptr;

    tessaro::ListView* lstv = nullptr;
    PictureBox* pctEstendi = nullptr;
    PictureBox* pctNascondi = nullptr;

    // Page frame and its children.
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

    /// Creates every child control of `owner` as designed.
    void buildChildControls(Tessaro* owner);

private:
    void buildHeaderPanel(Tessaro* owner);
    void buildPageFrame(Tessaro* owner);
    void buildPageLabels();
    void buildArrowImages();
};

/// The control's own size in twips.
double controlWidthTwips(const QWidget* control);
double controlHeightTwips(const QWidget* control);

} // namespace tessaro

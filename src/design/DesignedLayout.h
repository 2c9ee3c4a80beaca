#pragma once

// The control's layout as designed, in one table: boxes in twips (left, top, width, height,
// within the parent), colours, faces and point sizes. The boxes are where a new control's
// children start; the layout code moves and stretches some of them afterwards.

#include <tessaro/Enums.h>

#include <QColor>

namespace tessaro::design {

struct Box {
    double left, top, width, height;
};

// ---- colours and faces ----
inline const QColor kControlColour(224, 245, 254);
inline const QColor kPanelColour(75, 107, 192);  // the header panel, and the switches' chevrons
inline const QColor kPanelTextColour(Qt::white); // captions on the panel
inline constexpr double kCaptionPoints = 8.25;
inline constexpr const char* kCaptionFace = "Tahoma";
inline constexpr const char* kArrowFace = "Arial"; // the "<" and ">" page labels
// Where the designed faces are missing, narrow faces keep the captions inside their boxes.
inline constexpr const char* kCaptionFaceStandIn = "DejaVu Sans Condensed";
inline constexpr const char* kArrowFaceStandIn = "Liberation Sans";

// ---- control and list ----
inline constexpr double kControlWidth = 9030;
inline constexpr double kControlHeight = 3765;
inline constexpr double kSwitchStrip = 105; // the strip above the list where the panel switch sits
inline constexpr Box kList{0, kSwitchStrip, 9015, 2160};
inline constexpr Box kPanelSwitch{-15, 0, 750, 135};
inline constexpr const char* kShowPanelTip = "Mostra la barra di ricerca";
inline constexpr const char* kHidePanelTip = "Nascondi la barra di ricerca";

// ---- header panel ----
inline constexpr Box kPanel{0, 0, 9015, 525};
inline constexpr Box kSearchInLabel{45, 150, 270, 210};
inline constexpr Box kSearchColumn{225, 90, 3105, 315};
inline constexpr Box kSearchLabel{3435, 150, 525, 210};
inline constexpr Box kSearchText{3930, 75, 2595, 330};
inline constexpr Box kFindButton{6570, 75, 405, 360};
inline constexpr Box kTotalsButton{6975, 75, 405, 360};
inline constexpr Box kExportButton{7350, 75, 405, 360};
inline constexpr Box kAllRowsOption{7800, 15, 975, 225};
inline constexpr Box kSelectedRowsOption{7800, 240, 1155, 225};

// ---- page bar ----
inline constexpr Box kPageFrame{675, 3435, 8340, 240};

/// A label of the page frame as designed; `caption` and `toolTip` are UTF-8.
struct LabelDesign {
    const char* name;
    const char* caption;
    Box box;
    const char* face;
    const char* toolTip;
    PointerShape pointer;
    bool visible;
    Qt::Alignment alignment;
};

// The frame's labels other than the eight page labels lblPag(0..7).
inline constexpr LabelDesign kPageFrameLabels[] = {
    {"lblNumRecord", "Sono presenti 100 record in 10 pagine", {2610, 15, 4800, 300}, kCaptionFace, "",
     PointerShape::Default, true, Qt::AlignLeft},
    {"lblPagine", "Pag. ", {0, 15, 1140, 300}, kCaptionFace, "", PointerShape::Default, false, Qt::AlignRight},
    {"lblCaricatutti", "Carica tutti \u00bb   ", {7050, 15, 1140, 300}, kCaptionFace, "Carica tutti i record",
     PointerShape::Hand, true, Qt::AlignRight},
    {"lblPaginaRisultati", "Dividi in pagine \u00bb   ", {5760, 0, 1500, 300}, kCaptionFace, "Pagina i record",
     PointerShape::Hand, false, Qt::AlignRight},
    {"lblPrimaPagina", "<<", {0, 15, 255, 300}, kCaptionFace, "Vai alla prima pagina", PointerShape::Hand, false,
     Qt::AlignCenter},
    {"lblUltimaPagina", ">>", {0, 15, 255, 300}, kCaptionFace, "Vai all'ultima pagina", PointerShape::Hand, false,
     Qt::AlignCenter},
};
/// The page labels lblPag(0..7) are kPageNumber placed at these lefts.
inline constexpr double kPageNumberLefts[8] = {1830, 2025, 2190, 2385, 2565, 2760, 2940, 3120};
inline constexpr Box kPageNumber{0, 75, 105, 300};
inline constexpr Box kArrowFirst{0, 0, 240, 150};
inline constexpr Box kArrowPrevious{1440, 15, 150, 150};
inline constexpr Box kArrowNext{1200, 60, 150, 150};
inline constexpr Box kArrowLast{360, 0, 240, 150};
inline constexpr double kPageNumberPoints = 8;
inline constexpr double kCurrentPagePoints = 9; // and bold
// Laid out per page: each page label is as wide as the current page's number needs.
inline constexpr double kPageLabelPerDigit = 60;
inline constexpr double kPageLabelPadding = 300;
inline constexpr double kArrowDrop = 40;   // the arrows sit this much below the labels' top
inline constexpr double kArrowGap = 80;    // between the page numbers and the previous/next arrows
inline constexpr double kEndArrowGap = 150; // between those and the first/last arrows
inline constexpr double kRecordCountLeft = 10;

// ---- visible rows ----
inline constexpr double kListChrome = 400;     // the list's headers and borders
inline constexpr double kRowGuess = 200;       // a row's height while the list has none
inline constexpr int kRowsKeptFree = 4;        // taken off the guessed count
inline constexpr double kScrollAllowance = 100; // added to the column widths before comparing

} // namespace tessaro::design

#pragma once

// The page bar under the list: the record count, the page numbers with their arrows, and the
// switches between one page and all rows. It owns the frame and everything in it; the page
// state itself lives in the result holder, the run of numbers shown in a PageWindow.

#include "paging/PageWindow.h"
#include "platform/controls/Frame.h"
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/LoadPacer.h"
#include "platform/sql/ResultHolder.h"

#include <tessaro/Enums.h>

#include <QObject>

#include <array>
#include <functional>
#include <optional>

namespace tessaro {
class ListView;
}

namespace tessaro::paging {

/// lblPag(0) and lblPag(7) move the bar by a run of numbers; lblPag(1..6) show the numbers.
inline constexpr int kPreviousPagesLabel = 0;
inline constexpr int kNextPagesLabel = 7;
inline constexpr int kPageLabels = kShownPages + 2;

/// What the bar asks of the control it sits in. Any call but visibleRows may yield or run host
/// code, and so destroy the control.
struct PageHost {
    std::function<bool()> connectionUsable;     // false (after telling the user) when unusable
    std::function<int()> visibleRows;           // rows the list shows at its size, at least 1
    std::function<void()> loadCurrentPage;      // fills the list with the current page; traps
    std::function<void()> announcePopulated;    // tells the host the list was filled
    std::function<void(PointerShape)> showPointer;
};

class PageBar : public QObject {
    Q_OBJECT

public:
    /// Builds the frame (hidden) and its children inside `control`; `control`, `results` and
    /// `pacer` must outlive the bar, which is destroyed before the control's children are.
    ///
    /// The load of all rows is paced by `pacer`: the bar shows its progress, its view switches
    /// stop it. While the pacer is busy every page move and view switch is refused quietly.
    PageBar(QWidget& control, sql::ResultHolder& results, LoadPacer& pacer, PageHost host);

    /// The frame the control places under the list and shows once a query is loaded.
    Frame& frame() const { return *fraPaginazione; }
    /// Reads the bar's captions from the current language.
    void retranslate();
    /// Pages `list` from the keyboard: Page Down on its last row moves to the next page and
    /// selects that page's first row, Page Up on its first row to the previous page, selecting
    /// its last row. Each move is the bar's own for that page, with its events. On the last (or
    /// first) page, and while a load runs, the key pages within the list as usual.
    void browseWithListKeys(ListView& list);

    // The public page moves. Failures are reported, or skipped step by step where the control
    // has always skipped them (MoveToLastPage, GoToPage).
    void MoveToFirstPage();
    void MoveToLastPage();
    void MoveToNextPage();
    void MoveToPreviousPage();
    void GoToPage(int Page);

    /// Lays out the bar for the current page: a run of numbers starting at it (or the last run).
    void Paginazione();
    /// The same, with the run of numbers ending at the current page.
    void PaginazioneIndietro();
    void lblPag_Click(int Index);
    void lblCaricatutti_Click();
    void lblPaginaRisultati_Click();
    /// Starts counting the current set's rows beside the window (nothing when they are counted
    /// or being counted); countLanded() follows.
    void countBeside();
    /// The count beside the rows is in: the record counter and the run of numbers become exact.
    /// Nothing else moves: the page, the selection and the focus stay.
    void countLanded();

private:
    /// What the bar knows of the result's size: exact once counted, else the pages known to
    /// exist, with more that may follow.
    struct Extent {
        int pages = 0;
        std::optional<int> records;
    };
    Extent extent();
    PageWindow windowFor(const Extent& pages, bool backwards) const;
    static QString pageTip(bool backwards);
    void layOut(bool backwards);
    void connectClicks();
    void makeKeyboardReachable();
    void keepFocusInBar(const std::function<void()>& move);
    bool pageByKey(ListView& list, int step);
    void stepToPage(int target, int step, int pages);
    void loadPage(bool backwards, bool skipHostFailure);
    bool showCurrentPage(bool backwards, bool skipHostFailure, bool paced = false);
    bool switchView(bool paged);
    int allRowsPageSize();
    void settleAllRowsPageSize();
    /// The total a load of all rows shows its progress against: the count, else the estimate.
    int loadTotal();
    void showWindow(const PageWindow& window, const QString& tip);
    void showHighlight();
    void placePageBar(int currentPage);
    void finishPageBar(const Extent& extent, bool offerPagedView);
    void showPreviousArrows(bool show);
    void showProgress(int done, int total);

    QWidget& m_control;
    sql::ResultHolder& m_results;
    LoadPacer& m_pacer;
    PageHost m_host;
    PageWindow m_window;
    bool m_laidOutBackwards = false; ///< the last run of numbers ended at the current page
    Frame* fraPaginazione = nullptr;
    Label* lblNumRecord = nullptr;
    Label* lblPagine = nullptr;
    std::array<Label*, kPageLabels> lblPag{};
    Image* imgPrimaPagina = nullptr;
    Image* imgPrecedente = nullptr;
    Image* imgSuccessiva = nullptr;
    Image* imgUltimaPagina = nullptr;
    Label* lblCaricatutti = nullptr;
    Label* lblPaginaRisultati = nullptr;
};

} // namespace tessaro::paging

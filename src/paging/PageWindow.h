#pragma once

// The run of page numbers the page bar shows, as a value: the bar lays itself out from it and
// its moves read it, so no caption is ever read back. Pure functions, no widgets.

#include <optional>

namespace tessaro::paging {

/// lblPag(1..6) show the numbers.
inline constexpr int kShownPages = 6;

struct PageWindow {
    int current = 0;             ///< the page shown in bold; 0 or a page outside the run: none
    int count = 0;               ///< pages in all
    int firstLabel = 1;          ///< the lblPag index of the first number shown
    int firstPage = 0;           ///< the number it shows
    int shown = 0;               ///< numbers shown on consecutive labels from firstLabel; 0: none
    bool fromRight = false;      ///< laid out from lblPag(6) leftwards rather than from lblPag(1)
    bool previousArrows = false; ///< the first-page and previous arrows, else the "pages" caption
    bool nextArrows = false;     ///< the next and last-page arrows

    /// The number lblPag(`label`) shows, 0 when it shows none.
    int pageAt(int label) const;
    /// The label that shows `page`, 0 when none does.
    int labelOf(int page) const;
    /// The number lblPag(1) shows, when it shows one (the arrows step from it).
    std::optional<int> firstShownPage() const;

    bool operator==(const PageWindow& other) const;
};

/// A run starting at `current`, or the last run of `count` pages when fewer follow it; no
/// numbers for a single page.
PageWindow forwardWindow(int current, int count);
/// A run ending at `current`, as far back as page 1.
PageWindow backwardWindow(int current, int count);
/// The same run with the numbers hidden (the view of all rows shows none).
PageWindow withoutNumbers(PageWindow window);

} // namespace tessaro::paging

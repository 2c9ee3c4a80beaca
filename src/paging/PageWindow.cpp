#include "paging/PageWindow.h"

#include <algorithm>

namespace tessaro::paging {
namespace {

// The arrows to the right lead on while lblPag(6) shows a page before the last.
PageWindow withNextArrows(PageWindow window)
{
    const int last = window.pageAt(kShownPages);
    window.nextArrows = last != 0 && last < window.count;
    return window;
}

} // namespace

int PageWindow::pageAt(int label) const
{
    const int offset = label - firstLabel;
    return offset >= 0 && offset < shown ? firstPage + offset : 0;
}

int PageWindow::labelOf(int page) const
{
    const int offset = page - firstPage;
    return shown > 0 && offset >= 0 && offset < shown ? firstLabel + offset : 0;
}

std::optional<int> PageWindow::firstShownPage() const
{
    if (shown == 0 || firstLabel != 1)
        return std::nullopt;
    return firstPage;
}

bool PageWindow::operator==(const PageWindow& other) const
{
    return current == other.current && count == other.count && firstLabel == other.firstLabel
        && firstPage == other.firstPage && shown == other.shown && fromRight == other.fromRight
        && previousArrows == other.previousArrows && nextArrows == other.nextArrows;
}

PageWindow forwardWindow(int current, int count)
{
    PageWindow window;
    window.current = current;
    window.count = count;
    window.previousArrows = current >= 2;
    if (count - (kShownPages - 1) >= current || count <= kShownPages) {
        const int following = count > 1 ? std::clamp(count - current + 1, 0, kShownPages) : 0;
        window.shown = following;
        window.firstPage = following > 0 ? current : 0;
    } else {
        window.fromRight = true;
        window.shown = kShownPages;
        window.firstPage = count - (kShownPages - 1);
    }
    return withNextArrows(window);
}

PageWindow backwardWindow(int current, int count)
{
    PageWindow window;
    window.current = current;
    window.count = count;
    window.fromRight = true;
    window.shown = std::clamp(current, 0, kShownPages);
    window.firstLabel = kShownPages + 1 - window.shown;
    window.firstPage = window.shown > 0 ? current - window.shown + 1 : 0;
    window.previousArrows = window.shown > 0 && current > kShownPages;
    return withNextArrows(window);
}

PageWindow withoutNumbers(PageWindow window)
{
    window.shown = 0;
    window.firstPage = 0;
    window.firstLabel = 1;
    return window;
}

} // namespace tessaro::paging

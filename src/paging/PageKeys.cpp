// The page bar from the keyboard: paging on from the list's first and last rows, and the bar's
// numbers and arrows reached by Tab.

#include "paging/PageBar.h"

#include "platform/Failure.h"
#include "platform/controls/ControlGuard.h"
#include "platform/controls/KeyboardClick.h"
#include "platform/listview/ListKeys.h"

#include <tessaro/ListView.h>

#include <QApplication>
#include <QPointer>

#include <optional>
#include <vector>

namespace tessaro::paging {
namespace {

// The row the user paged onto, current and selected: the first of a page reached forwards, the
// last of one reached backwards.
void selectEdgeRow(ListView& list, int step)
{
    const int count = list.ListItems().Count();
    if (count == 0)
        return;
    ListItem* item = list.ListItems().Item(step > 0 ? 1 : count);
    const ControlGuard guard(&list);
    list.setSelectedItem(item);
    if (!guard.gone())
        item->EnsureVisible();
}

} // namespace

void PageBar::browseWithListKeys(ListView& list)
{
    listview::ListKeys::onPageEdge(list, this, [this, &list](int step) { return pageByKey(list, step); });
}

// Whether the key was used for a page move (the control may be gone then). A move that finds
// the connection unusable uses the key too: the move has told the user so, as a click on the bar
// does, and the list paging on as well would hide that nothing was loaded.
bool PageBar::pageByKey(ListView& list, int step)
{
    if (m_pacer.busy())
        return false;
    int pages = 0;
    if (!skipFailure("pageByKey", [&] { pages = m_results.current().PageCount(); }))
        return false;
    const int target = m_results.page.number + step;
    if (target < 1 || target > pages)
        return false;
    const ControlGuard guard(&m_control);
    stepToPage(target, step, pages);
    if (!guard.gone() && m_results.page.number == target)
        selectEdgeRow(list, step);
    return true;
}

// The move a user of the bar would make: a click on the page's number when the bar shows it,
// else on the arrow that leads there (the arrows step from the numbers shown, see
// MoveToNextPage and MoveToPreviousPage). Only a bar laid out backwards from a page below the
// seventh has neither; that page is then gone to directly. Each way asks whether the connection
// is usable, which tells the user when it is not.
void PageBar::stepToPage(int target, int step, int pages)
{
    if (const int label = m_window.labelOf(target)) {
        lblPag_Click(label);
        return;
    }
    const std::optional<int> first = m_window.firstShownPage();
    const int from = first.value_or(m_results.page.number);
    const int arrowLeadsTo = step > 0 ? qMin(from + kShownPages, pages) : (first ? *first - 1 : from - kShownPages);
    if (arrowLeadsTo == target) {
        lblPag_Click(step > 0 ? kNextPagesLabel : kPreviousPagesLabel);
        return;
    }
    const ControlGuard guard(&m_control);
    if (m_host.connectionUsable() && !guard.gone())
        GoToPage(target);
}

// Tab reaches the numbers, the arrows and the view switch in the order they stand in, passing
// over hidden ones; a click with the mouse still leaves the focus where it was.
void PageBar::makeKeyboardReachable()
{
    std::vector<QWidget*> order{imgPrimaPagina, imgPrecedente};
    for (std::size_t i = 1; i <= kShownPages; ++i)
        order.push_back(lblPag[i]);
    // The two switches share one place at the right end; at most one of them is shown.
    order.insert(order.end(), {imgSuccessiva, imgUltimaPagina, lblCaricatutti, lblPaginaRisultati});
    for (QWidget* control : order)
        makeKeyboardClickable(*control);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

// A number, arrow or view switch used from the keyboard may be hidden by its own move (the
// first-page arrow on reaching page 1, "load all" once all rows are loaded), and Qt then passes
// the focus along the tab order to whatever is still shown, maybe outside the control. It goes to
// the current page's number instead or, where the bar shows no numbers, to the view switch shown.
void PageBar::keepFocusInBar(const std::function<void()>& move)
{
    const QPointer<QWidget> focused = QApplication::focusWidget();
    const bool fromBar = focused && fraPaginazione->isAncestorOf(focused);
    const ControlGuard guard(&m_control);
    move();
    if (guard.gone() || !fromBar || !focused || focused->isVisible())
        return;
    if (const int current = m_window.labelOf(m_window.current)) {
        Label* label = lblPag[static_cast<std::size_t>(current)];
        if (label->isVisible()) {
            label->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    for (Label* viewSwitch : {lblCaricatutti, lblPaginaRisultati}) {
        if (viewSwitch->isVisible()) {
            viewSwitch->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace tessaro::paging

#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/format/Like.h"

#include <optional>

namespace tessaro {
namespace {

// The cell of `item` in search column c: the item's text for the first column, else sub-item c.
QString searchCell(ListItem& item, int c)
{
    return c == 0 ? item.Text() : item.SubItems(c);
}

} // namespace

// Every row is deselected, and selected again when its cell in the chosen column matches the
// search text, both upper-cased. A pattern that cannot be read matches no row.
//
// Scrolling to each match in turn would leave the list at the last one; scrolling there once,
// after the loop, gives the same list and keeps a find over a million rows linear.
void Tessaro::cmdTrova_Click()
{
    ComboBox& combo = *d->cmbCercaIn;
    tessaro::ListView& list = *d->lstv;
    if (combo.ListIndex() == -1)
        return;
    std::optional<LikePattern> pattern;
    skipFailure([&] { pattern.emplace(d->txtRicerca->Text(), Qt::CaseInsensitive); });
    ListItem* lastMatch = nullptr;
    for (ListItem* item : list.ListItems()) {
        skipFailure([&] { item->setSelected(false); });
        skipFailure([&] {
            if (pattern && pattern->matches(searchCell(*item, combo.ListIndex()))) {
                item->setSelected(true);
                lastMatch = item;
            }
        });
    }
    if (!lastMatch)
        return;
    skipFailure([&] { list.setFocus(Qt::OtherFocusReason); });
    skipFailure([&] { lastMatch->EnsureVisible(); });
}

} // namespace tessaro

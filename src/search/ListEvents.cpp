#include "control/TessaroPrivate.h"

#include "platform/Failure.h"
#include "platform/controls/KeyEvents.h"
#include "search/DateColumn.h"
#include "search/RimuoviElementiSelezionati.h"

namespace tessaro {
namespace {

bool isDateColumn(const ColumnHeader& header)
{
    // The fill writes each column's TipoCampo number into its header's Tag.
    return header.Tag() == QString::number(static_cast<int>(ColumnKind::Date));
}

} // namespace

// Each click sorts in the order opposite to the list's current one, whichever column it is. A
// date column is sorted by a sortable form of its cells' Tags and then shown in the general date
// form; the Tags stay, so every later click can rebuild the sortable form.
void Tessaro::lstv_ColumnClick(tessaro::ColumnHeader* ColumnHeader)
{
    tessaro::ListView& list = *d->lstv;
    if (list.ListItems().Count() == 0)
        return;
    bool dates = false;
    int column = 0;
    skipFailure([&] {
        dates = isDateColumn(*ColumnHeader);
        column = ColumnHeader->Index() - 1;
    });
    if (dates)
        writeSortableDates(list, column);
    skipFailure([&] { list.setSortKey(column); });
    skipFailure([&] { list.setSorted(true); });
    skipFailure([&] {
        list.setSortOrder(list.SortOrder() == tessaro::ListView::Ascending ? tessaro::ListView::Descending
                                                                          : tessaro::ListView::Ascending);
    });
    if (dates)
        writeGeneralDates(list, column);
    skipFailure([&] {
        if (ListItem* selected = list.SelectedItem())
            selected->EnsureVisible();
    });
}

void Tessaro::lstv_ItemClick(tessaro::ListItem* Item)
{
    if (d->lstv->ListItems().Count() > 0)
        skipFailure([&] { emit ClickListItem(Item); });
}

void Tessaro::lstv_DblClick()
{
    if (d->lstv->ListItems().Count() > 0)
        skipFailure([&] { emit DoubleClickListItem(d->lstv->SelectedItem()); });
}

void Tessaro::lstv_KeyUp(int KeyCode, int Shift)
{
    Q_UNUSED(Shift) // Delete removes the rows with or without Shift, Ctrl or Alt
    if (KeyCode == key::Delete)
        RimuoviElementiSelezionati(*d->lstv);
}

} // namespace tessaro

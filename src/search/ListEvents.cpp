#include "search/ListEvents.h"

#include "platform/Failure.h"
#include "platform/controls/KeyEvents.h"
#include "platform/format/DateConversion.h"
#include "platform/format/ValueText.h"
#include "platform/listview/ListKeys.h"

#include <tessaro/Enums.h>
#include <tessaro/ListView.h>

namespace tessaro::search {
namespace {

bool isDateColumn(const ColumnHeader& header)
{
    // The fill writes each column's TipoCampo number into its header's Tag.
    return header.Tag() == QString::number(static_cast<int>(ColumnKind::Date));
}

// Four-digit year, then two-digit month, day, hour 0-23, minutes, seconds: sorts in time order.
const QString kSortableDateFormat = QStringLiteral("yyyyMMddHHmmss");

// The text that sorts a date cell in time order, from the Tag the fill wrote (see CDate): "" for a
// Null or empty Tag, the Tag's own text when it is not a date.
QString sortableDateText(const QVariant& tag)
{
    const QString text = CStr(tag);
    if (text.isEmpty())
        return QString();
    const SkipFailures skip("sortableDateText");
    QString sortable = text;
    skip([&] { sortable = CDate(tag).toString(kSortableDateFormat); });
    return sortable;
}

// Sub-item k of every item becomes `text` of its Tag. An item whose step fails (k names no
// sub-item, or its Tag is no date) keeps its text.
template <class Text>
void rewriteDates(ListView& list, int k, Text text)
{
    const SkipFailures skip("rewriteDates");
    for (ListItem* item : list.ListItems())
        skip([&] { item->setSubItems(k, text(item->ListSubItems(k)->Tag())); });
}

} // namespace

ListEvents::ListEvents(ListView& list, ListEventsHost host) : m_list(list), m_host(std::move(host))
{
    connect(&list, &ListView::ColumnClick, this, &ListEvents::lstv_ColumnClick);
    connect(&list, &ListView::ItemClick, this, &ListEvents::lstv_ItemClick);
    connect(&list, &ListView::DblClick, this, &ListEvents::lstv_DblClick);
    connect(&list, &ListView::KeyUp, this, &ListEvents::lstv_KeyUp);
    listview::ListKeys::onEnter(list, this, [this](ListItem* item) { lstv_EnterKey(item); });
}

// Each click sorts in the order opposite to the list's current one, whichever column it is. A
// date column is sorted by a sortable form of its cells' Tags and then shown in the general date
// form; the Tags stay, so every later click can rebuild the sortable form.
void ListEvents::lstv_ColumnClick(ColumnHeader* ColumnHeader)
{
    if (m_list.ListItems().Count() == 0)
        return;
    if (m_host.sortsWholeResult()) {
        const int order = m_list.SortOrder() == ListView::Ascending ? ListView::Descending : ListView::Ascending;
        m_list.setSorted(false);
        m_list.setSortKey(ColumnHeader->Index() - 1);
        m_list.setSortOrder(order);
        m_list.setPresorted(true);
        // The database's sort may yield, and the host destroy the control meanwhile: it runs once
        // the header is done with the click, which the header would go on handling when deleted.
        const int column = ColumnHeader->Index() - 1;
        QMetaObject::invokeMethod(
            this, [this, column, order] { m_host.sortWholeResult(column, order == ListView::Descending); },
            Qt::QueuedConnection);
        return;
    }
    const bool dates = isDateColumn(*ColumnHeader);
    const int column = ColumnHeader->Index() - 1;
    if (dates)
        rewriteDates(m_list, column, sortableDateText);
    m_list.setSortKey(column);
    m_list.setSorted(true);
    m_list.setSortOrder(m_list.SortOrder() == ListView::Ascending ? ListView::Descending : ListView::Ascending);
    if (dates)
        rewriteDates(m_list, column, [](const QVariant& tag) { return GeneralDate(CDate(tag)); });
    if (ListItem* selected = m_list.SelectedItem())
        selected->EnsureVisible();
}

// Host code may fail; the click is over either way.
void ListEvents::lstv_ItemClick(ListItem* Item)
{
    const SkipFailures skip("lstv_ItemClick");
    if (m_list.ListItems().Count() > 0)
        skip([&] { m_host.itemClicked(Item); });
}

void ListEvents::lstv_DblClick()
{
    itemDoubleClicked(m_list.SelectedItem());
}

// Enter is the keyboard's double click, on the current row.
void ListEvents::lstv_EnterKey(ListItem* Item)
{
    itemDoubleClicked(Item);
}

// Host code may fail; the double click is over either way.
void ListEvents::itemDoubleClicked(ListItem* item)
{
    const SkipFailures skip("itemDoubleClicked");
    if (m_list.ListItems().Count() > 0)
        skip([&] { m_host.itemDoubleClicked(item); });
}

void ListEvents::lstv_KeyUp(int KeyCode, int Shift)
{
    Q_UNUSED(Shift) // Delete removes the rows with or without Shift, Ctrl or Alt
    // Only the displayed rows go, all at once; the database is not touched.
    if (KeyCode == key::Delete) {
        m_list.ListItems().RemoveSelected();
        m_list.Refresh();
    }
}

} // namespace tessaro::search

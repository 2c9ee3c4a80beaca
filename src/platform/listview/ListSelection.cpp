// Selection: the items' flags against Qt's selection model (see ListCore.h for why the flags
// lead and the selection model follows in batches).

#include "platform/listview/ListCore.h"

#include "platform/listview/ListModel.h"

#include <QItemSelectionModel>
#include <QScopedValueRollback>

#include <algorithm>

namespace tessaro::listview {

void ListCore::itemSelectionChanged(ListItem&)
{
    m_pushPending = true;
    runOnceLater(m_pushScheduled, &ListCore::pushSelection);
}

// Clearing first keeps Qt from comparing the old and the new selection range by range.
void ListCore::pushSelection()
{
    QItemSelectionModel* selection = m_view.selectionModel();
    if (!m_pushPending || !selection)
        return;
    m_model->publishRows();
    m_pushPending = false;
    QScopedValueRollback<bool> fromCode(m_pushing, true);
    selection->clearSelection();
    const QItemSelection flagged = selectionFromFlags();
    if (!flagged.isEmpty())
        selection->select(flagged, QItemSelectionModel::Select);
}

QItemSelection ListCore::selectionFromFlags() const
{
    QItemSelection flagged;
    if (headerCount() == 0)
        return flagged;
    for (const auto& [first, last] : m_store.selectedRuns())
        flagged.append(QItemSelectionRange(m_model->index(first, 0), m_model->index(last, headerCount() - 1)));
    return flagged;
}

// Removing or reordering rows is quick while the selection model holds nothing; the flags keep
// the selection and go back in afterwards.
void ListCore::detachSelection()
{
    QItemSelectionModel* selection = m_view.selectionModel();
    if (selection && selection->hasSelection()) {
        QScopedValueRollback<bool> fromCode(m_pushing, true);
        selection->clearSelection();
    }
    if (m_store.selectedCount() > 0) {
        m_pushPending = true;
        runOnceLater(m_pushScheduled, &ListCore::pushSelection);
    }
}

void ListCore::pullSelection(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (m_pushing)
        return;
    setFlagsFromSelection(deselected, false);
    setFlagsFromSelection(selected, true);
}

void ListCore::setFlagsFromSelection(const QItemSelection& selection, bool selected)
{
    for (const QItemSelectionRange& range : selection) {
        const int last = std::min(range.bottom(), m_store.count() - 1);
        for (int row = std::max(range.top(), 0); row <= last; ++row)
            m_store.setSelected(*m_store.at(row), selected, false);
    }
}

ListItem* ListCore::selectedItem() const
{
    if (m_store.selectedCount() == 0)
        return nullptr;
    const QModelIndex current = m_view.currentIndex();
    if (current.isValid() && current.row() < m_store.count() && m_store.selected(*m_store.at(current.row())))
        return m_store.at(current.row());
    for (ListItem* item : m_store) {
        if (m_store.selected(*item))
            return item;
    }
    return nullptr;
}

void ListCore::setSelectedItem(ListItem* item)
{
    if (m_store.selectedCount() > 0) {
        for (ListItem* other : m_store)
            m_store.setSelected(*other, false, false);
    }
    if (item)
        m_store.setSelected(*item, true, false);
    m_pushPending = true;
    pushSelection();
    if (item && headerCount() > 0)
        m_view.selectionModel()->setCurrentIndex(m_model->index(m_store.rowOf(*item), 0), QItemSelectionModel::NoUpdate);
}

} // namespace tessaro::listview

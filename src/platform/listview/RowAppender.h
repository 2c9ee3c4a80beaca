#pragma once

#include "platform/listview/ListCore.h"

#include <QPointer>

namespace tessaro {
class ListView;
}

namespace tessaro::listview {

/// Fills a ListView with whole rows of UTF-8 texts, for a fill of many rows: each row is stored
/// at once, and the views hear of all of them in one insertion when the appender goes, however
/// the fill ends. A fill that yields to the event loop may publish the rows so far at each yield;
/// when the list is destroyed during a yield, the appender leaves it alone from then on.
class RowAppender {
public:
    explicit RowAppender(ListView& list);
    ~RowAppender()
    {
        if (m_list)
            m_core.endBulkAdd();
    }
    RowAppender(const RowAppender&) = delete;
    RowAppender& operator=(const RowAppender&) = delete;

    /// Adds an item as ListItems().Add(cells[0]), SubItems(k) = cells[k] with that text as the
    /// sub-item's Tag where flagged, and Tag = `tag`. Throws Error 35600 when there is no cell
    /// or more cells than columns (nothing is added then).
    ListItem* append(const QVariant& tag, const ItemStore::RowCell* cells, int count)
    {
        return m_core.addRow(tag, cells, count);
    }
    /// About `rows` rows are coming: room for them is made once.
    void expect(int rows) { m_core.store().reserve(rows); }
    /// The views hear of the rows appended so far (the list keeps them in the order added).
    void publish();

private:
    QPointer<QObject> m_list; // the ListView, cleared when it is destroyed
    ListCore& m_core;
};

} // namespace tessaro::listview

#pragma once

#include "platform/listview/ItemStore.h"

#include <QPointer>
#include <QVariant>

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
    ~RowAppender();
    RowAppender(const RowAppender&) = delete;
    RowAppender& operator=(const RowAppender&) = delete;

    /// Adds an item as ListItems().Add(cells[0]), SubItems(k) = cells[k] with that text as the
    /// sub-item's Tag where flagged, and Tag = `tag`. Throws Error 35600 when there is no cell
    /// or more cells than columns (nothing is added then).
    ListItem* append(const QVariant& tag, const ItemStore::RowCell* cells, int count);
    /// About `rows` rows are coming: room for them is made once.
    void expect(int rows);
    /// The views hear of the rows appended so far (the list keeps them in the order added).
    void publish();

private:
    QPointer<ListView> m_list;
    ListCore& m_core;
};

} // namespace tessaro::listview

#pragma once

// Keys on the list that mean something only to the features above it: Page Down past the last
// row, Page Up before the first, Enter on a row. The list asks the feature that registered for a
// key, after it has put its rows and selection in order, and keeps Qt's own handling otherwise.

#include <QObject>

#include <functional>

namespace tessaro {

class ListItem;
class ListView;

namespace listview {

class ListKeys {
public:
    /// +1 for Page Down on the last row, -1 for Page Up on the first row.
    using PageEdge = std::function<bool(int step)>;
    using Enter = std::function<void(ListItem* item)>;

    /// `handler` hears of Page Down on the last row and Page Up on the first, pressed without
    /// Shift, Ctrl or Alt, for as long as `context` lives. It returns whether it used the key;
    /// when it did not, the list pages as it would without it. It may destroy the list.
    static void onPageEdge(ListView& list, QObject* context, PageEdge handler);
    /// `handler` gets the current item when Return or the keypad's Enter is pressed while there
    /// is one, for as long as `context` lives; the key goes no further. It may destroy the list.
    static void onEnter(ListView& list, QObject* context, Enter handler);
};

} // namespace listview
} // namespace tessaro

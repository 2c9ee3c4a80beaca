#pragma once

#include <tessaro/ListView.h>

#include <QEvent>
#include <QIcon>
#include <QObject>

#include <set>

namespace tessaro::test {

/// The row at the bottom edge of the list's viewport, or its last row when the rows end above it.
inline int bottomRowShown(const ListView& list)
{
    const int row = list.rowAt(list.viewport()->height() - 1);
    return row >= 0 ? row : list.model()->rowCount() - 1;
}

/// The bottom rows (bottomRowShown) of each paint of the list's viewport: every one, the last, and
/// those painted without an icon's room (their text where the icon goes).
class BottomRowsPainted : public QObject {
public:
    explicit BottomRowsPainted(ListView& list) : m_list(list) { list.viewport()->installEventFilter(this); }
    const std::set<int>& rows() const { return m_rows; }
    int last() const { return m_last; }
    const std::set<int>& withoutIconRoom() const { return m_withoutIconRoom; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_rows.insert(m_last = bottomRowShown(m_list));
            if (m_last >= 0 && qvariant_cast<QIcon>(m_list.model()->index(m_last, 0).data(Qt::DecorationRole)).isNull())
                m_withoutIconRoom.insert(m_last);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    ListView& m_list;
    std::set<int> m_rows;
    int m_last = -1;
    std::set<int> m_withoutIconRoom;
};

} // namespace tessaro::test

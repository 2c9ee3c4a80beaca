#pragma once

// The Qt model over a list's items and headers: one row per item, one column per header. Every
// change goes through the list core, which wraps it in the matching notifications here.

#include <QAbstractTableModel>

#include <functional>

namespace tessaro::listview {

class ListCore;

class ListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    ListModel(ListCore& core, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Structural changes: `change` runs between the begin and end notifications.
    template <class Change>
    void removeRowRange(int first, int last, Change&& change)
    {
        publishRows();
        beginRemoveRows(QModelIndex(), first, last);
        change();
        m_published -= last - first + 1;
        endRemoveRows();
    }

    /// `change` removes rows here and there: the views start afresh rather than hear of every gap.
    void resetRows(const std::function<void()>& change);
    /// Announces the rows appended to the store since the last call, in one insertion.
    void publishRows();
    template <class Change>
    void insertColumn(int column, Change&& change)
    {
        beginInsertColumns(QModelIndex(), column, column);
        change();
        endInsertColumns();
    }
    template <class Change>
    void removeColumnRange(int first, int last, Change&& change)
    {
        beginRemoveColumns(QModelIndex(), first, last);
        change();
        endRemoveColumns();
    }
    /// `change` puts the same rows in a new order; persistent indexes follow their items.
    void reorderRows(const std::function<void()>& change);

    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void headersChanged(int first, int last);

private:
    ListCore& m_core;
    int m_published = 0; ///< rows the views have been told of
};

} // namespace tessaro::listview

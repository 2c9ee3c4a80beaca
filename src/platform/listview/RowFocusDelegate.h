#pragma once

// Cells drawn without their own focus frame: the list frames the whole current row instead,
// as a report list does (see ListView::paintEvent).

#include <QStyledItemDelegate>

namespace tessaro::listview {

class RowFocusDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace tessaro::listview

#include "platform/listview/RowFocusDelegate.h"

namespace tessaro::listview {

void RowFocusDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
}

} // namespace tessaro::listview

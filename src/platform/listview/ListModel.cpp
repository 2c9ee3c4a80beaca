#include "platform/listview/ListModel.h"

#include "platform/listview/ListCore.h"

#include <tessaro/Enums.h>

#include <algorithm>
#include <string_view>
#include <utility>

namespace tessaro::listview {
namespace {

// What the list hands its painter, size hints and header for one cell or caption: the text, or
// for a long one its first kDisplayedCharacters characters followed by an ellipsis. Laying out
// a text costs time in proportion to its whole length, however little of it shows, so a cell
// of megabytes would freeze the window at every repaint. Items keep their whole texts (Text,
// SubItems); only what is drawn and measured is cut.

// Characters shown at most: more than a line across the widest screen holds in a readable font.
constexpr int kDisplayedCharacters = 4096;
constexpr char16_t kEllipsis = u'\u2026';
// UTF-8 spends at most three bytes on a UTF-16 unit (four on a surrogate pair), so this many
// bytes decode to more units than are shown.
constexpr std::size_t kDecodedBytes = 3 * std::size_t(kDisplayedCharacters) + 3;

bool isContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The shown start of a text that goes on beyond it, and the ellipsis; a surrogate pair is shown
// whole or not at all.
QString shortened(const QString& text)
{
    qsizetype kept = std::min<qsizetype>(text.size(), kDisplayedCharacters);
    if (kept > 0 && text.at(kept - 1).isHighSurrogate())
        --kept;
    return text.left(kept) + QChar(kEllipsis);
}

QString displayedText(const QString& text)
{
    return text.size() <= kDisplayedCharacters ? text : shortened(text);
}

// Only the part shown is decoded.
QString displayedText(std::string_view utf8)
{
    if (utf8.size() <= std::size_t(kDisplayedCharacters)) // never more units than bytes
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::size_t bytes = std::min(utf8.size(), kDecodedBytes);
    while (bytes < utf8.size() && bytes > 0 && isContinuationByte(utf8[bytes])) // cut between characters
        --bytes;
    const QString decoded = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(bytes));
    return bytes == utf8.size() ? displayedText(decoded) : shortened(decoded);
}

// A right-aligned or centred cell is drawn without the blanks that justify its text (a numeric
// column's texts are padded to a fixed width): kept, they would push the digits out of a narrow
// column and leave only the ellipsis. A left-aligned cell is drawn as it is.
QString paintedText(QString text, int alignment)
{
    return toColumnAlignment(alignment) == ColumnAlignment::Left ? text : std::move(text).trimmed();
}

Qt::Alignment qtAlignment(int alignment)
{
    switch (toColumnAlignment(alignment)) {
    case ColumnAlignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlignment::Centre: return Qt::AlignHCenter | Qt::AlignVCenter;
    case ColumnAlignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace

ListModel::ListModel(ListCore& core, QObject* parent) : QAbstractTableModel(parent), m_core(core) {}

int ListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_published;
}

int ListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_core.headerCount();
}

QVariant ListModel::data(const QModelIndex& index, int role) const
{
    // The root index is a legal question with no answer; anything else must be ours and in range.
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const ListItem& item = *m_core.store().at(index.row());
    const bool first = index.column() == 0;
    // Asked for every role of every painted cell: the column's alignment only where it matters.
    const auto alignment = [&] { return m_core.header(index.column())->Alignment(); };
    switch (role) {
    case Qt::DisplayRole: return paintedText(displayedText(m_core.store().utf8(item, index.column())), alignment());
    // Screen readers hear the value, never the blanks that place it.
    case Qt::AccessibleTextRole: return displayedText(m_core.store().utf8(item, index.column())).trimmed();
    case Qt::TextAlignmentRole: return QVariant::fromValue(qtAlignment(alignment()));
    case Qt::DecorationRole: return first ? m_core.iconFor(item) : QVariant();
    case Qt::CheckStateRole:
        if (first && m_core.checkBoxes())
            return static_cast<int>(m_core.store().checked(item) ? Qt::Checked : Qt::Unchecked);
        return QVariant();
    default: return QVariant();
    }
}

bool ListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    ListItem& item = *m_core.store().at(index.row());
    m_core.store().setChecked(item, value.toInt() == Qt::Checked);
    return true;
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        const bool valid = section >= 0 && section < rowCount();
        return valid && role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    }
    if (section < 0 || section >= columnCount())
        return QVariant();
    const ColumnHeader& header = *m_core.header(section);
    switch (role) {
    case Qt::DisplayRole: return displayedText(header.Text());
    case Qt::TextAlignmentRole: return QVariant::fromValue(qtAlignment(header.Alignment()));
    default: return QVariant();
    }
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const
{
    // The root index is a legal question with no answer; anything else must be ours and in range.
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0 && m_core.checkBoxes())
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

// Persistent indexes are few here (the current item, the hovered one): the selection is taken
// out of the selection model before a reorder and put back afterwards.
void ListModel::reorderRows(const std::function<void()>& change)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<ListItem*> items;
    items.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
        items.push_back(m_core.store().at(index.row()));
    change();
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(m_core.store().rowOf(*items[static_cast<std::size_t>(i)]), before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListModel::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    // Rows not yet announced are read afresh when they are.
    lastRow = std::min(lastRow, m_published - 1);
    if (firstRow <= lastRow)
        emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn));
}

void ListModel::resetRows(const std::function<void()>& change)
{
    beginResetModel();
    change();
    m_published = m_core.store().count();
    endResetModel();
}

void ListModel::publishRows()
{
    const int count = m_core.store().count();
    if (count <= m_published)
        return;
    beginInsertRows(QModelIndex(), m_published, count - 1);
    m_published = count;
    endInsertRows();
}

void ListModel::headersChanged(int first, int last)
{
    emit headerDataChanged(Qt::Horizontal, first, last);
}

} // namespace tessaro::listview

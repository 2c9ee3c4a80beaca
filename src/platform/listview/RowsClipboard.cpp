#include "platform/listview/RowsClipboard.h"

#include "platform/listview/ListCore.h"

#include <tessaro/ColumnHeader.h>

#include <QHeaderView>
#include <QMimeData>

#include <vector>

namespace tessaro::listview {
namespace {

const QString kHtmlMime = QStringLiteral("text/html");
const QString kHtmlStart
    = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body><table>\n");
const QString kHtmlEnd = QStringLiteral("</table></body></html>\n");

// A tab would start a new cell and a line break a new row: inside a value each is one blank.
QString cellText(const QString& text)
{
    QString cell = text.trimmed();
    cell.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (const char breaking : {'\t', '\r', '\n'})
        cell.replace(QLatin1Char(breaking), QLatin1Char(' '));
    return cell;
}

// The columns the header shows, left to right: a hidden or zero-wide section shows nothing.
std::vector<int> shownColumns(const ListCore& core, const QHeaderView& header)
{
    std::vector<int> columns;
    for (int visual = 0; visual < core.headerCount(); ++visual) {
        const int column = header.logicalIndex(visual);
        if (column >= 0 && column < core.headerCount() && !header.isSectionHidden(column)
            && header.sectionSize(column) > 0)
            columns.push_back(column);
    }
    return columns;
}

// One line of both forms: cells joined by tabs, and a table row of `tag` cells.
class TwoForms {
public:
    void addLine(const QStringList& cells, QLatin1String tag)
    {
        m_text += cells.join(QLatin1Char('\t'));
        m_text += QLatin1Char('\n');
        m_html += QLatin1String("<tr>");
        for (const QString& cell : cells)
            m_html += QLatin1Char('<') + tag + QLatin1Char('>') + cell.toHtmlEscaped() + QLatin1String("</") + tag
                + QLatin1Char('>');
        m_html += QLatin1String("</tr>\n");
    }

    std::unique_ptr<QMimeData> data() const
    {
        auto data = std::make_unique<QMimeData>();
        data->setText(m_text);
        data->setData(kHtmlMime, (kHtmlStart + m_html + kHtmlEnd).toUtf8());
        return data;
    }

private:
    QString m_text;
    QString m_html;
};

} // namespace

std::unique_ptr<QMimeData> selectedRowsData(ListCore& core, const QHeaderView& header)
{
    ItemStore& store = core.store();
    if (store.selectedCount() == 0)
        return nullptr;
    const std::vector<int> columns = shownColumns(core, header);
    TwoForms forms;
    QStringList cells;
    for (int column : columns)
        cells << cellText(core.header(column)->Text());
    forms.addLine(cells, QLatin1String("th"));
    for (const auto& [first, last] : store.selectedRuns()) {
        for (int row = first; row <= last; ++row) {
            const ListItem& item = *store.at(row);
            cells.clear();
            for (int column : columns) {
                const std::string_view utf8 = store.utf8(item, column);
                cells << cellText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
            }
            forms.addLine(cells, QLatin1String("td"));
        }
    }
    return forms.data();
}

} // namespace tessaro::listview

#include "search/WholeFind.h"

#include "platform/AsciiText.h"
#include "platform/controls/ScanPacing.h"
#include "platform/format/Like.h"

namespace tessaro::search {
namespace {

// A cell's UTF-8 text in `out`, reusing its room row after row: most cells are ASCII, widened
// byte by byte.
void setText(QString& out, std::string_view text)
{
    if (!isAscii(text)) {
        out = QString::fromUtf8(text.data(), qsizetype(text.size()));
        return;
    }
    out.resize(qsizetype(text.size()));
    QChar* to = out.data();
    for (const char c : text)
        *to++ = QChar(static_cast<unsigned char>(c));
}

} // namespace

std::optional<int> WholeFind::nextPageWithMatch(int column, const LikePattern& pattern, bool& stopped)
{
    const qint64 pageRows = m_rows.pageSize();
    const qint64 afterPage = m_rows.firstShownRow() + pageRows;
    std::optional<qint64> found;
    {
        ScanPacing pacing(m_pacer, m_rows.rowsExpected());
        QString cell;
        qint64 scanned = 0;
        const CellVisitor look = [&](qint64 row, std::string_view text) {
            setText(cell, text);
            if (pattern.matches(cell)) {
                found = row;
                return false;
            }
            return pacing.step(++scanned);
        };
        m_rows.scanColumn(column, afterPage, WholeRows::kToTheEnd, look);
        // Round from the first row, the current page's own matches last.
        if (!found && !pacing.stopped())
            m_rows.scanColumn(column, 0, afterPage, look);
        stopped = pacing.stopped();
    }
    if (!found)
        return std::nullopt;
    return int(*found / pageRows + 1);
}

} // namespace tessaro::search

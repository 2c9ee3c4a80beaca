#include "data/ResultScan.h"

#include "data/CellText.h"
#include "platform/sql/RecordsetRows.h"

#include <tessaro/Recordset.h>
#include <tessaro/collColonne.h>

#include <algorithm>
#include <string>

namespace tessaro::data {
namespace {

// Thrown from the row visitor to leave the read early; never leaves this file.
struct ScanEnded {
};

void scan(const Recordset& set, qint64 from, qint64 maxRows, const std::function<bool(const sql::RowValues&)>& visit)
{
    const int rows = maxRows < 0 ? sql::RecordsetRows::kAllRows
                                 : int(std::min<qint64>(maxRows, sql::RecordsetRows::kAllRows));
    try {
        sql::RecordsetRows::readAt(set, from, rows, [&](const sql::RowValues& row) {
            if (!visit(row))
                throw ScanEnded();
        });
    } catch (const ScanEnded&) {
    }
}

} // namespace

void scanField(const Recordset& set, collColonne& columns, int field, qint64 from, qint64 maxRows,
                const CellVisitor& visit)
{
    const CellTextWriter writer(columns.Item(field));
    std::string buffer;
    qint64 row = from;
    scan(set, from, maxRows, [&](const sql::RowValues& values) {
        std::string_view text;
        writer.write(values, field, buffer, text);
        return visit(row++, text);
    });
}

void scanShownFields(const Recordset& set, collColonne& columns, const RowTextsVisitor& visit)
{
    const int fields = set.FieldCount();
    std::vector<CellTextWriter> writers;
    for (int field = 1; field < fields; ++field)
        writers.emplace_back(columns.Item(field));
    std::vector<std::string> buffers(writers.size());
    std::vector<std::string_view> texts(writers.size());
    qint64 row = 0;
    scan(set, 0, WholeRows::kToTheEnd, [&](const sql::RowValues& values) {
        for (std::size_t k = 0; k < writers.size(); ++k)
            writers[k].write(values, int(k) + 1, buffers[k], texts[k]);
        return visit(row++, texts);
    });
}

} // namespace tessaro::data

#pragma once

// The cell formats of one workbook, made once for each combination in use: libxlsxwriter keeps
// every format it is given until the workbook closes, so a format per cell would grow with the
// rows.

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <unordered_map>
#include <vector>

struct lxw_format;
struct lxw_workbook;

namespace tessaro::spreadsheet {

class CellFormats {
public:
    /// The ids of the two number formats every sheet knows.
    static constexpr int General = 0;
    static constexpr int Text = 1;

    explicit CellFormats(lxw_workbook* book);
    CellFormats(const CellFormats&) = delete;
    CellFormats& operator=(const CellFormats&) = delete;

    /// The id of a number format: General for "General" in any letter case, Text for "@".
    int numberFormat(const QString& format);
    /// The workbook's format with that number format, boldness and HorizontalAlignment value.
    lxw_format* format(int numberFormat, bool bold, int alignment);

private:
    lxw_workbook* m_book;
    QHash<QString, int> m_ids;
    std::vector<QByteArray> m_patterns; // by id; General and Text have none
    std::unordered_map<std::uint64_t, lxw_format*> m_formats;
};

} // namespace tessaro::spreadsheet

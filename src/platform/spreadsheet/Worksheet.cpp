#include "platform/spreadsheet/Spreadsheet.h"

#include "platform/spreadsheet/CellFormats.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <optional>

namespace tessaro::spreadsheet {
namespace {

// The spreadsheet's limits for one cell text and one column width (in characters).
constexpr int MaxTextLength = 32767;
constexpr double MaxColumnWidth = 255;
// What a fitted column adds to its widest text, and how much wider bold characters are.
constexpr double FitPadding = 1.0;
constexpr double BoldWidening = 1.1;

template <class T>
T& at(std::vector<T>& values, int column, T fill)
{
    if (static_cast<int>(values.size()) < column)
        values.resize(static_cast<std::size_t>(column), fill);
    return values[static_cast<std::size_t>(column - 1)];
}

} // namespace

Worksheet::Worksheet(const QString& name, lxw_worksheet* sheet, CellFormats& formats)
    : m_name(name), m_sheet(sheet), m_formats(formats), m_numbers(QLocale()), m_sheetFormat(CellFormats::General)
{
}

Range Worksheet::Cells()
{
    return Range(*this, Range::Kind::Sheet, 0, 0);
}

Range Worksheet::Cells(int row, int column)
{
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        raiseWriterError(QStringLiteral("The cell (%1, %2) lies outside the sheet").arg(row).arg(column));
    return Range(*this, Range::Kind::Cell, row, column);
}

Range Worksheet::Columns(int column)
{
    if (column < 1 || column > MaxColumns)
        raiseWriterError(QStringLiteral("The column %1 lies outside the sheet").arg(column));
    return Range(*this, Range::Kind::Column, 0, column);
}

Worksheet::Cell& Worksheet::cell(int row, int column)
{
    if (row < m_row)
        raiseWriterError(QStringLiteral("The row %1 is already written").arg(row));
    if (row > m_row) {
        flushRow();
        m_row = row;
    }
    Cell& cell = at(m_cells, column, Cell{});
    cell.touched = true;
    return cell;
}

void Worksheet::setValue(int row, int column, const QString& value)
{
    if (value.size() > MaxTextLength)
        raiseWriterError(QStringLiteral("A cell holds at most %1 characters").arg(MaxTextLength));
    Cell& target = cell(row, column);
    const int format = target.numberFormat >= 0 ? target.numberFormat : numberFormatOf(column);
    target.text = value;
    target.content = value.isEmpty() ? Cell::Content::Blank : Cell::Content::Text;
    if (target.content == Cell::Content::Text && format != CellFormats::Text) {
        if (const std::optional<double> number = m_numbers.read(value)) {
            target.content = Cell::Content::Number;
            target.number = *number;
        }
    }
    if (target.content != Cell::Content::Blank) {
        m_lastRow = std::max(m_lastRow, row);
        m_lastColumn = std::max(m_lastColumn, column);
    }
}

int Worksheet::numberFormatOf(int column) const
{
    if (column <= static_cast<int>(m_columnFormats.size())) {
        const int own = m_columnFormats[static_cast<std::size_t>(column - 1)];
        if (own >= 0)
            return own;
    }
    return m_sheetFormat;
}

void Worksheet::setSheetNumberFormat(int format)
{
    m_sheetFormat = format;
    m_columnFormats.clear();
    for (Cell& cell : m_cells)
        cell.numberFormat = -1;
}

void Worksheet::setColumnNumberFormat(int column, int format)
{
    at(m_columnFormats, column, -1) = format;
    if (column <= static_cast<int>(m_cells.size()))
        m_cells[static_cast<std::size_t>(column - 1)].numberFormat = -1;
}

void Worksheet::measure(int column, const Cell& cell)
{
    if (cell.content == Cell::Content::Blank)
        return;
    const double width = cell.text.size() * (cell.bold ? BoldWidening : 1.0) + FitPadding;
    double& widest = at(m_measured, column, 0.0);
    widest = std::max(widest, width);
}

void Worksheet::fitColumns(int first, int last)
{
    for (int column = 1; column <= static_cast<int>(m_cells.size()); ++column)
        measure(column, m_cells[static_cast<std::size_t>(column - 1)]);
    last = std::min(last, static_cast<int>(m_measured.size()));
    for (int column = first; column <= last; ++column) {
        const double widest = m_measured[static_cast<std::size_t>(column - 1)];
        if (widest > 0)
            at(m_fitted, column, 0.0) = std::min(widest, MaxColumnWidth);
    }
}

// Hands the row being written to libxlsxwriter, which streams it to its file. The row is
// finished even when a cell is refused, so that what was written can still be saved.
void Worksheet::flushRow()
{
    int refused = LXW_NO_ERROR;
    const lxw_row_t row = static_cast<lxw_row_t>(m_row - 1);
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const Cell& cell = m_cells[i];
        if (!cell.touched)
            continue;
        const int column = static_cast<int>(i) + 1;
        const int numberFormat = cell.numberFormat >= 0 ? cell.numberFormat : numberFormatOf(column);
        lxw_format* format = m_formats.format(numberFormat, cell.bold, cell.alignment);
        const lxw_col_t col = static_cast<lxw_col_t>(i);
        lxw_error result = LXW_NO_ERROR;
        switch (cell.content) {
        case Cell::Content::Blank: result = worksheet_write_blank(m_sheet, row, col, format); break;
        case Cell::Content::Number: result = worksheet_write_number(m_sheet, row, col, cell.number, format); break;
        case Cell::Content::Text:
            result = worksheet_write_string(m_sheet, row, col, cell.text.toUtf8().constData(), format);
            break;
        }
        if (refused == LXW_NO_ERROR)
            refused = result;
        measure(column, cell);
    }
    m_cells.clear();
    check(refused);
}

// Columns with a width or a number format of their own, then every other column with the
// sheet's number format; libxlsxwriter wants the column ranges without overlaps.
void Worksheet::writeColumns()
{
    const int described = static_cast<int>(std::max(m_columnFormats.size(), m_fitted.size()));
    for (int column = 1; column <= described; ++column) {
        const double fitted =
            column <= static_cast<int>(m_fitted.size()) ? m_fitted[static_cast<std::size_t>(column - 1)] : 0;
        const int numberFormat = numberFormatOf(column);
        if (fitted == 0 && numberFormat == CellFormats::General)
            continue;
        const lxw_col_t col = static_cast<lxw_col_t>(column - 1);
        check(worksheet_set_column(m_sheet, col, col, fitted > 0 ? fitted : LXW_DEF_COL_WIDTH,
                                   m_formats.format(numberFormat, false, xlGeneral)));
    }
    if (m_sheetFormat != CellFormats::General && described < MaxColumns) {
        check(worksheet_set_column(m_sheet, static_cast<lxw_col_t>(described), MaxColumns - 1, LXW_DEF_COL_WIDTH,
                                   m_formats.format(m_sheetFormat, false, xlGeneral)));
    }
}

void Worksheet::finish()
{
    flushRow();
    writeColumns();
}

} // namespace tessaro::spreadsheet

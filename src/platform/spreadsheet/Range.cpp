#include "platform/spreadsheet/Spreadsheet.h"

#include "platform/spreadsheet/CellFormats.h"

#include <algorithm>

namespace tessaro::spreadsheet {

void Range::requireCell() const
{
    if (m_kind != Kind::Cell)
        raiseWriterError(QStringLiteral("The property applies to a single cell only"));
}

void Range::setValue(const QString& value) const
{
    requireCell();
    m_sheet->setValue(m_row, m_column, value);
}

void Range::setNumberFormat(const QString& format) const
{
    const int id = m_sheet->m_formats.numberFormat(format);
    switch (m_kind) {
    case Kind::Cell: m_sheet->cell(m_row, m_column).numberFormat = id; break;
    case Kind::Column: m_sheet->setColumnNumberFormat(m_column, id); break;
    case Kind::Sheet: m_sheet->setSheetNumberFormat(id); break;
    case Kind::Region: raiseWriterError(QStringLiteral("The number format of a region cannot be set"));
    }
}

void Range::setBold(bool bold) const
{
    requireCell();
    m_sheet->cell(m_row, m_column).bold = bold;
}

void Range::setHorizontalAlignment(int alignment) const
{
    requireCell();
    if (alignment != xlGeneral && alignment != xlLeft && alignment != xlCenter && alignment != xlRight)
        raiseWriterError(QStringLiteral("Unknown horizontal alignment %1").arg(alignment));
    m_sheet->cell(m_row, m_column).alignment = alignment;
}

Range Range::CurrentRegion() const
{
    return Range(*m_sheet, Kind::Region, std::max(m_sheet->m_lastRow, 1), std::max(m_sheet->m_lastColumn, 1));
}

void Range::autoFitColumns() const
{
    switch (m_kind) {
    case Kind::Cell:
    case Kind::Column: m_sheet->fitColumns(m_column, m_column); break;
    case Kind::Sheet: m_sheet->fitColumns(1, MaxColumns); break;
    case Kind::Region: m_sheet->fitColumns(1, m_column); break;
    }
}

void Range::autoFitRows() const
{
    // Every row keeps the automatic height it was written with.
}

} // namespace tessaro::spreadsheet

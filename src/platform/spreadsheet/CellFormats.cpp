#include "platform/spreadsheet/CellFormats.h"

#include "platform/spreadsheet/Spreadsheet.h"

#include <xlsxwriter.h>

namespace tessaro::spreadsheet {
namespace {

// The spreadsheet's built-in number format "@".
constexpr int BuiltInTextFormat = 49;

std::uint8_t horizontalAlign(int alignment)
{
    switch (alignment) {
    case xlLeft: return LXW_ALIGN_LEFT;
    case xlCenter: return LXW_ALIGN_CENTER;
    case xlRight: return LXW_ALIGN_RIGHT;
    default: return LXW_ALIGN_NONE;
    }
}

} // namespace

CellFormats::CellFormats(lxw_workbook* book) : m_book(book), m_patterns(2)
{
}

int CellFormats::numberFormat(const QString& format)
{
    if (format.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return General;
    if (format == QLatin1String("@"))
        return Text;
    const auto known = m_ids.constFind(format);
    if (known != m_ids.constEnd())
        return *known;
    const int id = static_cast<int>(m_patterns.size());
    m_patterns.push_back(format.toUtf8());
    m_ids.insert(format, id);
    return id;
}

lxw_format* CellFormats::format(int numberFormat, bool bold, int alignment)
{
    const std::uint8_t align = horizontalAlign(alignment);
    const std::uint64_t key = (static_cast<std::uint64_t>(numberFormat) << 8)
        | (static_cast<std::uint64_t>(bold) << 4) | align;
    lxw_format*& format = m_formats[key];
    if (format)
        return format;
    format = workbook_add_format(m_book);
    if (!format)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED);
    if (numberFormat == Text)
        format_set_num_format_index(format, BuiltInTextFormat);
    else if (numberFormat != General)
        format_set_num_format(format, m_patterns[static_cast<std::size_t>(numberFormat)].constData());
    if (bold)
        format_set_bold(format);
    if (align != LXW_ALIGN_NONE)
        format_set_align(format, align);
    return format;
}

} // namespace tessaro::spreadsheet

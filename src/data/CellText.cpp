#include "data/CellText.h"

#include "platform/format/Format.h"
#include "platform/format/NumberText.h"
#include "platform/format/ValueText.h"
#include "platform/sql/Rows.h"

#include <tessaro/clsColonna.h>

#include <QLocale>

#include <algorithm>
#include <charconv>

namespace tessaro {
namespace {

constexpr int kNumericWidth = 20;

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Bytes count as characters here, so only ASCII text is padded this way.
void alignInNumericWidth(std::string& text)
{
    const std::size_t width = kNumericWidth;
    if (text.size() >= width)
        text.erase(0, text.size() - width);
    else
        text.insert(0, width - text.size(), ' ');
}

QString cellText(const QVariant& value, const QString& format, bool numeric)
{
    const QString base = format.isEmpty() ? CStr(value) : Format(value, format);
    if (!numeric)
        return base;
    if (base.size() >= kNumericWidth)
        return base.right(kNumericWidth);
    return QString(kNumericWidth - base.size(), QLatin1Char(' ')) + base;
}

} // namespace

CellTextWriter::CellTextWriter(const std::shared_ptr<const clsColonna>& column)
    : m_format(column->Formattazione()),
      m_numeric(column->kind() == ColumnKind::Number),
      m_decimalPoint(QLocale().decimalPoint().toStdString())
{
}

bool CellTextWriter::write(const sql::RowValues& row, int field, std::string& out) const
{
    std::string_view text;
    const bool present = write(row, field, out, text);
    if (text.data() != out.data())
        out.assign(text);
    return present;
}

bool CellTextWriter::write(const sql::RowValues& row, int field, std::string& out, std::string_view& text) const
{
    out.clear();
    if (m_format.isEmpty()) {
        const sql::StoredValue stored = row.stored(field);
        if (stored.kind == sql::StoredValue::Kind::Text && !m_numeric) {
            text = stored.text;
            return true;
        }
        if (writeStored(stored, out)) {
            text = out;
            return true;
        }
        out.clear();
    }
    text = {};
    const QVariant value = row.value(field);
    if (value.isNull())
        return false;
    out = cellText(value, m_format, m_numeric).toStdString();
    text = out;
    return true;
}

// The plain text of a value the row holds as it was stored; false when it must go the long way.
bool CellTextWriter::writeStored(const sql::StoredValue& stored, std::string& out) const
{
    using Kind = sql::StoredValue::Kind;
    switch (stored.kind) {
    case Kind::Null:
        return false;
    case Kind::Integer: {
        char digits[24];
        const std::size_t length = std::size_t(std::to_chars(digits, digits + sizeof digits, stored.integer).ptr - digits);
        // A whole number (20 characters at most) goes straight to its place in a numeric column.
        if (m_numeric && length <= std::size_t(kNumericWidth))
            out.assign(std::size_t(kNumericWidth) - length, ' ');
        out.append(digits, length);
        return true;
    }
    case Kind::Real:
        if (!format::appendPlainDoubleText(out, stored.real, m_decimalPoint))
            return false;
        break;
    case Kind::Text:
        out.append(stored.text);
        break;
    case Kind::Other:
        return false;
    }
    if (!m_numeric)
        return true;
    if (!isAscii(out))
        return false;
    alignInNumericWidth(out);
    return true;
}

} // namespace tessaro

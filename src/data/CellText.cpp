#include "data/CellText.h"

#include "platform/AsciiText.h"
#include "platform/format/Format.h"
#include "platform/format/NumberText.h"
#include "platform/format/ValueText.h"
#include "platform/sql/Rows.h"

#include <tessaro/clsColonna.h>

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace tessaro {
namespace {

constexpr qsizetype kNumericChars = qsizetype(CellTextWriter::kNumericWidth);
constexpr char kBlank = ' ';

// Bytes count as characters here, so only ASCII text is padded this way.
void alignInNumericWidth(std::string& text)
{
    const std::size_t width = CellTextWriter::kNumericWidth;
    if (text.size() >= width)
        text.erase(0, text.size() - width);
    else
        text.insert(0, width - text.size(), ' ');
}

// A double read from a column of money or measures is most often the one nearest to a decimal
// of a few places: that decimal is its text at 15 significant digits. Found by scaling by powers
// of ten, and proved by dividing back, which is exact (a whole number and a power of ten below
// 2^53, the quotient correctly rounded): the double is then the decimal's own, within far less
// than half of the 15th digit, so no rounding tie can arise. Texts in scientific form, beyond
// 15 digits or with more places go the general way (false).
bool appendShortDecimal(std::string& out, double value, std::string_view decimalPoint)
{
    constexpr double kSmallestFixed = 1e-4; // the general form turns scientific below
    constexpr double kFifteenDigits = 1e15;
    constexpr double kPowersOfTen[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    constexpr std::size_t kMostPlaces = std::size(kPowersOfTen) - 1;
    const double magnitude = std::fabs(value);
    if (!(magnitude >= kSmallestFixed && magnitude < kFifteenDigits))
        return false;
    for (std::size_t places = 0; places <= kMostPlaces; ++places) {
        const double scaled = std::round(magnitude * kPowersOfTen[places]);
        if (scaled >= kFifteenDigits)
            return false;
        if (scaled / kPowersOfTen[places] != magnitude)
            continue;
        char digits[24];
        const auto number = static_cast<std::uint64_t>(scaled);
        const std::size_t length = std::size_t(std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
        if (value < 0)
            out += '-';
        if (places == 0) {
            out.append(digits, length);
        } else if (length <= places) {
            out += '0';
            out += decimalPoint;
            out.append(places - length, '0');
            out.append(digits, length);
        } else {
            out.append(digits, length - places);
            out += decimalPoint;
            out.append(digits + length - places, places);
        }
        return true;
    }
    return false;
}

QString cellText(const QVariant& value, const QString& format, bool numeric)
{
    const QString base = format.isEmpty() ? CStr(value) : Format(value, format);
    if (!numeric)
        return base;
    if (base.size() >= kNumericChars)
        return base.right(kNumericChars);
    return QString(kNumericChars - base.size(), QLatin1Char(kBlank)) + base;
}

} // namespace

CellTextWriter::CellTextWriter(const std::shared_ptr<const clsColonna>& column)
    : m_format(column->Formattazione()),
      m_numeric(column->kind() == ColumnKind::Number),
      m_decimalPoint(QLocale().decimalPoint().toStdString())
{
    m_digits.fill(kBlank);
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
        if (stored.kind == sql::StoredValue::Kind::Integer) {
            text = wholeNumberText(stored.integer);
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
    if (m_format.isEmpty() && !m_numeric && value.typeId() == QMetaType::QDate && dates().append(out, value.toDate())) {
        text = out;
        return true;
    }
    out = cellText(value, m_format, m_numeric).toStdString();
    text = out;
    return true;
}

const format::ShortDateWriter& CellTextWriter::dates() const
{
    if (!m_dates)
        m_dates.emplace();
    return *m_dates;
}

// Most cells of a fill are whole numbers: their digits go to the writer's buffer without a
// std::string in between. A 64-bit number has at most 20 characters, its sign included.
std::string_view CellTextWriter::wholeNumberText(qint64 number) const
{
    char* const digits = m_digits.data() + kNumericWidth;
    const std::size_t length = std::size_t(std::to_chars(digits, m_digits.data() + m_digits.size(), number).ptr - digits);
    if (m_numeric)
        return {digits + length - kNumericWidth, kNumericWidth};
    return {digits, length};
}

// The plain text of a value the row holds as it was stored; false when it must go the long way.
bool CellTextWriter::writeStored(const sql::StoredValue& stored, std::string& out) const
{
    using Kind = sql::StoredValue::Kind;
    switch (stored.kind) {
    case Kind::Null:
    case Kind::Integer: // write() writes it, without a std::string
        return false;
    case Kind::Real:
        if (!appendShortDecimal(out, stored.real, m_decimalPoint)
            && !format::appendPlainDoubleText(out, stored.real, m_decimalPoint))
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

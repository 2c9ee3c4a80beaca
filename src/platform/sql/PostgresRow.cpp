#include "platform/sql/PostgresRow.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QTime>
#include <QtEndian>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace tessaro::sql::postgres {
namespace {

FieldKind kindOf(Oid type)
{
    switch (type) {
    case kBoolOid: return FieldKind::Bool;
    case kInt8Oid: return FieldKind::Int8;
    case kInt2Oid: case kInt4Oid: case kRegprocOid: case kXidOid: case kCidOid: return FieldKind::Int;
    case kNumericOid: return FieldKind::Numeric;
    case kFloat4Oid: case kFloat8Oid: return FieldKind::Float;
    case kAbstimeOid: case kReltimeOid: case kDateOid: return FieldKind::Date;
    case kTimeOid: case kTimeTzOid: return FieldKind::Time;
    case kTimestampOid: case kTimestampTzOid: return FieldKind::DateTime;
    case kByteaOid: return FieldKind::Bytes;
    default: return FieldKind::Text;
    }
}

QMetaType metaTypeOf(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Bool: return QMetaType::fromType<bool>();
    case FieldKind::Int: return QMetaType::fromType<int>();
    case FieldKind::Int8: return QMetaType::fromType<qlonglong>();
    case FieldKind::Numeric: case FieldKind::Float: return QMetaType::fromType<double>();
    case FieldKind::Date: return QMetaType::fromType<QDate>();
    case FieldKind::Time: return QMetaType::fromType<QTime>();
    case FieldKind::DateTime: return QMetaType::fromType<QDateTime>();
    case FieldKind::Bytes: return QMetaType::fromType<QByteArray>();
    case FieldKind::Text: break;
    }
    return QMetaType::fromType<QString>();
}

// A whole number's text as the driver reads it; 0 for what is not one, as atoi and QByteArray do.
template <class Number>
Number wholeNumber(std::string_view text)
{
    Number number = 0;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// A number's text as the driver reads it: the double nearest to it, and the server's names of NaN
// and the infinities. Most texts are read without Qt; the rest (beyond a double's range, or too
// close to zero) the way the driver reads them, which then gives what Qt made of it, not ok.
struct RealNumber {
    double value = 0;
    bool ok = false;
};

RealNumber realNumber(std::string_view text)
{
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc() && end == text.data() + text.size())
        return {number, true};
    const QByteArray written = QByteArray::fromRawData(text.data(), qsizetype(text.size()));
    bool ok = false;
    number = written.toDouble(&ok);
    if (ok)
        return {number, true};
    if (written.compare("NaN", Qt::CaseInsensitive) == 0)
        return {std::numeric_limits<double>::quiet_NaN(), true};
    if (written.compare("Infinity", Qt::CaseInsensitive) == 0)
        return {std::numeric_limits<double>::infinity(), true};
    if (written.compare("-Infinity", Qt::CaseInsensitive) == 0)
        return {-std::numeric_limits<double>::infinity(), true};
    return {number, false};
}

// A double cut to a whole number as the driver's cast does on this processor: NaN and values out
// of range become the type's lowest value.
template <class Whole>
Whole truncated(double number)
{
    constexpr double kLimit = -double(std::numeric_limits<Whole>::min()); // 2^31 or 2^63, exact
    if (!(number > -kLimit - 1 && number < kLimit))
        return std::numeric_limits<Whole>::min();
    return Whole(number);
}

// A timestamp read in its own offset when it has one (completed to the ISO form), and shown in
// local time; a text too short to be one (the infinities) is no time.
QDateTime dateTimeOf(std::string_view text)
{
    constexpr qsizetype kShortestTimestamp = 10;
    constexpr qsizetype kHourOffset = 3; // "+hh" at the end
    QString written = QString::fromLatin1(text.data(), qsizetype(text.size()));
    if (written.size() < kShortestTimestamp)
        return QDateTime();
    const QChar sign = written.at(written.size() - kHourOffset);
    if (sign == u'-' || sign == u'+')
        written += QLatin1String(":00");
    return QDateTime::fromString(written, Qt::ISODate).toLocalTime();
}

QByteArray bytesOf(const char* escaped)
{
    std::size_t length = 0;
    unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(escaped), &length);
    QByteArray copy(reinterpret_cast<const char*>(bytes), qsizetype(length));
    PQfreemem(bytes);
    return copy;
}

char unescapedCopyCharacter(char escaped)
{
    switch (escaped) {
    case 'b': return '\b';
    case 'f': return '\f';
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 'v': return '\v';
    default: return escaped; // the backslash and the tab themselves
    }
}

} // namespace

void PostgresRow::setKinds(const PGresult* result)
{
    if (!m_kinds.empty() || PQnfields(result) <= 0)
        return;
    m_kinds.resize(std::size_t(PQnfields(result)));
    m_cells.resize(m_kinds.size());
    for (std::size_t field = 0; field < m_kinds.size(); ++field)
        m_kinds[field] = kindOf(PQftype(result, int(field)));
}

qint64 PostgresRow::integerOf(int field) const
{
    const Cell& cell = m_cells[std::size_t(field)];
    if (cell.whole)
        return cell.integer;
    return m_kinds[std::size_t(field)] == FieldKind::Int ? int(wholeNumber<long long>(text(field)))
                                                         : wholeNumber<qint64>(text(field));
}

// COPY's text form: fields parted by tabs, a Null written "\N", and in a text a backslash before
// the letter of a control character, before a tab and before a backslash. Returns false for a line
// without the statement's fields.
bool PostgresRow::readCopyLine(const char* line, std::size_t length)
{
    constexpr char kTab = '\t';
    constexpr char kEscape = '\\';
    if (length > 0 && line[length - 1] == '\n')
        --length;
    if (m_unescaped.size() < length + m_cells.size()) // unescaping only shortens; one NUL a field
        m_unescaped.resize(2 * (length + m_cells.size()));
    char* out = m_unescaped.data();
    const char* in = line;
    const char* const end = line + length;
    for (std::size_t field = 0; field < m_cells.size(); ++field) {
        if (in > end)
            return false;
        const char* tab = static_cast<const char*>(std::memchr(in, kTab, std::size_t(end - in)));
        const char* fieldEnd = tab ? tab : end;
        char* const start = out;
        const bool null = fieldEnd - in == 2 && in[0] == kEscape && in[1] == 'N';
        for (const char* at = in; at < fieldEnd;) {
            const char* escape = static_cast<const char*>(std::memchr(at, kEscape, std::size_t(fieldEnd - at)));
            const char* plainEnd = escape ? escape : fieldEnd;
            std::memcpy(out, at, std::size_t(plainEnd - at));
            out += plainEnd - at;
            at = plainEnd;
            if (escape && escape + 1 < fieldEnd) {
                *out++ = unescapedCopyCharacter(escape[1]);
                at = escape + 2;
            } else if (escape) {
                ++at; // a lone backslash at a field's end is not written
            }
        }
        *out++ = '\0';
        m_cells[field] = {start, std::size_t(out - 1 - start), null};
        in = fieldEnd + 1;
    }
    return in == end + 1;
}

QVariant PostgresRow::value(int field) const
{
    const FieldKind kind = m_kinds[std::size_t(field)];
    if (isNull(field))
        return QVariant(metaTypeOf(kind), nullptr);
    const std::string_view written = text(field);
    switch (kind) {
    case FieldKind::Bool:
        return QVariant(!written.empty() && written.front() == 't');
    case FieldKind::Int:
        return QVariant(int(integerOf(field)));
    case FieldKind::Int8: {
        // The driver reads a positive one as unsigned.
        const qint64 number = integerOf(field);
        return number < 0 ? QVariant(qlonglong(number)) : QVariant(qulonglong(number));
    }
    case FieldKind::Numeric:
    case FieldKind::Float:
        return number(kind, written);
    case FieldKind::Date:
        return QVariant(QDate::fromString(QString::fromLatin1(written.data(), qsizetype(written.size())), Qt::ISODate));
    case FieldKind::Time:
        return QVariant(QTime::fromString(QString::fromLatin1(written.data(), qsizetype(written.size())), Qt::ISODate));
    case FieldKind::DateTime:
        return QVariant(dateTimeOf(written));
    case FieldKind::Bytes:
        return QVariant(bytesOf(written.data()));
    case FieldKind::Text:
        break;
    }
    return QVariant(QString::fromUtf8(written.data(), qsizetype(written.size())));
}

// Floating types are doubles under every policy; numeric follows the policy.
QVariant PostgresRow::number(FieldKind kind, std::string_view written) const
{
    if (kind == FieldKind::Numeric && m_policy == QSql::HighPrecision)
        return QVariant(QString::fromLatin1(written.data(), qsizetype(written.size())));
    const RealNumber real = realNumber(written);
    if (kind == FieldKind::Float)
        return QVariant(real.value);
    // A numeric the driver could not read is an invalid value.
    if (!real.ok)
        return QVariant();
    if (m_policy == QSql::LowPrecisionInt64)
        return QVariant(qlonglong(truncated<qint64>(real.value)));
    if (m_policy == QSql::LowPrecisionInt32)
        return QVariant(truncated<qint32>(real.value));
    return QVariant(real.value);
}

StoredValue PostgresRow::stored(int field) const
{
    StoredValue v;
    const Cell& cell = m_cells[std::size_t(field)];
    if (cell.null) {
        v.kind = StoredValue::Kind::Null;
        return v;
    }
    // A whole number read in binary needs no look at its kind.
    if (cell.whole) {
        v.kind = StoredValue::Kind::Integer;
        v.integer = cell.integer;
        return v;
    }
    const FieldKind kind = m_kinds[std::size_t(field)];
    const std::string_view written = text(field);
    switch (kind) {
    case FieldKind::Int:
    case FieldKind::Int8:
        v.kind = StoredValue::Kind::Integer;
        v.integer = integerOf(field);
        break;
    case FieldKind::Numeric:
    case FieldKind::Float: {
        if (kind == FieldKind::Numeric && m_policy == QSql::HighPrecision) {
            v.kind = StoredValue::Kind::Text; // the server's digits, ASCII
            v.text = written;
            break;
        }
        const RealNumber real = realNumber(written);
        if (kind == FieldKind::Numeric && !real.ok)
            break;
        const bool whole = kind == FieldKind::Numeric && m_policy != QSql::LowPrecisionDouble;
        if (!whole) {
            v.kind = StoredValue::Kind::Real;
            v.real = real.value;
        } else if (std::isfinite(real.value)) {
            v.kind = StoredValue::Kind::Integer;
            v.integer = m_policy == QSql::LowPrecisionInt32 ? truncated<qint32>(real.value) : truncated<qint64>(real.value);
        }
        break;
    }
    case FieldKind::Text:
        if (m_utf8Texts) {
            v.kind = StoredValue::Kind::Text;
            v.text = written;
        }
        break;
    default:
        break;
    }
    return v;
}

// COPY's binary form: before the first row a signature, 32-bit flags and a 32-bit length of
// the extension that follows; then each row a 16-bit count of fields, each field a 32-bit length
// (-1 for Null) and its bytes; a count of -1 ends the rows. Numbers are big-endian.
constexpr char kBinarySignature[] = "PGCOPY\n\377\r\n";
constexpr std::size_t kBinarySignatureBytes = sizeof kBinarySignature; // its NUL included

bool skipBinaryHeader(const char*& at, const char* end)
{
    constexpr std::size_t kFlagsBytes = 4;
    constexpr std::size_t kExtensionLengthBytes = 4;
    if (std::size_t(end - at) < kBinarySignatureBytes + kFlagsBytes + kExtensionLengthBytes
        || std::memcmp(at, kBinarySignature, kBinarySignatureBytes) != 0)
        return false;
    at += kBinarySignatureBytes + kFlagsBytes;
    const quint32 extension = qFromBigEndian<quint32>(at);
    at += kExtensionLengthBytes;
    if (extension > std::size_t(end - at))
        return false;
    at += extension;
    return true;
}

// The types whose binary form gives what their text gives, without the text: whole numbers,
// texts (sent in the client's encoding, as in text form) and truth values.
bool readableInBinary(Oid type)
{
    switch (type) {
    case kBoolOid: case kInt2Oid: case kInt4Oid: case kInt8Oid: case kTextOid: case kBpcharOid: case kVarcharOid:
        return true;
    default:
        return false;
    }
}

// The row is read through a local cursor: a field's text pointer, written per field, could
// otherwise be the caller's cursor as far as the compiler can tell, and be stored and reloaded.
PostgresRow::BinaryRead PostgresRow::readBinaryRow(const char*& cursor, const char* end)
{
    constexpr qint16 kNoMoreRows = -1;
    constexpr qint32 kNull = -1;
    const char* at = cursor;
    if (end - at < qint64(sizeof(qint16)))
        return BinaryRead::Broken;
    const qint16 count = qFromBigEndian<qint16>(at);
    at += sizeof(qint16);
    if (count == kNoMoreRows) {
        cursor = at;
        return BinaryRead::End;
    }
    if (count != qint16(m_cells.size()))
        return BinaryRead::Broken;
    const FieldKind* kind = m_kinds.data();
    for (Cell& cell : m_cells) {
        const FieldKind fieldKind = *kind++;
        if (end - at < qint64(sizeof(qint32)))
            return BinaryRead::Broken;
        const qint32 length = qFromBigEndian<qint32>(at);
        at += sizeof(qint32);
        if (length > end - at || length < kNull)
            return BinaryRead::Broken;
        cell.whole = false;
        cell.null = length == kNull;
        if (cell.null) {
            cell.text = "";
            cell.length = 0;
            continue;
        }
        cell.text = at;
        cell.length = std::size_t(length);
        if (fieldKind == FieldKind::Int || fieldKind == FieldKind::Int8) {
            cell.whole = true;
            cell.integer = length == 2 ? qFromBigEndian<qint16>(at)
                         : length == 4 ? qFromBigEndian<qint32>(at)
                                       : qFromBigEndian<qint64>(at);
        } else if (fieldKind == FieldKind::Bool) {
            cell.text = length > 0 && at[0] != 0 ? "t" : "f";
            cell.length = 1;
        }
        at += length;
    }
    cursor = at;
    return BinaryRead::Row;
}

} // namespace tessaro::sql::postgres

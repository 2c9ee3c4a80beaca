#include "platform/sql/MariadbRow.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <charconv>

namespace tessaro::sql::mariadb {

namespace {

// TIMESTAMP's old compact form, yyyyMMddhhmmss, which Qt's driver spells out before parsing.
constexpr int kCompactTimestampLength = 14;

struct Typed {
    FieldKind kind;
    QMetaType::Type type;
};

Typed typeOf(const MYSQL_FIELD& field)
{
    const bool isUnsigned = (field.flags & UNSIGNED_FLAG) != 0;
    switch (field.type) {
    case MYSQL_TYPE_TINY: return {isUnsigned ? FieldKind::UInt : FieldKind::Int, isUnsigned ? QMetaType::UChar : QMetaType::Char};
    case MYSQL_TYPE_SHORT: return {isUnsigned ? FieldKind::UInt : FieldKind::Int, isUnsigned ? QMetaType::UShort : QMetaType::Short};
    case MYSQL_TYPE_LONG:
    case MYSQL_TYPE_INT24: return {isUnsigned ? FieldKind::UInt : FieldKind::Int, isUnsigned ? QMetaType::UInt : QMetaType::Int};
    case MYSQL_TYPE_YEAR: return {FieldKind::Int, QMetaType::Int};
    case MYSQL_TYPE_LONGLONG:
        return {isUnsigned ? FieldKind::UInt8 : FieldKind::Int8, isUnsigned ? QMetaType::ULongLong : QMetaType::LongLong};
    // Qt's driver hands a BIT field's bytes decoded as a text.
    case MYSQL_TYPE_BIT: return {FieldKind::Bits, QMetaType::QString};
    case MYSQL_TYPE_FLOAT:
    case MYSQL_TYPE_DOUBLE:
    case MYSQL_TYPE_DECIMAL:
    case MYSQL_TYPE_NEWDECIMAL: return {FieldKind::Decimal, QMetaType::Double};
    case MYSQL_TYPE_DATE:
    case MYSQL_TYPE_NEWDATE: return {FieldKind::Date, QMetaType::QDate};
    // A TIME may lie outside a day (up to 838 hours either way): Qt's driver keeps its text.
    case MYSQL_TYPE_TIME: return {FieldKind::Text, QMetaType::QString};
    case MYSQL_TYPE_DATETIME:
    case MYSQL_TYPE_TIMESTAMP: return {FieldKind::DateTime, QMetaType::QDateTime};
    case MYSQL_TYPE_STRING:
    case MYSQL_TYPE_VAR_STRING:
    case MYSQL_TYPE_VARCHAR:
    case MYSQL_TYPE_BLOB:
    case MYSQL_TYPE_TINY_BLOB:
    case MYSQL_TYPE_MEDIUM_BLOB:
    case MYSQL_TYPE_LONG_BLOB:
    case MYSQL_TYPE_GEOMETRY:
        // Qt's driver goes by the flag alone: a binary collation's texts (JSON's, say) are bytes too.
        if ((field.flags & BINARY_FLAG) != 0)
            return {FieldKind::Bytes, QMetaType::QByteArray};
        return {FieldKind::Text, QMetaType::QString};
    default: return {FieldKind::Text, QMetaType::QString};
    }
}

template <typename Number>
Number parsed(std::string_view text)
{
    Number number{};
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// The server writes a DATE as yyyy-MM-dd: read at once, as QDate::fromString would read it
// (0000-00-00, which the server allows, is no date).
constexpr std::size_t kIsoDateLength = 10;

QDate dateOf(std::string_view text)
{
    const auto digitsAt = [&](std::size_t at, std::size_t count) {
        int number = 0;
        const auto [end, error] = std::from_chars(text.data() + at, text.data() + at + count, number);
        return error == std::errc() && end == text.data() + at + count && text[at] != '-' ? number : -1;
    };
    if (text.size() == kIsoDateLength && text[4] == '-' && text[7] == '-') {
        const int year = digitsAt(0, 4), month = digitsAt(5, 2), day = digitsAt(8, 2);
        if (year > 0 && month >= 0 && day >= 0)
            return QDate(year, month, day);
    }
    const QString spelled = QString::fromUtf8(text.data(), qsizetype(text.size()));
    return spelled.isEmpty() ? QDate() : QDate::fromString(spelled, Qt::ISODate);
}

QDateTime dateTimeOf(QString text)
{
    if (text.isEmpty())
        return {};
    if (text.size() == kCompactTimestampLength)
        text.insert(4, u'-').insert(7, u'-').insert(10, u'T').insert(13, u':').insert(16, u':');
    return QDateTime::fromString(text, Qt::ISODate);
}

} // namespace

MariadbRow::MariadbRow(MYSQL_RES* result, QSql::NumericalPrecisionPolicy policy, bool utf8Texts)
    : m_policy(policy), m_utf8Texts(utf8Texts)
{
    const MYSQL_FIELD* fields = mysql_fetch_fields(result);
    for (unsigned int at = 0, count = mysql_num_fields(result); at < count; ++at) {
        const Typed typed = typeOf(fields[at]);
        m_kinds.push_back(typed.kind);
        m_types.push_back(QMetaType(typed.type));
    }
}

// Qt's driver reads a decimal or floating field's text as a double, or keeps the text at high
// precision; a text that is no number is a Null.
QVariant MariadbRow::decimal(std::string_view digits) const
{
    const QString text = QString::fromUtf8(digits.data(), qsizetype(digits.size()));
    if (m_policy == QSql::HighPrecision)
        return text;
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok)
        return {};
    switch (m_policy) {
    case QSql::LowPrecisionInt32: return QVariant(number).toInt();
    case QSql::LowPrecisionInt64: return QVariant(number).toLongLong();
    default: return number;
    }
}

QVariant MariadbRow::value(int field) const
{
    const FieldKind kind = m_kinds[std::size_t(field)];
    if (isNull(field))
        return QVariant(m_types[std::size_t(field)]);
    const std::string_view bytes = text(field);
    switch (kind) {
    case FieldKind::Int: return parsed<int>(bytes);
    case FieldKind::UInt: return parsed<uint>(bytes);
    case FieldKind::Int8: return parsed<qlonglong>(bytes);
    case FieldKind::UInt8: return parsed<qulonglong>(bytes);
    case FieldKind::Decimal: return decimal(bytes);
    case FieldKind::Bytes: return QByteArray(bytes.data(), qsizetype(bytes.size()));
    case FieldKind::Date: return dateOf(bytes);
    default: break;
    }
    const QString textValue = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    switch (kind) {
    case FieldKind::DateTime: return dateTimeOf(textValue);
    default: return textValue;
    }
}

StoredValue MariadbRow::stored(int field) const
{
    StoredValue stored;
    if (isNull(field)) {
        stored.kind = StoredValue::Kind::Null;
        return stored;
    }
    const std::string_view bytes = text(field);
    switch (m_kinds[std::size_t(field)]) {
    case FieldKind::Int:
    case FieldKind::UInt:
    case FieldKind::Int8:
        stored.kind = StoredValue::Kind::Integer;
        stored.integer = parsed<qint64>(bytes);
        break;
    case FieldKind::Decimal:
        // At high precision Qt hands the server's digits as a text, at low precision their double.
        if (m_policy == QSql::HighPrecision && m_utf8Texts) {
            stored.kind = StoredValue::Kind::Text;
            stored.text = bytes;
        } else if (m_policy == QSql::LowPrecisionDouble) {
            const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), stored.real);
            if (error == std::errc() && end == bytes.data() + bytes.size())
                stored.kind = StoredValue::Kind::Real;
        }
        break;
    case FieldKind::Text:
        if (m_utf8Texts) {
            stored.kind = StoredValue::Kind::Text;
            stored.text = bytes;
        }
        break;
    default: break;
    }
    return stored;
}

} // namespace tessaro::sql::mariadb

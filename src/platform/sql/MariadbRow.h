#pragma once

// One row of a MariaDB text-protocol result, read as Qt's MySQL driver reads it: each field's
// type decides the QVariant value() gives, from the bytes the server sent.

#include "platform/sql/Rows.h"

#include <QMetaType>
#include <QtSql/qtsqlglobal.h>

#include <string_view>
#include <vector>

#include <mysql.h>

namespace tessaro::sql::mariadb {

// What Qt's driver makes of a column, by its type and flags.
// Bits: a BIT field's bytes, which Qt decodes as UTF-8 though they rarely are.
enum class FieldKind { Int, UInt, Int8, UInt8, Bits, Decimal, Date, DateTime, Bytes, Text };

/// The current row of a streamed result, valid until the next is fetched.
class MariadbRow final : public RowValues {
public:
    MariadbRow(MYSQL_RES* result, QSql::NumericalPrecisionPolicy policy, bool utf8Texts);

    void readFrom(MYSQL_ROW row, const unsigned long* lengths)
    {
        m_row = row;
        m_lengths = lengths;
    }

    QVariant value(int field) const override;
    StoredValue stored(int field) const override;

private:
    std::string_view text(int field) const
    {
        return {m_row[field], std::size_t(m_lengths[field])};
    }
    bool isNull(int field) const { return m_row[field] == nullptr; }
    QVariant decimal(std::string_view digits) const;

    QSql::NumericalPrecisionPolicy m_policy;
    bool m_utf8Texts;
    std::vector<FieldKind> m_kinds;
    std::vector<QMetaType> m_types; // what a Null of each field is, as Qt's driver types it
    MYSQL_ROW m_row = nullptr;
    const unsigned long* m_lengths = nullptr;
};

} // namespace tessaro::sql::mariadb

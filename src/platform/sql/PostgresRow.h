#pragma once

// One row of a PostgreSQL result, read as Qt's driver reads text-format results: from a row of a
// PGresult, from a line of COPY's text form, or from a row of COPY's binary form where every field
// reads the same in it (see readableInBinary()).

#include "platform/sql/Rows.h"

#include <QtSql/qtsqlglobal.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include <libpq-fe.h>

namespace tessaro::sql::postgres {

// Type identifiers of the server's catalogue, as the driver sorts them.
enum TypeOid : Oid {
    kBoolOid = 16, kByteaOid = 17, kInt8Oid = 20, kInt2Oid = 21, kInt4Oid = 23, kRegprocOid = 24,
    kXidOid = 28, kCidOid = 29, kFloat4Oid = 700, kFloat8Oid = 701, kAbstimeOid = 702,
    kReltimeOid = 703, kDateOid = 1082, kTimeOid = 1083, kTimestampOid = 1114, kTimestampTzOid = 1184,
    kTimeTzOid = 1266, kNumericOid = 1700, kTextOid = 25, kBpcharOid = 1042, kVarcharOid = 1043,
};

// What the driver makes of a column, by its type: an oid, say, is a text.
enum class FieldKind { Bool, Int, Int8, Numeric, Float, Date, Time, DateTime, Bytes, Text };

/// One row at a time, valid until the next is read: value() as Qt's driver gives it, stored()
/// without a QVariant for whole numbers, doubles and texts (where the server vouches for UTF-8).
class PostgresRow final : public RowValues {
public:
    PostgresRow(QSql::NumericalPrecisionPolicy policy, bool utf8Texts) : m_policy(policy), m_utf8Texts(utf8Texts) {}

    // Every result of the statement has the same fields: their kinds are read from the first (or
    // from the statement's description).
    void setKinds(const PGresult* result);
    void readFrom(const PGresult* result, int row)
    {
        for (int field = 0; field < int(m_cells.size()); ++field) {
            const bool null = PQgetisnull(result, row, field);
            m_cells[std::size_t(field)] = {PQgetvalue(result, row, field), std::size_t(PQgetlength(result, row, field)), null};
        }
    }
    /// Reads one line of COPY's text form (its line end included or not); false when it does not
    /// hold the row's fields.
    bool readCopyLine(const char* line, std::size_t length);
    enum class BinaryRead { Row, End, Broken };
    /// Reads the row of COPY's binary form at `cursor` and steps past it; End at the mark after the
    /// last row. The row's texts stay in the caller's buffer.
    BinaryRead readBinaryRow(const char*& cursor, const char* end);

    QVariant value(int field) const override;
    StoredValue stored(int field) const override;

private:
    // A field's text, NUL-terminated, as the server wrote it; or, read in binary, its bytes or
    // its whole number.
    struct Cell {
        const char* text = "";
        std::size_t length = 0;
        bool null = true;
        bool whole = false;
        qint64 integer = 0;
    };

    qint64 integerOf(int field) const;

    std::string_view text(int field) const
    {
        const Cell& cell = m_cells[std::size_t(field)];
        return {cell.text, cell.length};
    }
    bool isNull(int field) const { return m_cells[std::size_t(field)].null; }
    QVariant number(FieldKind kind, std::string_view text) const;

    QSql::NumericalPrecisionPolicy m_policy;
    bool m_utf8Texts;
    std::vector<FieldKind> m_kinds;
    std::vector<Cell> m_cells;
    std::vector<char> m_unescaped; // the current COPY line's fields
};

/// Whether a column of type `type` reads the same in COPY's binary form as in text.
bool readableInBinary(Oid type);
/// Steps `at` over the header that opens COPY's binary data; false when it is not there whole.
bool skipBinaryHeader(const char*& at, const char* end);

} // namespace tessaro::sql::postgres

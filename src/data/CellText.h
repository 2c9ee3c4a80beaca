#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <string>

namespace tessaro {

class clsColonna;

namespace sql {
class RowValues;
}

/// The text a list cell shows for `value` under `column`: empty for Null; otherwise the value
/// formatted with the column's expression (or its plain text when there is none), and for a
/// numeric column (TipoCampo 1) the last 20 characters of that text after 20 blanks, so that a
/// text sort orders numbers numerically. Throws when the value cannot be formatted.
QString cellText(const QVariant& value, const clsColonna& column);

/// cellText() for every row of a fill, as UTF-8, with the column's descriptor read once. Plain
/// numbers and texts that the row has at hand are written without a QVariant or a QString.
class CellTextWriter {
public:
    explicit CellTextWriter(std::shared_ptr<const clsColonna> column);

    /// Puts the text of field `field` of `row` in `out`. Returns false for a Null (the text is
    /// then empty). Throws as cellText() does.
    bool write(const sql::RowValues& row, int field, std::string& out) const;

private:
    bool writeStored(const sql::RowValues& row, int field, std::string& out) const;

    std::shared_ptr<const clsColonna> m_column;
    bool m_plain;           ///< no format expression
    bool m_numeric;         ///< TipoCampo 1: right-aligned in 20 characters
    std::string m_decimalPoint;
};

} // namespace tessaro

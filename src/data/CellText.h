#pragma once

#include "platform/format/ShortDateWriter.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

class clsColonna;

namespace sql {
class RowValues;
struct StoredValue;
}

/// The texts a column's list cells show, as UTF-8, with the column's descriptor read once per
/// fill: empty for Null; otherwise the value formatted with the column's expression (or its plain
/// text when there is none), and for a numeric column (TipoCampo 1) the last 20 characters of that
/// text after 20 blanks, so that a text sort orders numbers numerically.
class CellTextWriter {
public:
    /// A numeric column's texts are this many characters wide.
    static constexpr std::size_t kNumericWidth = 20;

    explicit CellTextWriter(const std::shared_ptr<const clsColonna>& column);

    /// Puts the text of field `field` of `row` in `out`. Returns false for a Null (the text is
    /// then empty). Throws when the value cannot be formatted. Plain numbers and texts that the
    /// row has at hand are written without a QVariant or a QString.
    bool write(const sql::RowValues& row, int field, std::string& out) const;
    /// As write(), the text given as `text`: for a column without a format that shows texts as
    /// they are, a view of the row's own bytes (valid until the row moves on, as the row's stored
    /// values are), saving their copy; for a plain whole number, a view of the writer's own
    /// buffer (valid until its next write); otherwise a view of `out`.
    bool write(const sql::RowValues& row, int field, std::string& out, std::string_view& text) const;

private:
    bool writeStored(const sql::StoredValue& stored, std::string& out) const;
    std::string_view wholeNumberText(qint64 number) const;
    const format::ShortDateWriter& dates() const;

    QString m_format;       ///< the column's format expression; empty for plain text
    bool m_numeric;         ///< TipoCampo 1: right-aligned in 20 characters
    std::string m_decimalPoint;
    /// A plain date column's texts, without QLocale per cell; made at the first date written,
    /// since reading the locale's names costs more than a page of cells that are not dates.
    mutable std::optional<format::ShortDateWriter> m_dates;
    /// A whole number's digits are written after kNumericWidth blanks that stay in place, so a
    /// numeric column's text is the window of 20 characters that ends with them.
    mutable std::array<char, 2 * kNumericWidth + 4> m_digits;
};

} // namespace tessaro

#pragma once

// The short date text of a plain date, as CStr gives it (shortDateText()), written straight into
// UTF-8: a fill formats a date column's every cell, and Qt's own route builds two locales and
// parses the pattern for each.

#include <QDate>

#include <string>
#include <vector>

namespace tessaro::format {

class ShortDateWriter {
public:
    /// Reads the default locale's short date pattern once: a writer serves one fill.
    ShortDateWriter();

    /// Appends the text of `date` to `out`; false, with `out` unchanged, where the quick way cannot
    /// give the same text (a pattern with quotes or other letters, digits other than ASCII, a year outside
    /// 1-9999, day zero, which CStr shows as a time), and the caller goes the long way.
    bool append(std::string& out, const QDate& date) const;

private:
    enum class Part { Literal, Day, DayPadded, DayName, Month, MonthPadded, MonthName, Year };
    struct Piece {
        Part part;
        std::string literal;
        std::vector<std::string> names; ///< a name's texts, from Monday or January
    };

    bool m_usable = false;
    std::vector<Piece> m_pieces;
};

} // namespace tessaro::format

#pragma once

// How the spreadsheet reads a number typed into a cell of a non-text format: as QLocale() would
// (signs, the locale's decimal point, thousands separators in groups of three, exponents), with
// a fast path for the plain and grouped decimal forms that make up nearly every numeric cell,
// since QLocale::toDouble costs microseconds a call.

#include <QLocale>
#include <QString>

#include <optional>

namespace tessaro::spreadsheet {

class TypedNumber {
public:
    explicit TypedNumber(const QLocale& locale);

    /// The finite number `text` reads as, surrounding blanks ignored; nothing for any other text.
    std::optional<double> read(const QString& text) const;

private:
    std::optional<double> readPlain(QStringView text) const;

    QLocale m_locale;
    QChar m_decimal;
    QChar m_group; // null when the locale's separator is no single character
};

} // namespace tessaro::spreadsheet

#pragma once

// The value runtime's conversions of a value to Boolean, whole numbers and floating point.
// Text is read in the locale of QLocale(), with surrounding blanks ignored. A value that is not
// a number throws Error 13 (type mismatch); one outside the target range throws Error 6
// (overflow). A null value is a type mismatch.

#include <QString>
#include <QVariant>

#include <optional>
#include <string_view>

namespace tessaro {

/// CBool: numbers are true when not zero; texts "True"/"False" in any case, or numeric texts.
bool CBool(const QVariant& value);

/// CDbl: a number, a numeric text, or a Boolean (True is -1).
///
/// A numeric text is read with the locale's decimal point, sign and exponent; its group
/// separators are ignored wherever they stand before the decimal point ("1,234,5" is 12345 in
/// en-US), and where the locale groups with a blank, a plain, no-break or narrow no-break space
/// all count as one. "&H" (hexadecimal), "&O" or a bare "&" (octal) introduce a whole number in
/// either case: up to FFFF it is a 16-bit value and up to FFFFFFFF a 32-bit one, so one whose top
/// bit is set is negative ("&HFFFF" is -1, "&H8000" -32768, "&H10000" 65536); beyond 32 bits it
/// is an overflow.
double CDbl(const QVariant& value);

/// CLng: CDbl rounded to the nearest whole number, halves to even, within 32 bits.
qint32 CLng(const QVariant& value);

/// CSng: CDbl rounded to single precision.
float CSng(const QVariant& value);

/// The finite number a text stands for under CDbl's rules, or nothing when it is not a number or
/// does not fit a double. Never throws.
std::optional<double> numberInText(const QString& text);

/// CDbl over many UTF-8 texts in one locale, read once: a plain decimal (blanks, an optional
/// minus, ASCII digits, the locale's decimal point and digits) is read directly, to the same
/// double; any other text goes through CDbl.
class NumberTextReader {
public:
    NumberTextReader();
    /// CDbl of `text`; throws as CDbl does.
    double read(std::string_view text) const;

private:
    char m_decimalPoint = 0; ///< 0 when the locale's is not one ASCII character
};

} // namespace tessaro

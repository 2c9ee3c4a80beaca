#pragma once

// The general text of a number, as value-to-text (CStr) shows it.

#include "platform/format/DecimalNumber.h"

#include <QString>

#include <string>
#include <string_view>

namespace tessaro::format {

/// `number` rounded to `significant` digits and written plainly, with the locale's decimal
/// separator and no grouping; scientific ("1E+20", "1.5E-07") when its decimal exponent is below
/// -4 or reaches `significant`. A whole number with more digits than that (an exact integer or a
/// numeric text) keeps all of them.
QString generalNumberText(const DecimalNumber& number, int significant = 15);

/// The same text for a double with 15 significant digits, as UTF-8 appended to `out`, when it is
/// plain; returns false and leaves `out` alone when it would be scientific or is not finite. For
/// a fill that writes a million numbers: no allocation and no locale lookup per number.
bool appendPlainDoubleText(std::string& out, double value, std::string_view decimalPoint);

} // namespace tessaro::format

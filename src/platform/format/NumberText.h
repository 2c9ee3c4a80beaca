#pragma once

// The general text of a number, as the classic runtime's value-to-text shows it.

#include "platform/format/DecimalNumber.h"

#include <QString>

namespace tessaro::format {

/// `number` rounded to `significant` digits and written plainly, with the locale's decimal
/// separator and no grouping; scientific ("1E+20", "1.5E-07") when its decimal exponent is below
/// -4 or reaches `significant`. A whole number with more digits than that (an exact integer or a
/// numeric text) keeps all of them.
QString generalNumberText(const DecimalNumber& number, int significant = 15);

} // namespace tessaro::format

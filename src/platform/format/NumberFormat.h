#pragma once

// Numbers laid out by a number pattern of up to four sections.

#include "platform/format/DecimalNumber.h"

#include <QString>
#include <QStringList>

namespace tessaro::format {

/// `number` laid out by `sections` (positive; negative; zero; Null):
/// - a zero uses the third section when it is not empty; a negative number the second when it
///   is not empty, and then shows no sign of its own; everything else the first, a negative
///   number with a leading '-' (also when it rounds to zero: "-0.00"); an empty first section
///   gives the general text of the number;
/// - digits round half away from zero on the decimal digits; the decimal point and the grouping
///   are the locale's (QLocale()).
QString formatNumber(const DecimalNumber& number, const QStringList& sections);

/// A Null under a number pattern: the fourth section (its literals) when there is one, else "".
QString formatNullNumber(const QStringList& sections);

} // namespace tessaro::format

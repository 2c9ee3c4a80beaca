#pragma once

// The classic runtime's conversions of a value to Boolean, whole numbers and floating point.
// Text is read in the locale of QLocale(), with surrounding blanks ignored. A value that is not
// a number throws Error 13 (type mismatch); one outside the target range throws Error 6
// (overflow). A null value is a type mismatch.

#include <QVariant>

namespace tessaro {

/// CBool: numbers are true when not zero; texts "True"/"False" in any case, or numeric texts.
bool CBool(const QVariant& value);

/// CDbl: a number, a numeric text, or a Boolean (True is -1).
double CDbl(const QVariant& value);

/// CLng: CDbl rounded to the nearest whole number, halves to even, within 32 bits.
qint32 CLng(const QVariant& value);

/// CSng: CDbl rounded to single precision.
float CSng(const QVariant& value);

} // namespace tessaro

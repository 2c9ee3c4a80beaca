#pragma once

// What a value stands for under each kind of format pattern: a number for number patterns and
// the numeric named formats, a moment for date patterns and the date named formats.

#include "platform/format/DecimalNumber.h"
#include "platform/format/Moment.h"

#include <QString>
#include <QVariant>
#include <optional>

namespace tessaro::format {

/// True for the integer types (of any width and sign), not Booleans.
bool isWholeNumberType(const QVariant& value);

/// True for the types that hold text: strings, byte arrays (as UTF-8) and single characters.
bool isTextType(const QVariant& value);

/// The number of a value: whole numbers and numeric texts exactly, a double to 15 significant
/// digits and a float to 7, a Boolean as -1 or 0, a valid date as its date serial. Nothing for a Null,
/// a non-numeric text or a value of another kind.
std::optional<DecimalNumber> numberOf(const QVariant& value);

/// The moment of a value: valid dates and times directly (a QTime on day zero), a text that reads as a
/// date (see parseDateText), else a number or numeric text as a date serial. Nothing for a Null,
/// another text or a value of another kind. Throws Error 6 (overflow) for a serial outside the
/// dates, 1 January 100 to 31 December 9999.
std::optional<Moment> momentOf(const QVariant& value);

} // namespace tessaro::format

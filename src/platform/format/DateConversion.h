#pragma once

#include <QDateTime>
#include <QVariant>

namespace tessaro {

/// CDate: a date and time from a date value (QDate, QDateTime, QTime on day zero,
/// 30 December 1899), a date serial number (days since day zero, Booleans as -1 and 0), or a
/// text: the locale's short date in its field order, the ISO form, either with a time, a time
/// alone, or a date with a month name, in the locale's language or in English ("15 March 2024",
/// "Mar 15, 2024 10:30", "venerdì 15 marzo 2024"; a weekday name is ignored, a missing day is
/// the 1st, a missing year the current one). Times are rounded to the second. The result holds
/// the wall-clock date and time in UTC, so that no daylight-saving gap shifts them. Throws
/// Error 13 (type mismatch) for a Null, a numeric text or anything else that is not a date, and
/// Error 6 (overflow) for a serial outside the years 100 to 9999.
QDateTime CDate(const QVariant& value);

/// The general date form: the locale's short date, plus the long time when it is not midnight
/// (the time alone on day zero). An invalid value gives "".
QString GeneralDate(const QDateTime& value);

} // namespace tessaro

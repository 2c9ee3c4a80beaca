#pragma once

// The date and time forms of the user's locale (QLocale()) that the value runtime shows dates in,
// shaped as one set of system settings: a short date with a four-digit year, a long
// time without a time zone, and one date and one time separator.

#include "platform/format/Moment.h"

#include <QString>

namespace tessaro::format {

/// The locale's short date pattern (QLocale syntax) with the year always in four digits.
QString shortDatePattern();
/// The separator between the fields of the locale's short date ("/" when it has none).
QString dateSeparator();
/// The separator between hours and minutes in the locale's long time (":" when it has none).
QString timeSeparator();

QString shortDateText(const QDate& date);
QString longDateText(const QDate& date);
QString longTimeText(const QTime& time);

/// The general date form: the time alone on day zero, the short date alone at midnight, else the
/// short date, a blank and the long time.
QString generalDateText(const Moment& moment);

} // namespace tessaro::format

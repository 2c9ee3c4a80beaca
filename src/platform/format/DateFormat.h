#pragma once

// Moments laid out by a date/time pattern.

#include "platform/format/Moment.h"

#include <QString>

namespace tessaro::format {

/// `moment` laid out by `pattern` (see parseDatePattern), in the user's locale: its day and month
/// names, its date and time separators for '/' and ':', its short date (four-digit year), long
/// date and long time for "ddddd", "dddddd" and "ttttt". Weeks start on Sunday ("w" is 1 on
/// Sunday) and week 1 of a year is the one holding 1 January ("ww" runs from 1 to 54).
QString formatMoment(const Moment& moment, const QString& pattern);

} // namespace tessaro::format

#pragma once

// Reading a text as a date, for texts formatted with a date pattern.

#include "platform/format/Moment.h"

#include <QString>
#include <optional>

namespace tessaro::format {

/// The moment a text names, or nothing. Accepted, with blanks around:
/// - the ISO form the databases store: "2024-03-15", "2024-03-15 10:30", "2024-03-15T10:30:00",
///   with optional fractional seconds and a zone suffix ("Z", "+01", "+01:00") that is ignored
///   (the wall-clock time is shown as stored);
/// - the locale's short date in its field order with '/', '-', '.' or the locale's separator
///   ("15/3/2024" in Italian, "3/15/2024" in American English), a two-digit year meaning 1930
///   to 2029, optionally followed by a time;
/// - a time alone ("10:30", "10:30:15", "2:30 PM"), on day zero.
/// A time is hours:minutes[:seconds] with an optional AM/PM (or the locale's designators).
std::optional<Moment> parseDateText(const QString& text);

/// The year written as `digits`: two digits or fewer mean 1930 to 2029, more are the year itself.
int fullYear(const QString& digits);

} // namespace tessaro::format

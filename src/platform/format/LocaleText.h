#pragma once

// Texts taken from the user's locale (QLocale()) as the value runtime shows them.
//
// The locale's date and time forms are shaped as one set of system settings: a short date with a
// four-digit year, a long time without a time zone, and one date and one time separator.
//
// The locale data puts no-break (U+00A0) and narrow no-break (U+202F) spaces into group
// separators, currency amounts and some date forms. The runtime shows plain spaces there, as a
// user types them, so that its texts compare, search and export the same as typed ones.

#include "platform/format/Moment.h"

#include <QString>

namespace tessaro::format {

/// `text` with every no-break and narrow no-break space turned into a plain space.
QString withPlainSpaces(QString text);

/// The locale's group separator, with plain spaces.
QString groupSeparator();

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

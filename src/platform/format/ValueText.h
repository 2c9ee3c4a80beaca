#pragma once

// The value-to-text conversion (CStr), in the user's locale (QLocale()).

#include <QString>
#include <QVariant>

namespace tessaro {

/// The text of a value:
/// - a Null (an invalid QVariant or a typed null from the database) gives "": whether a Null
///   may be shown at all is the caller's rule, not this conversion's;
/// - whole numbers plainly ("-42"); a double with up to 15 significant digits and a float with up
///   to 7, the shortest form, the locale's decimal separator and no grouping (0.1 + 0.2 gives
///   "0.3"), scientific when the decimal exponent is below -4 or reaches the digit count ("1E+20",
///   "1.5E-07");
/// - Booleans "True" and "False";
/// - a QDate or QDateTime as the locale's short date with a four-digit year, followed by a blank
///   and the long time unless the time is midnight; on 30 December 1899 (day
///   zero of the date serials) only the time; a QTime as the long time; times rounded to the second; an invalid
///   date or time gives "";
/// - a QByteArray as UTF-8 text; a string unchanged.
/// Other types convert through QVariant's own text conversion. Throws Error 13 (type mismatch)
/// for a value that has no text form (a list, a map).
QString CStr(const QVariant& value);

} // namespace tessaro

#pragma once

// Format: a value laid out by a format expression, in the user's locale
// (QLocale()).

#include <QString>
#include <QVariant>

namespace tessaro {

/// `value` laid out by `expression`:
/// - an empty expression gives CStr(value) ("" for a Null);
/// - a named format ("Fixed", "Short Date", ...; see format::formatNamed);
/// - a number pattern ("#,##0.00;(#,##0.00);\Z\e\r\o;\N\u\l\l"): numbers, numeric texts (the
///   invariant form with '.' first, then the locale's), Booleans (-1, 0) and dates (their serial);
///   a Null uses the fourth section or gives "";
/// - a date pattern ("dd/mm/yyyy hh:nn"): dates, texts that read as dates (the ISO form the
///   databases store, the locale's short date, a time alone), and numbers as date serials (days
///   since 30 December 1899); only the first section applies; a Null gives "";
/// - a string pattern ("@@@-@@@", ">", "!&&&"): the value's CStr text; a second section serves an
///   empty text or a Null (without one a Null gives "").
/// A value the pattern cannot read (a non-numeric text under a number pattern, a text that is no
/// date under a date pattern) gives its own text. Odd patterns never fail: what is not a token is
/// a literal. Throws Error 13 (type mismatch) only for a value with no text form at all (a list,
/// a map), and Error 6 (overflow) for a number under a date pattern that lies outside the dates
/// 1 January 100 to 31 December 9999.
QString Format(const QVariant& value, const QString& expression);

} // namespace tessaro

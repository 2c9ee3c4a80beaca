#pragma once

// What all format patterns share: literal texts in double quotes or after '\', sections split
// by ';', and the kind of a pattern.

#include <QString>
#include <QStringList>

namespace tessaro::format {

enum class PatternKind { Number, Date, String };

/// When `pattern` at `pos` starts a quoted text ("...", unterminated runs to the end) or a '\'
/// escape, appends its literal text to `literal`, moves `pos` past it and returns true.
bool takeQuotedOrEscaped(const QString& pattern, int& pos, QString& literal);

/// The ';'-separated sections of a pattern (a ';' in quotes or after '\' does not separate), at
/// most four: anything after a fourth ';' is ignored.
QStringList splitSections(const QString& expression);

/// The kind of a pattern, judged on its characters outside quotes and escapes:
/// '@' or '&' make a string pattern; else a date or time token (the letters d w m q y h n s c,
/// "ttttt", AM/PM, A/P, AMPM, in any case) makes a date pattern; else '0' or '#' make a number
/// pattern; else '<', '>' or '!' make a string pattern; anything else (literals alone) is a
/// number pattern, so that its sections still apply.
PatternKind patternKind(const QString& expression);

} // namespace tessaro::format

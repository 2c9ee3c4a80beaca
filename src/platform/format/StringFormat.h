#pragma once

// Texts laid out by a string pattern.

#include <QString>
#include <QStringList>

namespace tessaro::format {

/// `text` laid out by `sections`: the second section, when there is one, serves an empty text
/// (and a Null), the first any other. In a section, '@' takes one character or shows a blank,
/// '&' one character or nothing; placeholders take the text's characters from the right, or
/// from the left after a '!' anywhere in the section; characters beyond the placeholders stand
/// before the first placeholder (after the last one with '!'); with no placeholder the text
/// follows the literals. '<' lower-cases the text, '>' upper-cases it (the last one written
/// wins). Quoted texts, '\' escapes and other characters are literal.
QString formatText(const QString& text, const QStringList& sections);

} // namespace tessaro::format

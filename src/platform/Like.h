#pragma once

#include <QString>

namespace tessaro {

/// The classic Like operator: whether `text` matches `pattern`, where ? is any one character,
/// * any run of characters, # one digit, [list] one character of the list (ranges a-z allowed)
/// and [!list] one character not in it. Characters compare by code. Runs in time polynomial in
/// the lengths of both, whatever the pattern. Throws Error 93 ("Invalid pattern string") for an
/// unclosed bracket.
bool Like(const QString& text, const QString& pattern);

} // namespace tessaro

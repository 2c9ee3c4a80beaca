#pragma once

// Lookup of the control's user-visible texts in the language files. The language directory
// and the current language are held once per thread and shared by every control of that
// thread.

#include <QString>

namespace tessaro {

/// The value of `key` in `section` of the INI file `file` ('\' in the path reads as '/').
/// Files of up to 64000 bytes go through the profile reader (case-insensitive names, enclosing
/// quotes removed, at most 511 bytes); larger ones are scanned line by line for the first line
/// that starts with `key` (case-sensitive), in any section, whose value after the key and one
/// separator loses its first and last character; a line is read only up to 64 KiB past its key.
/// Returns "" when the key is absent. Throws Error 53 when the file does not exist, Error 75
/// when it is no readable file, and Error 5 when a scanned value is shorter than its two
/// delimiters; nothing is trapped. A file's answers are kept (per thread) while its size and times
/// stay the same, and are those a fresh read would give.
QString ReadIniValue(const QString& file, const QString& section, const QString& key);

/// The text of `key` (LE01..LE61) in the current language file, or "" when anything on the way
/// is missing or fails. Never throws. While the thread's current language is empty it is read
/// first from LangSetting.ini in the language directory (again on every call until found). What
/// a file gave is kept while the file's size and times stay the same (a large file is scanned
/// once for all the keys LE01 to LE61); a changed file is read again.
QString GetLanguageString(const QString& key) noexcept;

/// The thread's language directory and current language name.
QString languageDirectory();
void setLanguageDirectory(const QString& directory);
QString currentLanguage();
void setCurrentLanguage(const QString& language);

} // namespace tessaro

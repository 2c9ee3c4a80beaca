#pragma once

// The INI profile lookup the control reads its small language files with.

#include <QString>

namespace tessaro {

/// The value of `key` in `section` of the INI file `fileName` ('\' in the path reads as '/').
///
/// - Section and key names compare case-insensitively; blanks around names and values do not
///   count. The first section of that name is the only one searched, and in it the first line
///   for the key wins. Lines without '=' are no entries.
/// - A value enclosed in a pair of double (or single) quotes loses them.
/// - The value is cut to `bufferSize` - 1 bytes of the file's text, and at its first NUL byte.
///   A UTF-8 character split by the cut is dropped whole.
/// - The file is read whole as 8-bit text (UTF-8 when valid, else Latin-1; a UTF-8 BOM is
///   skipped and a UTF-16 file with its BOM is read as such), so callers keep it to small files.
/// - The file is parsed once and kept (per thread) while its size and times on disk stay the
///   same; a changed file is read again. The answers are those of a fresh read.
///
/// Returns `defaultValue` unchanged when the file, the section or the key is missing or the file
/// cannot be read. Never throws for the file's contents.
QString profileString(const QString& section, const QString& key, const QString& defaultValue,
                      int bufferSize, const QString& fileName);

} // namespace tessaro

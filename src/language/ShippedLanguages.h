#pragma once

// Where the language files that ship with the library are found: the installed folder beside
// the library, or a copy of the compiled-in files in the user's cache. languageFolder()
// (tessaro/Languages.h) tries them in that order; each is reachable here on its own.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace tessaro {

/// The names of the two files of a language folder: LangSetting.ini and <language>.lng.
QStringList languageFileNames(const QString& language);

/// The compiled-in content of `fileName` (one of languageFileNames()) of the shipped `language`,
/// or nothing when the library holds no such file.
std::optional<QByteArray> shippedLanguageFile(const QString& language, const QString& fileName);

/// The file the code of the library was loaded from (the shared library, or the program a
/// static copy is linked into); empty when the system does not tell.
QString loadedLibraryFile();

/// The installed folder of `language` for a library loaded from `libraryFile`: the language's
/// folder under share/tessaro/languages of the install prefix, the library's own folder being
/// <prefix>/lib or <prefix>/lib/<multiarch>. Empty when no such folder holds both files of
/// the language.
QString installedLanguageFolder(const QString& libraryFile, const QString& language);

/// The compiled-in files of the shipped `language`, written under `cacheRoot` as
/// tessaro/languages/<content key>/<language>, where the key changes with the content of any
/// shipped file. A folder already there whose files match is used as it is; otherwise the files
/// are written into a private folder beside it, which is then renamed into place (swapped with a
/// damaged copy in one step where the system can), so no reader ever sees half a folder, nor,
/// on Linux, a moment without one. Empty for a language the library does not ship, an empty
/// `cacheRoot`, or a folder that cannot be written.
QString extractedLanguageFolder(const QString& cacheRoot, const QString& language);

} // namespace tessaro

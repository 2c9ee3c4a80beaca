#include "language/ShippedLanguages.h"

#include "platform/Failure.h"

#include <tessaro/Languages.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <dlfcn.h>

// The compiled-in files are the library's own resources. A static copy of the library links
// them only when something refers to them, which this does.
static void registerLanguageResources()
{
    Q_INIT_RESOURCE(languages);
}

// Where the install puts the language folders, seen from the library's folder; the build gives
// the path its install layout implies.
#ifndef TESSARO_LANGUAGES_FROM_LIBDIR
#define TESSARO_LANGUAGES_FROM_LIBDIR "../share/tessaro/languages"
#endif

namespace tessaro {
namespace {

const QString kResourceRoot = QStringLiteral(":/tessaro/languages/");
const QString kSettingsFile = QStringLiteral("LangSetting.ini");
const QString kStringsExtension = QStringLiteral(".lng");

// The layout this build installs, then the usual ones: a library in lib/ or in lib/<multiarch>/,
// as a packager may have moved it.
const char* const kInstalledFromLibrary[] = {TESSARO_LANGUAGES_FROM_LIBDIR, "../share/tessaro/languages",
                                             "../../share/tessaro/languages"};

bool holdsLanguageFiles(const QString& folder, const QString& language)
{
    const QDir dir(folder);
    for (const QString& name : languageFileNames(language)) {
        if (!QFileInfo(dir.filePath(name)).isFile())
            return false;
    }
    return true;
}

// The folder as the loader names it (a link in lib/ names the install it belongs to), then the
// folder of the file it resolves to.
QStringList libraryFolders(const QString& libraryFile)
{
    const QFileInfo file(libraryFile);
    QStringList folders{file.absolutePath()};
    const QString resolved = file.canonicalPath();
    if (!resolved.isEmpty() && !folders.contains(resolved))
        folders.append(resolved);
    return folders;
}

} // namespace

QStringList shippedLanguages()
{
    return {QStringLiteral("Italian"), QStringLiteral("English"), QStringLiteral("German"), QStringLiteral("French"),
            QStringLiteral("Spanish")};
}

QStringList languageFileNames(const QString& language)
{
    return {kSettingsFile, language + kStringsExtension};
}

std::optional<QByteArray> shippedLanguageFile(const QString& language, const QString& fileName)
{
    static const bool registered = (registerLanguageResources(), true);
    Q_UNUSED(registered);
    if (!shippedLanguages().contains(language) || !languageFileNames(language).contains(fileName))
        return std::nullopt;
    QFile file(kResourceRoot + language + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString loadedLibraryFile()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&loadedLibraryFile), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return QFile::decodeName(info.dli_fname);
}

QString installedLanguageFolder(const QString& libraryFile, const QString& language)
{
    if (libraryFile.isEmpty() || language.isEmpty())
        return {};
    for (const QString& libraryFolder : libraryFolders(libraryFile)) {
        for (const char* relative : kInstalledFromLibrary) {
            const QString folder = QDir::cleanPath(libraryFolder + QLatin1Char('/') + QString::fromUtf8(relative)
                                                   + QLatin1Char('/') + language);
            if (holdsLanguageFiles(folder, language))
                return folder;
        }
    }
    return {};
}

QString languageFolder(const QString& language)
{
    QString folder;
    if (!shippedLanguages().contains(language))
        return folder;
    skipFailure("languageFolder", [&] {
        folder = installedLanguageFolder(loadedLibraryFile(), language);
        if (folder.isEmpty())
            folder = extractedLanguageFolder(
                QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation), language);
    });
    return folder;
}

} // namespace tessaro

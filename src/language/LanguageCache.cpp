// The compiled-in language files, written out for hosts whose install has no folder of them.

#include "language/ShippedLanguages.h"

#include <tessaro/Languages.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>

#if defined(__linux__) && defined(RENAME_EXCHANGE)
#include <fcntl.h>
#define TESSARO_HAS_RENAME_EXCHANGE 1
#endif

namespace tessaro {
namespace {

// Hex digits of the content hash that names the folder of one set of files: plenty to keep
// the sets of different library versions apart.
constexpr int kContentKeyLength = 16;
// How often a folder is tried into place when others keep getting in the way; each failed try
// clears what stood there, so a second one normally succeeds.
constexpr int kPlacingAttempts = 3;

// Names the extracted folder after what the files hold, so a library with other texts never
// takes a folder another version wrote, and one with the same texts reuses it.
QString contentKey()
{
    static const QString key = [] {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString& language : shippedLanguages()) {
            for (const QString& name : languageFileNames(language)) {
                const QByteArray content = shippedLanguageFile(language, name).value_or(QByteArray());
                const QByteArray path = (language + QLatin1Char('/') + name).toUtf8();
                // Lengths first, so no two different sets of names and contents hash alike.
                hash.addData(QByteArray::number(path.size()) + ':' + path);
                hash.addData(QByteArray::number(content.size()) + ':' + content);
            }
        }
        return QString::fromLatin1(hash.result().toHex().left(kContentKeyLength));
    }();
    return key;
}

bool holdsShippedFiles(const QString& folder, const QString& language)
{
    for (const QString& name : languageFileNames(language)) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != shippedLanguageFile(language, name))
            return false;
    }
    return true;
}

bool writeShippedFiles(const QString& folder, const QString& language)
{
    for (const QString& name : languageFileNames(language)) {
        const std::optional<QByteArray> content = shippedLanguageFile(language, name);
        QFile file(QDir(folder).filePath(name));
        if (!content || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(*content) != content->size()
            || !file.flush())
            return false;
    }
    return true;
}

// rename(2) replaces nothing but an empty folder, so a complete folder that another process
// placed first is never overwritten, and readers see the whole folder or none.
bool renameEntry(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Moves a damaged entry out of the way into a temporary folder, which removes it on leaving.
void discard(const QString& entry, const QString& beside)
{
    QTemporaryDir bin(beside + QStringLiteral("/.discarded-XXXXXX"));
    if (bin.isValid())
        renameEntry(entry, bin.filePath(QStringLiteral("entry")));
}

enum class Swap { Done, NotThere, Unsupported };

// Swaps a good copy with whatever stands at `entry` in one step, so the path never points at
// nothing: a reader, or another process that has just put its own good copy there, always finds a
// whole folder. Unsupported where the system or file system cannot swap two entries.
Swap swapEntries(const QString& from, const QString& entry)
{
#ifdef TESSARO_HAS_RENAME_EXCHANGE
    if (renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(entry).constData(),
                  RENAME_EXCHANGE)
        == 0)
        return Swap::Done;
    return errno == ENOENT ? Swap::NotThere : Swap::Unsupported;
#else
    Q_UNUSED(from);
    Q_UNUSED(entry);
    return Swap::Unsupported;
#endif
}

// Puts the good copy in `staging` in place of the damaged `folder`. Without a swap the damaged
// folder is moved away first, leaving a moment in which the path names nothing.
bool replaceDamaged(QTemporaryDir& staging, const QString& folder, const QString& keyFolder)
{
    switch (swapEntries(staging.path(), folder)) {
    case Swap::Done:
        // The staging path now holds what stood there before, damaged or a copy as good as ours.
        staging.setAutoRemove(false);
        discard(staging.path(), keyFolder);
        return true;
    case Swap::NotThere:
        return false;
    case Swap::Unsupported:
        break;
    }
    discard(folder, keyFolder);
    return false;
}

} // namespace

QString extractedLanguageFolder(const QString& cacheRoot, const QString& language)
{
    if (cacheRoot.isEmpty() || !shippedLanguages().contains(language))
        return {};
    const QString keyFolder = QDir::cleanPath(QDir(cacheRoot).absoluteFilePath(QStringLiteral("tessaro/languages/"))
                                              + QLatin1Char('/') + contentKey());
    const QString folder = keyFolder + QLatin1Char('/') + language;
    if (holdsShippedFiles(folder, language))
        return folder;
    if (!QDir().mkpath(keyFolder))
        return {};
    QTemporaryDir staging(keyFolder + QStringLiteral("/.") + language + QStringLiteral("-XXXXXX"));
    if (!staging.isValid() || !writeShippedFiles(staging.path(), language))
        return {};
    for (int attempt = 0; attempt < kPlacingAttempts; ++attempt) {
        if (renameEntry(staging.path(), folder)) {
            staging.setAutoRemove(false);
            return folder;
        }
        // Another process or thread placed its copy first, which is as good as ours.
        if (holdsShippedFiles(folder, language))
            return folder;
        if (replaceDamaged(staging, folder, keyFolder))
            return folder;
    }
    return {};
}

} // namespace tessaro

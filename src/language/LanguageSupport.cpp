#include "language/LanguageSupport.h"

#include "platform/FileAccess.h"
#include "platform/Failure.h"
#include "platform/IniProfile.h"

#include <optional>

namespace tessaro {

namespace {

// Larger files are never handed to the profile function but scanned line by line.
constexpr qint64 kProfileFileLimit = 64000;
// The buffer size given to the profile function, terminating NUL included.
constexpr int kProfileBufferSize = 512;
// How much of a scanned line is kept beyond its key; values are meant to be far shorter, and a
// longer line is cut here instead of being held whole.
constexpr qsizetype kScannedValueCap = 64 * 1024;

struct LanguageState {
    QString directory;
    QString language;
};

LanguageState& languageState()
{
    thread_local LanguageState state;
    return state;
}

// `bytes` decoded when the line starts with `key`. The scan never holds the whole file, so each
// line decides its own encoding (UTF-8 when valid, else Latin-1). An ASCII key has the same
// bytes in both, so most lines are rejected without decoding them.
std::optional<QString> lineStartingWith(const QByteArray& bytes, const QString& key,
                                        const QByteArray& asciiKey, bool cut)
{
    if (!asciiKey.isNull() && !bytes.startsWith(asciiKey))
        return std::nullopt;
    QString line = decodeEightBit(bytes, isValidUtf8(bytes, cut));
    if (!line.startsWith(key))
        return std::nullopt;
    return line;
}

// The rest of a matching line loses its first and last character, quotes or not. When the line
// was cut, its last character lies beyond what was kept, so only the first one goes.
QString betweenDelimiters(const QString& rest, bool cut)
{
    if (cut)
        return rest.mid(1);
    if (rest.size() < 2)
        raiseError(Error::InvalidProcedureCall);
    return rest.mid(1, rest.size() - 2);
}

// The first line of the file, in any section, that starts with `key` exactly.
QString scanForKey(const QString& file, const QString& key)
{
    const QByteArray keyBytes = key.toUtf8();
    const QByteArray asciiKey = keyBytes.size() == key.size() ? keyBytes : QByteArray();
    const qsizetype keep = keyBytes.size() + 1 + kScannedValueCap;
    LineReader reader(file);
    QByteArray bytes;
    bool cut = false;
    while (reader.readLine(bytes, keep, &cut)) {
        if (const std::optional<QString> line = lineStartingWith(bytes, key, asciiKey, cut))
            return betweenDelimiters(line->mid(key.size() + 1), cut);
    }
    return QString();
}

QString languageFilePath(const QString& directory, const QString& language)
{
    const QString separator = directory.endsWith(QLatin1Char('\\')) ? QString() : QStringLiteral("\\");
    return directory + separator + language + QStringLiteral(".lng");
}

} // namespace

QString ReadIniValue(const QString& file, const QString& section, const QString& key)
{
    if (fileLength(file) <= kProfileFileLimit)
        return profileString(section, key, QString(), kProfileBufferSize, file);
    return scanForKey(file, key);
}

QString GetLanguageString(const QString& key) noexcept
{
    QString text;
    LanguageState& state = languageState();
    if (state.language.isEmpty()) {
        // The backslash goes in even after a trailing one; the doubled separator is harmless.
        skipFailure([&] {
            state.language = ReadIniValue(state.directory + QStringLiteral("\\LangSetting.ini"),
                                          QStringLiteral("Language"), QStringLiteral("CurrentLanguage"));
        });
    }
    skipFailure([&] {
        text = ReadIniValue(languageFilePath(state.directory, state.language), QStringLiteral("Strings"), key);
    });
    return text;
}

QString languageDirectory()
{
    return languageState().directory;
}

void setLanguageDirectory(const QString& directory)
{
    languageState().directory = directory;
}

QString currentLanguage()
{
    return languageState().language;
}

void setCurrentLanguage(const QString& language)
{
    languageState().language = language;
}

} // namespace tessaro

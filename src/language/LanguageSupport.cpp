#include "language/LanguageSupport.h"

#include "language/LanguageKeys.h"
#include "platform/files/FileAccess.h"
#include "platform/Failure.h"
#include "platform/files/IniProfile.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tessaro {

namespace {

// Larger files are never handed to the profile function but scanned line by line.
constexpr qint64 kProfileFileLimit = 64000;
// The buffer size given to the profile function, terminating NUL included.
constexpr int kProfileBufferSize = 512;
// How much of a scanned line is kept beyond its key; values are meant to be far shorter, and a
// longer line is cut here instead of being held whole.
constexpr qsizetype kScannedValueCap = 64 * 1024;
// Large files whose scan results are kept at once; a host switches between a few languages.
constexpr std::size_t kScannedFilesKept = 4;

struct LanguageState {
    QString directory;
    QString language;
};

LanguageState& languageState()
{
    thread_local LanguageState state;
    return state;
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

// What a scan found for one key: the value, or the error its line raises.
struct ScanOutcome {
    QString value;
    int error = 0;
};

// One key the scan looks for, and what the scan keeps of a line for it.
struct ScanKey {
    QString key;
    QByteArray asciiKey;
    qsizetype keep = 0;
};

ScanKey scanKey(const QString& key)
{
    const QByteArray keyBytes = key.toUtf8();
    return {key, keyBytes.size() == key.size() ? keyBytes : QByteArray(), keyBytes.size() + 1 + kScannedValueCap};
}

// The outcome for `key` of a line, kept to the scan's longest `keep` (`cut` when more followed),
// or nothing when the line does not start with the key.
std::optional<ScanOutcome> outcomeOfLine(const QByteArray& bytes, bool cut, const ScanKey& key)
{
    const bool ownCut = cut || bytes.size() > key.keep;
    const QByteArray own = bytes.size() > key.keep ? bytes.first(key.keep) : bytes;
    // The scan never holds the whole file, so each line decides its own encoding (UTF-8 when
    // valid, else Latin-1). An ASCII key has the same bytes in both, so most lines are rejected
    // without decoding them.
    if (!key.asciiKey.isNull() && !own.startsWith(key.asciiKey))
        return std::nullopt;
    const QString line = decodeEightBit(own, isValidUtf8(own, ownCut));
    if (!line.startsWith(key.key))
        return std::nullopt;
    try {
        return ScanOutcome{betweenDelimiters(line.mid(key.key.size() + 1), ownCut)};
    } catch (const Error& error) {
        return ScanOutcome{QString(), error.number()};
    }
}

// The first line of the file, in any section, that starts with each of `keys` exactly, found in
// one pass; keys that no line starts with get an empty value.
std::vector<ScanOutcome> scanForKeys(const QString& file, const std::vector<ScanKey>& keys)
{
    std::vector<std::optional<ScanOutcome>> found(keys.size());
    qsizetype keep = 0;
    for (const ScanKey& key : keys)
        keep = std::max(keep, key.keep);
    std::size_t open = keys.size();
    LineReader reader(file);
    QByteArray bytes;
    bool cut = false;
    while (open > 0 && reader.readLine(bytes, keep, &cut)) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (!found[k] && (found[k] = outcomeOfLine(bytes, cut, keys[k])))
                --open;
        }
    }
    std::vector<ScanOutcome> outcomes;
    for (const std::optional<ScanOutcome>& outcome : found)
        outcomes.push_back(outcome.value_or(ScanOutcome{}));
    return outcomes;
}

// The keys of the language files: a scan for any key looks for all of them at once, since a
// scanned file is large and the control asks for one key after another.
std::vector<QString> languageKeys()
{
    std::vector<QString> keys;
    for (int key = static_cast<int>(LanguageKey::ErrorTitle); key <= static_cast<int>(LanguageKey::LastKey); ++key)
        keys.push_back(languageKeyName(static_cast<LanguageKey>(key)));
    return keys;
}

// What the scans of a large file found, by key, kept while the file's version stays the same.
struct ScannedFile {
    std::optional<FileVersion> version;
    std::unordered_map<QString, ScanOutcome> outcomes;
};

// The first line of the file, in any section, that starts with `key` exactly.
ScanOutcome scannedOutcome(const QString& file, const QString& key)
{
    thread_local std::unordered_map<QString, ScannedFile> scanned;
    const QString path = localFilePath(file);
    if (scanned.size() >= kScannedFilesKept && scanned.count(path) == 0)
        scanned.clear();
    ScannedFile& known = scanned[path];
    if (!known.version || !known.version->stillDescribes(path))
        known = ScannedFile{FileVersion::of(path), {}};
    if (const auto found = known.outcomes.find(key); found != known.outcomes.end())
        return found->second;
    std::vector<ScanKey> keys{scanKey(key)};
    for (const QString& other : languageKeys()) {
        if (other != key && known.outcomes.count(other) == 0)
            keys.push_back(scanKey(other));
    }
    const std::vector<ScanOutcome> outcomes = scanForKeys(file, keys);
    for (std::size_t k = 0; k < keys.size(); ++k)
        known.outcomes.insert_or_assign(keys[k].key, outcomes[k]);
    return outcomes.front();
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
    const ScanOutcome outcome = scannedOutcome(file, key);
    if (outcome.error != 0)
        raiseError(outcome.error);
    return outcome.value;
}

namespace {

// A host without language files asks for every text in the Italian default: its missing file is
// skipped as the failure it is, with its trace, without raising an error for each text.
void readLanguageValue(QString& value, const QString& file, const QString& section, const QString& key) noexcept
{
    constexpr const char* routine = "GetLanguageString";
    skipFailure(routine, [&] {
        if (!QFileInfo::exists(localFilePath(file))) {
            traceSkipped(routine, Error::fromNumber(Error::FileNotFound));
            return;
        }
        value = ReadIniValue(file, section, key);
    });
}

} // namespace

QString GetLanguageString(const QString& key) noexcept
{
    QString text;
    LanguageState& state = languageState();
    // The backslash goes in even after a trailing one; the doubled separator is harmless.
    if (state.language.isEmpty())
        readLanguageValue(state.language, state.directory + QStringLiteral("\\LangSetting.ini"),
                          QStringLiteral("Language"), QStringLiteral("CurrentLanguage"));
    readLanguageValue(text, languageFilePath(state.directory, state.language), QStringLiteral("Strings"), key);
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

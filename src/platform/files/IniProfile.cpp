#include "platform/files/IniProfile.h"

#include "platform/files/FileAccess.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tessaro {

namespace {

// The file's bytes as 8-bit text. A UTF-16 file is turned into UTF-8, so the byte cut of the
// value applies to it as to any other file.
std::optional<QByteArray> profileText(const QString& fileName)
{
    QFile file(localFilePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return bytes.mid(3);
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (littleEndian || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QString(decoder(QByteArrayView(bytes).sliced(2))).toUtf8();
    }
    return bytes;
}

// A header without its closing bracket still opens a section, named by the rest of its line.
QByteArrayView sectionName(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    return header.sliced(1, (close < 0 ? header.size() : close) - 1);
}

// The file as the lookups see it: its sections in file order, each with its "name=value" lines
// in order. Lines before the first header belong to no section and are never found.
struct Profile {
    struct Entry {
        QString name;
        QByteArray value; // raw bytes, blanks around it removed
    };
    struct Section {
        QString name;
        std::vector<Entry> entries;
    };
    std::vector<Section> sections;
    bool utf8 = false;
};

Profile parseProfile(const QByteArray& text)
{
    Profile profile;
    profile.utf8 = isValidUtf8(text);
    const auto isLineEnd = [](char c) { return c == '\n' || c == '\r'; };
    const QByteArrayView all(text);
    for (auto at = all.begin(); at != all.end();) {
        const auto lineEnd = std::find_if(at, all.end(), isLineEnd);
        const QByteArrayView line = QByteArrayView(at, lineEnd).trimmed();
        at = lineEnd == all.end() ? lineEnd : lineEnd + 1;
        if (line.startsWith('[')) {
            profile.sections.push_back({decodeEightBit(sectionName(line).trimmed(), profile.utf8), {}});
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (profile.sections.empty() || equals < 0)
            continue;
        profile.sections.back().entries.push_back(
            {decodeEightBit(line.first(equals).trimmed(), profile.utf8), line.sliced(equals + 1).trimmed().toByteArray()});
    }
    return profile;
}

// The raw value of the first `key` line in the first `section`, or nothing: a later section of
// the same name is never searched.
const QByteArray* findValue(const Profile& profile, const QString& section, const QString& key)
{
    const auto named = [](const QString& wanted) {
        return [&wanted](const auto& item) { return item.name.compare(wanted, Qt::CaseInsensitive) == 0; };
    };
    const auto found = std::find_if(profile.sections.begin(), profile.sections.end(), named(section));
    if (found == profile.sections.end())
        return nullptr;
    const auto entry = std::find_if(found->entries.begin(), found->entries.end(), named(key));
    return entry == found->entries.end() ? nullptr : &entry->value;
}

// Parsed files of this thread by path, each kept while its version on disk stays the same. The
// files are small (the language module hands larger ones to its own scan), and only a handful
// are ever read.
struct CachedProfile {
    FileVersion version;
    std::shared_ptr<const Profile> profile;
};

constexpr std::size_t kCachedProfiles = 16;

std::shared_ptr<const Profile> cachedProfile(const QString& fileName)
{
    thread_local std::unordered_map<QString, CachedProfile> cache;
    const QString path = localFilePath(fileName);
    const auto found = cache.find(path);
    if (found != cache.end() && found->second.version.stillDescribes(path))
        return found->second.profile;
    const std::optional<FileVersion> version = FileVersion::of(path);
    const std::optional<QByteArray> text = version ? profileText(path) : std::nullopt;
    if (!text) {
        cache.erase(path);
        return nullptr;
    }
    if (cache.size() >= kCachedProfiles && found == cache.end())
        cache.clear();
    auto profile = std::make_shared<const Profile>(parseProfile(*text));
    cache.insert_or_assign(path, CachedProfile{*version, profile});
    return profile;
}

QByteArrayView withoutQuotes(QByteArrayView value)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front();
    return quoted ? value.sliced(1, value.size() - 2) : value;
}

// What the caller's buffer holds: at most bufferSize - 1 bytes, read up to the first NUL.
QByteArrayView bufferText(QByteArrayView value, int bufferSize)
{
    value = value.first(std::min<qsizetype>(value.size(), std::max(0, bufferSize - 1)));
    const qsizetype nul = value.indexOf('\0');
    return nul < 0 ? value : value.first(nul);
}

} // namespace

QString profileString(const QString& section, const QString& key, const QString& defaultValue,
                      int bufferSize, const QString& fileName)
{
    const std::shared_ptr<const Profile> profile = cachedProfile(fileName);
    if (!profile)
        return defaultValue;
    const QByteArray* value = findValue(*profile, section.trimmed(), key.trimmed());
    if (!value)
        return defaultValue;
    return decodeEightBit(bufferText(withoutQuotes(*value), bufferSize), profile->utf8);
}

} // namespace tessaro

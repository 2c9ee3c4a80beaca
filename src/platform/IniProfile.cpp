#include "platform/IniProfile.h"

#include "platform/FileAccess.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace tessaro {

namespace {

// The file's bytes as 8-bit text. A UTF-16 file is turned into UTF-8 so that the byte cut of
// the value still applies to an 8-bit text, as the OS converts such files for its ANSI callers.
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

bool namesMatch(QByteArrayView fileName, const QString& wanted, bool utf8)
{
    return decodeEightBit(fileName.trimmed(), utf8).compare(wanted, Qt::CaseInsensitive) == 0;
}

// A header without its closing bracket still opens a section, named by the rest of its line.
QByteArrayView sectionName(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    return header.sliced(1, (close < 0 ? header.size() : close) - 1);
}

// The raw value of the first `key` line in the first `section`, or nothing.
std::optional<QByteArrayView> findValue(QByteArrayView text, const QString& section,
                                        const QString& key, bool utf8)
{
    const auto isLineEnd = [](char c) { return c == '\n' || c == '\r'; };
    bool inSection = false;
    for (auto at = text.begin(); at != text.end();) {
        const auto lineEnd = std::find_if(at, text.end(), isLineEnd);
        const QByteArrayView line = QByteArrayView(at, lineEnd).trimmed();
        at = lineEnd == text.end() ? lineEnd : lineEnd + 1;
        if (line.startsWith('[')) {
            if (inSection)
                return std::nullopt; // a later section of the same name is never searched
            inSection = namesMatch(sectionName(line), section, utf8);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (inSection && equals >= 0 && namesMatch(line.first(equals), key, utf8))
            return line.sliced(equals + 1).trimmed();
    }
    return std::nullopt;
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
    const std::optional<QByteArray> text = profileText(fileName);
    if (!text)
        return defaultValue;
    const bool utf8 = isValidUtf8(*text);
    const std::optional<QByteArrayView> value = findValue(*text, section.trimmed(), key.trimmed(), utf8);
    if (!value)
        return defaultValue;
    return decodeEightBit(bufferText(withoutQuotes(*value), bufferSize), utf8);
}

} // namespace tessaro

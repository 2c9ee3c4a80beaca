#include "platform/files/FileAccess.h"

#include "platform/Failure.h"

#include <QFileInfo>
#include <QUtf8StringView>

#include <algorithm>

namespace tessaro {

namespace {

constexpr qsizetype kChunkSize = 64 * 1024;
// The coarsest modification-time step of the file systems in use (FAT keeps two seconds); a file
// modified within it of the moment it was read may change again without its time moving.
constexpr qint64 kCoarsestTimeStepMs = 2000;

// The length of `bytes` without an incomplete UTF-8 sequence at its end. Only the last three
// bytes can belong to such a sequence; anything else is left for the validity check to judge.
qsizetype completeUtf8Length(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype i = size - 1; i >= 0 && i >= size - 3; --i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if ((byte & 0xC0) == 0x80)
            continue; // continuation byte: look further back for its lead
        const qsizetype needed = (byte & 0xE0) == 0xC0 ? 2 : (byte & 0xF0) == 0xE0 ? 3
                                 : (byte & 0xF8) == 0xF0 ? 4 : 1;
        return size - i < needed ? i : size;
    }
    return size;
}

} // namespace

QString localFilePath(const QString& path)
{
    return QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

qint64 fileLength(const QString& path)
{
    const QFileInfo info(localFilePath(path));
    if (!info.exists())
        raiseError(Error::FileNotFound);
    if (!info.isFile() || !info.isReadable())
        raiseError(Error::PathFileAccess);
    return info.size();
}

bool isValidUtf8(QByteArrayView bytes, bool mayEndMidCharacter)
{
    if (mayEndMidCharacter)
        bytes = bytes.first(completeUtf8Length(bytes));
    return QUtf8StringView(bytes.data(), bytes.size()).isValidUtf8();
}

QString decodeEightBit(QByteArrayView bytes, bool utf8)
{
    if (utf8)
        return QString::fromUtf8(bytes.first(completeUtf8Length(bytes)));
    return QString::fromLatin1(bytes);
}

std::optional<FileVersion> FileVersion::of(const QString& path)
{
    const QFileInfo info(localFilePath(path));
    if (!info.isFile())
        return std::nullopt;
    FileVersion version;
    version.m_size = info.size();
    version.m_modified = info.lastModified();
    version.m_changed = info.metadataChangeTime();
    version.m_taken = QDateTime::currentDateTimeUtc();
    return version;
}

bool FileVersion::stillDescribes(const QString& path) const
{
    const std::optional<FileVersion> now = of(path);
    return now && m_size == now->m_size && m_modified == now->m_modified && m_changed == now->m_changed
        && m_modified.msecsTo(m_taken) >= kCoarsestTimeStepMs;
}

LineReader::LineReader(const QString& path)
    : m_file(localFilePath(path))
{
    if (!m_file.exists())
        raiseError(Error::FileNotFound);
    if (!m_file.open(QIODevice::ReadOnly))
        raiseError(Error::PathFileAccess);
}

bool LineReader::refill()
{
    m_chunk.resize(kChunkSize);
    const qint64 got = m_file.read(m_chunk.data(), kChunkSize);
    if (got < 0)
        raiseError(Error::PathFileAccess);
    m_chunk.resize(got);
    m_position = 0;
    return got > 0;
}

bool LineReader::readLine(QByteArray& line, qsizetype keep, bool* cut)
{
    line.clear();
    bool started = false;
    bool skipped = false;
    for (;;) {
        if (m_position == m_chunk.size() && !refill())
            break;
        // The LF of a CR LF pair may arrive in the next chunk, so the pending skip outlives calls.
        if (m_skipLineFeed) {
            m_skipLineFeed = false;
            if (m_chunk[m_position] == '\n') {
                ++m_position;
                continue;
            }
        }
        started = true;
        const char* begin = m_chunk.constData() + m_position;
        const char* end = m_chunk.constData() + m_chunk.size();
        const char* lineEnd = std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
        const qsizetype length = lineEnd - begin;
        const qsizetype room = std::max<qsizetype>(0, keep - line.size());
        line.append(begin, std::min(length, room));
        skipped = skipped || length > room;
        m_position += length;
        if (lineEnd != end) {
            m_skipLineFeed = *lineEnd == '\r';
            ++m_position;
            break;
        }
    }
    if (cut)
        *cut = skipped;
    return started;
}

} // namespace tessaro

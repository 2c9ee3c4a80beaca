#pragma once

// Plain file access for the control's text files. Paths arrive as the control builds them, with
// '\' separators; every routine here maps them to '/' first (a doubled separator is harmless).
//
// The files are 8-bit text. They are decoded as UTF-8 when their bytes are valid UTF-8, and
// otherwise as Latin-1, which accepts every byte; so no file, however garbled, fails to decode.

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <optional>

namespace tessaro {

/// `path` with every '\' turned into '/'.
QString localFilePath(const QString& path);

/// The length of the file in bytes. Throws Error 53 "File not found" when it does not exist and
/// Error 75 "Path/File access error" when it is not a regular file that can be read.
qint64 fileLength(const QString& path);

/// Whether `bytes` are valid UTF-8. With `mayEndMidCharacter`, an incomplete sequence at the very
/// end (left by cutting the text at a byte count) does not count against it.
bool isValidUtf8(QByteArrayView bytes, bool mayEndMidCharacter = false);

/// `bytes` as text: UTF-8 when `utf8`, else Latin-1. In UTF-8, an incomplete sequence at the end
/// is dropped rather than decoded to a replacement character.
QString decodeEightBit(QByteArrayView bytes, bool utf8);

/// One version of a file's contents, as far as its directory entry tells: what a cache of the
/// file's contents is keyed on, so that a changed file is read again.
class FileVersion {
public:
    /// The version of `path` now (its size, modification and status-change times, taken before
    /// the caller reads it), or nothing when it is no regular file.
    static std::optional<FileVersion> of(const QString& path);

    /// Whether what was read for this version still stands for the file at `path`: its size and
    /// times are unchanged, and its modification lay far enough before the read that a write
    /// after the read could not have left the time as it was (file systems keep times coarsely).
    bool stillDescribes(const QString& path) const;

private:
    qint64 m_size = 0;
    QDateTime m_modified;
    QDateTime m_changed;
    QDateTime m_taken;
};

/// Reads a text file line by line without ever holding more than one chunk and the kept part of
/// one line, so a file of any size (even one long line) costs bounded memory. A line ends at
/// LF, CR LF or a lone CR; the last line needs no line end.
class LineReader {
public:
    /// Opens `path`. Throws Error 53 when the file does not exist and Error 75 when it cannot be
    /// opened for reading.
    explicit LineReader(const QString& path);

    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    /// Reads the next line into `line`, without its line end, keeping at most its first `keep`
    /// bytes and skipping the rest. `cut` (when given) tells whether bytes were skipped.
    /// Returns false at end of file, leaving `line` empty.
    bool readLine(QByteArray& line, qsizetype keep, bool* cut = nullptr);

private:
    bool refill();

    QFile m_file;
    QByteArray m_chunk;
    qsizetype m_position = 0;
    bool m_skipLineFeed = false;
};

} // namespace tessaro

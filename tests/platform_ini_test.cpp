// The INI profile reader and the file layer beneath it.
#include "platform/FileAccess.h"
#include "platform/IniProfile.h"
#include "support/TestHelpers.h"

#include <tessaro/Error.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <vector>

using namespace tessaro;

namespace {

using tessaro::test::errorNumberOf;

// The path as the control writes it, with '\' separators.
QString backslashed(const QString& path)
{
    return QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return backslashed(path);
}

std::vector<QByteArray> allLines(const QString& path, qsizetype keep = 1 << 20)
{
    LineReader reader(path);
    std::vector<QByteArray> lines;
    QByteArray line;
    while (reader.readLine(line, keep))
        lines.push_back(line);
    return lines;
}

} // namespace

TEST(ProfileString, ReadsTheValueAsTheClassicProfileFunctionDoes)
{
    struct Case {
        const char* what;
        QByteArray file;
        QString section;
        QString key;
        QString expected;
    };
    const QString absent = QStringLiteral("<default>");
    const std::vector<Case> cases = {
        {"double quotes removed", "[S]\nk=\"two words\"\n", "S", "k", "two words"},
        {"single quotes removed", "[S]\nk='two words'\n", "S", "k", "two words"},
        {"blanks inside quotes kept", "[S]\nk=\"  v  \"\n", "S", "k", "  v  "},
        {"unpaired quote kept", "[S]\nk=\"open\n", "S", "k", "\"open"},
        {"mixed quotes kept", "[S]\nk=\"v'\n", "S", "k", "\"v'"},
        {"names and value trimmed", "  [ S ]  \n\t k \t=  v w \t\n", "S", "k", "v w"},
        {"names case-insensitive", "[StRiNgS]\nle01=a\n", "Strings", "LE01", "a"},
        {"requested names trimmed", "[S]\nk=v\n", " S ", " k ", "v"},
        {"value keeps later '='", "[S]\nk=a=b\n", "S", "k", "a=b"},
        {"empty value is no default", "[S]\nk=\n", "S", "k", ""},
        {"absent section", "[T]\nk=v\n", "S", "k", absent},
        {"absent key", "[S]\nother=v\n", "S", "k", absent},
        {"key before any section", "k=v\n[S]\n", "S", "k", absent},
        {"key of another section", "[S]\n[T]\nk=v\n", "S", "k", absent},
        {"first key wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        {"first section wins", "[S]\nk=1\n[T]\n[s]\nk=2\n", "S", "k", "1"},
        {"later section of the name not searched", "[S]\na=1\n[S]\nk=2\n", "S", "k", absent},
        {"value ends at NUL", QByteArray("[S]\nk=ab\0cd\n", 12), "S", "k", "ab"},
        {"lines without '=' skipped", "[S]\njunk line\n;comment\nk=v\n", "S", "k", "v"},
        {"header without bracket", "[S\nk=v\n", "S", "k", "v"},
        {"CR LF line ends", "[S]\r\nk=v\r\nz=1\r\n", "S", "k", "v"},
        {"lone CR line ends", "[S]\rk=v\rz=1\r", "S", "k", "v"},
        {"last line without line end", "[S]\nk=v", "S", "k", "v"},
        {"UTF-8 BOM skipped", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
        {"UTF-8 text", "[S]\nk=caf\xC3\xA9\n", "S", "k", QStringLiteral("caf\u00E9")},
        {"Latin-1 text", "[S]\nk=caf\xE9\n", "S", "k", QStringLiteral("caf\u00E9")},
        {"UTF-16 file", QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0\n\0", 20), "S", "k",
         QStringLiteral("\u00E9")},
        {"empty file", "", "S", "k", absent},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = writeFile(dir, QStringLiteral("case.ini"), c.file);
        EXPECT_EQ(profileString(c.section, c.key, absent, 512, path), c.expected);
    }
}

TEST(ProfileString, CutsTheValueToTheBufferInBytes)
{
    QTemporaryDir dir;
    const QByteArray longValue(600, 'a');
    const QString quoted = writeFile(dir, QStringLiteral("a.ini"), "[S]\nk=\"" + longValue + "\"\n");
    EXPECT_EQ(profileString("S", "k", "", 512, quoted), QString(511, QLatin1Char('a')));
    EXPECT_EQ(profileString("S", "k", "", 4, quoted), QStringLiteral("aaa"));
    EXPECT_EQ(profileString("S", "k", "", 0, quoted), QString());

    // 511 bytes of Latin-1 are 511 characters; 511 bytes of UTF-8 that would split a two-byte
    // character lose that character whole.
    const QString latin1 = writeFile(dir, QStringLiteral("b.ini"), "[S]\nk=" + QByteArray(600, '\xE9') + "\n");
    EXPECT_EQ(profileString("S", "k", "", 512, latin1), QString(511, QChar(0xE9)));
    const QString utf8 = writeFile(dir, QStringLiteral("c.ini"),
                                   "[S]\nk=" + QByteArray(510, 'a') + "\xC3\xA9\xC3\xA9\n");
    EXPECT_EQ(profileString("S", "k", "", 512, utf8), QString(510, QLatin1Char('a')));
}

TEST(ProfileString, SurvivesBinaryAndMissingFiles)
{
    QTemporaryDir dir;
    QByteArray garbage;
    for (unsigned i = 0; i < 20000; ++i)
        garbage.append(static_cast<char>((i * 7919u) % 256));
    const QString binary = writeFile(dir, QStringLiteral("bin.ini"), garbage);
    EXPECT_EQ(profileString("S", "k", "none", 512, binary), QStringLiteral("none"));

    // An entry after the garbage is still found; the file is then not valid UTF-8, so Latin-1.
    const QString tail = writeFile(dir, QStringLiteral("tail.ini"), garbage + "\n[S]\nk=\"v\xE9\"\n");
    EXPECT_EQ(profileString("S", "k", "none", 512, tail), QStringLiteral("v\u00E9"));

    EXPECT_EQ(profileString("S", "k", "none", 512, backslashed(dir.filePath("missing.ini"))), "none");
    EXPECT_EQ(profileString("S", "k", "none", 512, backslashed(dir.path())), "none");
}

TEST(FileAccess, MapsBackslashesToSlashes)
{
    EXPECT_EQ(localFilePath(QStringLiteral("\\LangSetting.ini")), QStringLiteral("/LangSetting.ini"));
    EXPECT_EQ(localFilePath(QStringLiteral("\\a\\b\\\\c.lng")), QStringLiteral("/a/b//c.lng"));
    EXPECT_EQ(localFilePath(QStringLiteral("rel/x.ini")), QStringLiteral("rel/x.ini"));

    QTemporaryDir dir;
    writeFile(dir, QStringLiteral("f.ini"), "12345");
    const QString doubled = backslashed(dir.path()) + QStringLiteral("\\\\f.ini");
    EXPECT_EQ(fileLength(doubled), 5);
}

TEST(FileAccess, FileLengthFailsForMissingFilesAndFolders)
{
    QTemporaryDir dir;
    const QString missing = backslashed(dir.filePath("missing.ini"));
    EXPECT_EQ(errorNumberOf([&] { fileLength(missing); }), 53);
    try {
        fileLength(missing);
    } catch (const Error& error) {
        EXPECT_EQ(error.description(), QStringLiteral("File not found"));
    }
    EXPECT_EQ(errorNumberOf([&] { fileLength(backslashed(dir.path())); }), 75);
    EXPECT_EQ(errorNumberOf([&] { LineReader reader(missing); }), 53);
    EXPECT_EQ(errorNumberOf([&] { LineReader reader(backslashed(dir.path())); }), 75);
}

TEST(LineReader, SplitsAtEveryKindOfLineEnd)
{
    QTemporaryDir dir;
    const auto lines = [&](const QByteArray& bytes) {
        return allLines(writeFile(dir, QStringLiteral("lines.txt"), bytes));
    };
    using Lines = std::vector<QByteArray>;
    EXPECT_EQ(lines("a\nb\r\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(lines("\n\r\n\r"), (Lines{"", "", ""}));
    EXPECT_EQ(lines("x\r"), (Lines{"x"}));
    EXPECT_EQ(lines(""), Lines{});
    EXPECT_EQ(lines(QByteArray("a\0b\n", 4)), (Lines{QByteArray("a\0b", 3)}));

    // A CR LF pair split across two reads is still one line end.
    for (const qsizetype before : {65535, 65536, 65537}) {
        SCOPED_TRACE(before);
        const QByteArray first(before, 'a');
        EXPECT_EQ(lines(first + "\r\nb"), (Lines{first, "b"}));
    }
}

TEST(LineReader, KeepsOnlyTheRequestedPartOfALongLine)
{
    QTemporaryDir dir;
    const QByteArray longLine(200000, 'x');
    LineReader reader(writeFile(dir, QStringLiteral("long.txt"), longLine + "\nshort\n"));
    QByteArray line;
    bool cut = false;
    ASSERT_TRUE(reader.readLine(line, 10, &cut));
    EXPECT_EQ(line, QByteArray(10, 'x'));
    EXPECT_TRUE(cut);
    ASSERT_TRUE(reader.readLine(line, 10, &cut));
    EXPECT_EQ(line, QByteArray("short"));
    EXPECT_FALSE(cut);
    EXPECT_FALSE(reader.readLine(line, 10, &cut));
    EXPECT_TRUE(line.isEmpty());
}

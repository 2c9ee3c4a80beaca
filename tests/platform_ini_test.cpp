// The INI profile reader and the file layer beneath it.
#include "platform/files/FileAccess.h"
#include "platform/files/IniProfile.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tessaro;

using test::backslashed;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    return test::writeFileIn(dir.path(), name, bytes);
}

} // namespace

TEST(ProfileString, ReadsTheValueAsTheProfileFunctionDoes)
{
    struct Case { QByteArray file; QString expected; const char *section = "S", *key = "k"; int bufferSize = 512; };
    const QString absent = QStringLiteral("<default>");
    QByteArray garbage(20000, '\0');
    std::generate(garbage.begin(), garbage.end(), [i = 0u]() mutable { return char((i++ * 7919u) % 256); });
    const std::vector<Case> cases = {
        // A pair of like quotes goes, and nothing else does; blanks around names and values do not
        // count, nor does the case of names; a later '=' belongs to the value.
        {"[S]\nk=\"two words\"\n", "two words"}, {"[S]\nk='two words'\n", "two words"}, {"[S]\nk=\"  v  \"\n", "  v  "},
        {"[S]\nk=\"open\n", "\"open"}, {"[S]\nk=\"v'\n", "\"v'"}, {"  [ S ]  \n\t k \t=  v w \t\n", "v w"},
        {"[StRiNgS]\nle01=a\n", "a", " Strings ", " LE01 "}, {"[S]\nk=a=b\n", "a=b"}, {"[S]\nk=\n", ""},
        // Only the first section of the name is searched, and in it the first line for the key.
        {"[T]\nk=v\n", absent}, {"[S]\nother=v\n", absent}, {"k=v\n[S]\n", absent}, {"[S]\n[T]\nk=v\n", absent},
        {"[S]\nk=1\nK=2\n", "1"}, {"[S]\nk=1\n[T]\n[s]\nk=2\n", "1"}, {"[S]\na=1\n[S]\nk=2\n", absent},
        // The value ends at a NUL; lines without '=' are skipped; a header needs no ']'; any line end.
        {QByteArray("[S]\nk=ab\0cd\n", 12), "ab"}, {"[S]\njunk line\n;comment\nk=v\n", "v"}, {"[S\nk=v\n", "v"},
        {"[S]\r\nk=v\r\nz=1\r\n", "v"}, {"[S]\rk=v\rz=1\r", "v"}, {"[S]\nk=v", "v"}, {"", absent},
        // UTF-8 with or without BOM, else Latin-1; UTF-16 with its BOM.
        {"\xEF\xBB\xBF[S]\nk=v\n", "v"}, {"[S]\nk=caf\xC3\xA9\n", "caf\u00E9"}, {"[S]\nk=caf\xE9\n", "caf\u00E9"},
        {QByteArray("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE9\0\n\0", 18), "\u00E9"},
        // An entry after garbage is still found; the file is then not valid UTF-8, so Latin-1.
        {garbage, absent}, {garbage + "\n[S]\nk=\"v\xE9\"\n", "v\u00E9"},
        // The value is cut to the buffer less one byte, quotes or not; a UTF-8 character the cut
        // would split is lost whole.
        {"[S]\nk=\"" + QByteArray(600, 'a') + "\"\n", QString(511, u'a')}, {"[S]\nk=\"aaaaa\"\n", "aaa", "S", "k", 4},
        {"[S]\nk=v\n", "", "S", "k", 0}, {"[S]\nk=" + QByteArray(600, '\xE9') + "\n", QString(511, QChar(0xE9))},
        {"[S]\nk=" + QByteArray(510, 'a') + "\xC3\xA9\xC3\xA9\n", QString(510, u'a')},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.left(40).toPercentEncoding("[]=;'\" ").toStdString());
        const QString path = writeFile(dir, QStringLiteral("case.ini"), c.file);
        EXPECT_EQ(profileString(c.section, c.key, absent, c.bufferSize, path), c.expected);
    }
    EXPECT_EQ(profileString("S", "k", absent, 512, backslashed(dir.filePath("missing.ini"))), absent);
    EXPECT_EQ(profileString("S", "k", absent, 512, backslashed(dir.path())), absent);
}

// The length of a missing file or of a folder is refused with the numbers the language reader
// passes on, and checked there; the line reader refuses them alike.
TEST(FileAccess, ABackslashedPathReachesItsFileOrANumberedError)
{
    EXPECT_EQ(localFilePath(QStringLiteral("\\a\\b\\\\c.lng")), QStringLiteral("/a/b//c.lng"));
    QTemporaryDir dir;
    const QString folder = backslashed(dir.path());
    writeFile(dir, QStringLiteral("f.ini"), "12345");
    EXPECT_EQ(fileLength(folder + QStringLiteral("\\\\f.ini")), 5); // a doubled separator
    EXPECT_EQ(test::errorTextOf([&] { LineReader reader(folder + QStringLiteral("\\missing.ini")); }),
              QStringLiteral("53 File not found"));
    EXPECT_EQ(test::errorTextOf([&] { LineReader reader(folder); }), QStringLiteral("75 Path/File access error"));
}

TEST(LineReader, SplitsAtEveryKindOfLineEndCuttingLongLines)
{
    QTemporaryDir dir;
    using Lines = std::vector<QByteArray>;
    const auto lines = [&](const QByteArray& bytes, qsizetype keep = 1 << 20) {
        LineReader reader(writeFile(dir, QStringLiteral("lines.txt"), bytes));
        Lines read;
        bool cut = false;
        for (QByteArray line; reader.readLine(line, keep, &cut);)
            read.push_back(cut ? line + "<cut>" : line);
        return read;
    };
    EXPECT_EQ(lines("a\nb\r\nc\rd\n\n\r\n\rx\r"), (Lines{"a", "b", "c", "d", "", "", "", "x"}));
    EXPECT_EQ(lines(""), Lines{});
    EXPECT_EQ(lines(QByteArray("a\0b\n", 4)), (Lines{QByteArray("a\0b", 3)}));
    EXPECT_EQ(lines(QByteArray(200000, 'x') + "\nshort\n", 10), (Lines{QByteArray(10, 'x') + "<cut>", "short"}));
    // A CR LF pair split across two reads is still one line end.
    for (const qsizetype before : {65535, 65536, 65537}) {
        SCOPED_TRACE(before);
        EXPECT_EQ(lines(QByteArray(before, 'a') + "\r\nb"), (Lines{QByteArray(before, 'a'), "b"}));
    }
}

// A file read once is kept while it stays as it was; a change is seen at the next lookup. The fuzz
// tests change kept files at random (same size or not, dated back or not); here a kept file is
// removed, then replaced by a folder.
TEST(ProfileString, AKeptFileIsReadAgainOnceItChangesOrGoes)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("kept.ini"), "[S]\nk=1\n");
    test::dateBack(path, 86400);
    const auto value = [&] { return profileString("S", "k", "<none>", 512, path); };
    EXPECT_EQ(QStringList({value(), value()}), QStringList({"1", "1"}));
    writeFile(dir, QStringLiteral("kept.ini"), "[S]\nk=2\n");
    EXPECT_EQ(value(), "2");
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("kept.ini"))));
    EXPECT_EQ(value(), "<none>");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("kept.ini")));
    EXPECT_EQ(value(), "<none>");
}

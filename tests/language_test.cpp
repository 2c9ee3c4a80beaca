// ReadIniValue and GetLanguageString with the per-thread language state.
#include "language/LanguageSupport.h"
#include "support/TestHelpers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace tessaro;
using tessaro::test::backslashed;
using tessaro::test::errorNumberOf;

namespace {

constexpr qsizetype kProfileLimit = 64000;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    return test::writeFileIn(dir.path(), name, bytes);
}

// `content` followed by one comment line that brings the file to exactly `size` bytes.
QByteArray paddedTo(const QByteArray& content, qsizetype size)
{
    EXPECT_GE(size - content.size(), 2);
    return content + ';' + QByteArray(size - content.size() - 2, 'x') + '\n';
}

QByteArray large(const QByteArray& content) { return paddedTo(content, kProfileLimit + 1000); }

// A language file installed before the run: only then may what was read from it be kept.
void settle(const QString& path, int hours = 1)
{
    constexpr int kSecondsPerHour = 3600;
    test::dateBack(path, hours * kSecondsPerHour);
}

} // namespace

TEST(ReadIniValue, ReadsLargeFilesByTheFirstLineStartingWithTheKey)
{
    const QByteArray strings = "[Strings]\nLE01=abc\n", sections = "[Strings]\nLE01=\"second\"\n",
                     lowerUpper = "le04=\"lower\"\nLE04=\"upper\"\n";
    const struct { const char* what; QByteArray content; const char* key; QString expected; int error = 0;
    } cases[] = {
        // The two readers differ on an unquoted value: the profile function keeps it whole, the
        // scan drops its first and last character.
        {"64000 bytes", paddedTo(strings, kProfileLimit), "LE01", "abc"},
        {"64001 bytes", paddedTo(strings, kProfileLimit + 1), "LE01", "b"},
        {"another section first", large("[Other]\nLE01=\"first\"\n" + sections), "LE01", "first"},
        {"outside any section", large("LE01=\"top\"\n" + sections), "LE01", "top"},
        {"empty quotes", large("LE02=\"\"\n"), "LE02", ""},
        {"no matching line", large("LE01=\"a\"\n"), "LE09", ""},
        {"case-sensitive upper", large(lowerUpper), "LE04", "upper"},
        {"longer key shares the prefix", large("LE011=\"x\"\nLE01=\"y\"\n"), "LE01", "\"x"},
        {"blank before the key", large(" LE01=\"y\"\n"), "LE01", ""},
        {"CR LF line end", large("LE05=\"v\"\r\nLE06=\"w\"\r\n"), "LE05", "v"},
        {"later too-short line unread", large("LE07=\"ok\"\nLE07=\n"), "LE07", "ok"},
        {"value shorter than its delimiters", large("LE03=x\n"), "LE03", "", 5},
        {"empty value", large("LE03=\n"), "LE03", "", 5},
        {"a huge line without an end, cut", "LE01=" + QByteArray(100 * 1024, 'x'), "LE01", QString(64 * 1024 - 1, u'x')},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = writeFile(dir, "read.lng", c.content);
        QString value;
        const int error = errorNumberOf([&] { value = ReadIniValue(path, "Strings", c.key); });
        EXPECT_EQ(std::make_pair(error, value), std::make_pair(c.error, c.expected));
    }
    EXPECT_EQ(errorNumberOf([&] { ReadIniValue(backslashed(dir.filePath("missing.lng")), "Strings", "LE01"); }), 53);
    EXPECT_EQ(errorNumberOf([&] { ReadIniValue(backslashed(dir.path()), "Strings", "LE01"); }), 75) << "no file";
}

// One scan of a large file answers every language key; each key still gets its own first line,
// its own cut and its own failure, and keys outside the language table are found too.
TEST(ReadIniValue, AScanKeptForAllKeysAnswersEachAsItsOwnScanWould)
{
    const QByteArray hugeLine = "LE03=\"" + QByteArray(100 * 1024, 'y') + "\"\n";
    const QByteArray content = "[Other]\nLE010=\"ten\"\nLE01=\"one\"\n[Strings]\nLE02=x\nLE02=\"late\"\n" + hugeLine
        + "le04=\"lower\"\nLE04=\"upper\"\nLE2=\"short key\"\nLE28\n";
    const struct { const char* key; QString expected; int error = 0; } lookups[] = {
        {"LE04", "upper"}, {"LE01", "\"ten"}, {"LE02", "", 5}, {"le04", "lower"}, {"LE2", "short key"},
        {"LE0", "=\"ten"}, {"LE03", QString(64 * 1024 - 1, u'y')}, {"LE28", "", 5}, {"LE27", ""}, {"LE010", "ten"}, {"LE02", "", 5},
        {"LE01", "\"ten"},
    };
    QTemporaryDir dir;
    ASSERT_GT(content.size(), kProfileLimit);
    const QString path = writeFile(dir, "kept.lng", content);
    settle(path);
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(lookup.key);
        QString value;
        const int error = errorNumberOf([&] { value = ReadIniValue(path, "Strings", lookup.key); });
        EXPECT_EQ(std::make_pair(error, value), std::make_pair(lookup.error, lookup.expected));
    }
    // A rewrite of the same size is read again, whether just written or dated back.
    QByteArray changed = content;
    changed.replace("\"one\"", "\"uno\"").replace("LE010", "LE0X0");
    test::writeFile(dir.filePath("kept.lng"), changed);
    const QString justWritten = ReadIniValue(path, "Strings", "LE01");
    settle(path);
    const QString datedBack = ReadIniValue(path, "Strings", "LE01");
    test::writeFile(dir.filePath("kept.lng"), changed.replace("\"uno\"", "\"one\""));
    settle(path, 2);
    EXPECT_EQ((QStringList{justWritten, datedBack, ReadIniValue(path, "Strings", "LE01")}), (QStringList{"uno", "uno", "one"}));
}

// A language file of many megabytes is scanned once, not once per string: two thousand lookups
// come back at once (the bound only catches a scan per lookup, which takes half a minute).
TEST(GetLanguageString, ALargeLanguageFileIsNotScannedForEveryString)
{
    constexpr int kLookups = 2000;
    constexpr qint64 kHangMs = 5000;
    QByteArray content = "[Strings]\n";
    const QByteArray filler = "LX=\"" + QByteArray(90, 'x') + "\"\n";
    content += filler.repeated(16 * 1024 * 1024 / filler.size());
    for (int key = 1; key <= 28; ++key)
        content += QStringLiteral("LE%1=\"text %1\"\n").arg(key, 2, 10, QChar(u'0')).toUtf8();
    QTemporaryDir dir;
    settle(writeFile(dir, "Big.lng", content));
    settle(writeFile(dir, "LangSetting.ini", "[Language]\nCurrentLanguage=Big\n"));
    setLanguageDirectory(backslashed(dir.path()));
    setCurrentLanguage(QString());
    QElapsedTimer timer;
    timer.start();
    QStringList texts;
    for (int i = 0; i < kLookups && !timer.hasExpired(kHangMs); ++i)
        texts << GetLanguageString(QStringLiteral("LE%1").arg(i % 28 + 1, 2, 10, QChar(u'0')));
    setLanguageDirectory(QString());
    setCurrentLanguage(QString());
    ASSERT_EQ(texts.size(), kLookups) << "lookups stopped after " << kHangMs << " ms";
    EXPECT_EQ(texts.mid(0, 3), QStringList({"text 01", "text 02", "text 03"}));
    EXPECT_EQ(texts.last(), QStringLiteral("text %1").arg((kLookups - 1) % 28 + 1, 2, 10, QChar(u'0')));
}

class LanguageStrings : public ::testing::Test {
protected:
    void SetUp() override { setLanguageDirectory(backslashed(dir.path())), setCurrentLanguage(QString()); }
    void TearDown() override { setLanguageDirectory(QString()), setCurrentLanguage(QString()); }
    void write(const QString& name, const QByteArray& bytes) { writeFile(dir, name, bytes); }

    QTemporaryDir dir;
};

// Each step writes its files, then looks one key up; the state carries over to the next step.
TEST_F(LanguageStrings, TheCurrentLanguageIsFoundOnce)
{
    // Binary bytes without any 'L' can hold no line starting with a key.
    QByteArray binary;
    for (unsigned i = 0; i < 3 * 1024 * 1024; ++i) {
        const char byte = static_cast<char>((i * 7919u + i / 256) % 256);
        binary.append(byte == 'L' ? '\0' : byte);
    }
    const QByteArray all = "[Strings]\nLE16=\"All\"\n", english = "[Language]\nCurrentLanguage=English\n";
    // Files written, key looked up, the string and the current language after the lookup.
    const struct { const char* what; std::vector<std::pair<const char*, QByteArray>> files; const char* key;
        QString expected, language; } steps[] = {
        {"a language file but no settings", {{"English.lng", all}}, "LE16", "", ""},
        {"settings, read again while the language is unknown", {{"LangSetting.ini", english}}, "LE16", "All",
            "English"},
        {"a missing key", {}, "LE17", "", "English"},
        {"a missing section", {{"English.lng", "[Other]\nLE16=\"All\"\n"}}, "LE16", "", "English"},
        {"the language stays, its file is read anew",
            {{"LangSetting.ini", "[Language]\nCurrentLanguage=Italiano\n"},
                {"Italiano.lng", "[Strings]\nLE16=\"Tutti\"\n"}, {"English.lng", "[Strings]\nLE16=\"Everything\"\n"}},
            "LE16", "Everything", "English"},
        {"a large file, by the line scan", {{"English.lng", large(all)}}, "LE16", "All", "English"},
        {"a too-short scanned value, which fails ReadIniValue", {{"English.lng", large("LE01=x\n")}}, "LE01", "",
            "English"},
        {"a large binary file", {{"English.lng", binary}}, "LE01", "", "English"},
        {"a small binary file", {{"English.lng", binary.left(1000)}}, "LE01", "", "English"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        for (const auto& [name, bytes] : step.files)
            write(name, bytes);
        EXPECT_EQ(QStringList({GetLanguageString(step.key), currentLanguage()}), QStringList({step.expected, step.language}));
    }
    QFile::remove(dir.filePath("English.lng"));
    EXPECT_EQ(GetLanguageString("LE16"), QString()) << "a missing language file";

    // Found again through a folder with a trailing backslash, from large settings with quotes.
    setLanguageDirectory(backslashed(dir.path()) + "\\");
    setCurrentLanguage(QString());
    write("LangSetting.ini", large("[Language]\nCurrentLanguage=\"Italiano\"\n"));
    EXPECT_EQ(QStringList({GetLanguageString("LE16"), currentLanguage()}), QStringList({"Tutti", "Italiano"}));
}

TEST_F(LanguageStrings, StateBelongsToItsThread)
{
    write("English.lng", "[Strings]\nLE16=\"All\"\n");
    write("Thread.lng", "[Strings]\nLE16=\"Thread\"\n");
    setCurrentLanguage("English");
    QStringList other;
    std::thread([&] {
        other << languageDirectory() << currentLanguage();
        setLanguageDirectory(backslashed(dir.path()));
        setCurrentLanguage("Thread");
        other << GetLanguageString("LE16");
    }).join();
    // The other thread starts blank and its choices leave this thread's alone.
    EXPECT_EQ(other << languageDirectory() << currentLanguage() << GetLanguageString("LE16"),
              QStringList({QString(), QString(), "Thread", backslashed(dir.path()), "English", "All"}));
}

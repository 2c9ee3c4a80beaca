// ReadIniValue and GetLanguageString with the per-thread language state.
#include "language/LanguageSupport.h"
#include "support/TestHelpers.h"

#include <tessaro/Error.h>

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace tessaro;

namespace {

using tessaro::test::errorNumberOf;

constexpr qsizetype kProfileLimit = 64000;

QString backslashed(const QString& path)
{
    return QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(bytes), bytes.size());
    return backslashed(file.fileName());
}

// `content` followed by one comment line that brings the file to exactly `size` bytes.
QByteArray paddedTo(const QByteArray& content, qsizetype size)
{
    const qsizetype padding = size - content.size();
    EXPECT_GE(padding, 2);
    return content + ';' + QByteArray(padding - 2, 'x') + '\n';
}

QByteArray large(const QByteArray& content)
{
    return paddedTo(content, kProfileLimit + 1000);
}

} // namespace

TEST(ReadIniValue, SwitchesToTheLineScanAbove64000Bytes)
{
    // The two readers differ on an unquoted value: the profile function keeps it whole, the
    // scan drops its first and last character.
    const QByteArray content = "[Strings]\nLE01=abc\n";
    QTemporaryDir dir;
    const QString exact = writeFile(dir, "exact.lng", paddedTo(content, kProfileLimit));
    const QString over = writeFile(dir, "over.lng", paddedTo(content, kProfileLimit + 1));
    EXPECT_EQ(ReadIniValue(exact, "Strings", "LE01"), QStringLiteral("abc"));
    EXPECT_EQ(ReadIniValue(over, "Strings", "LE01"), QStringLiteral("b"));
}

TEST(ReadIniValue, LineScanTakesTheFirstLineStartingWithTheKey)
{
    struct Case {
        const char* what;
        QByteArray content;
        QString key;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"another section first", "[Other]\nLE01=\"first\"\n[Strings]\nLE01=\"second\"\n", "LE01", "first"},
        {"outside any section", "LE01=\"top\"\n[Strings]\nLE01=\"second\"\n", "LE01", "top"},
        {"unquoted value", "[Strings]\nLE02=value\n", "LE02", "alu"},
        {"empty quotes", "[Strings]\nLE02=\"\"\n", "LE02", ""},
        {"case-sensitive upper", "le04=\"lower\"\nLE04=\"upper\"\n", "LE04", "upper"},
        {"case-sensitive lower", "le04=\"lower\"\nLE04=\"upper\"\n", "le04", "lower"},
        {"longer key shares the prefix", "LE011=\"x\"\nLE01=\"y\"\n", "LE01", "\"x"},
        {"blank before the key", " LE01=\"y\"\n", "LE01", ""},
        {"CR LF line end", "LE05=\"v\"\r\nLE06=\"w\"\r\n", "LE05", "v"},
        {"no matching line", "[Strings]\nLE01=\"a\"\n", "LE09", ""},
        {"later too-short line unread", "LE07=\"ok\"\nLE07=\n", "LE07", "ok"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = writeFile(dir, "scan.lng", large(c.content));
        EXPECT_EQ(ReadIniValue(path, "Strings", c.key), c.expected);
    }
}

TEST(ReadIniValue, LineScanFailsOnAValueShorterThanItsDelimiters)
{
    QTemporaryDir dir;
    for (const QByteArray line : {"LE03=x", "LE03=", "LE03"}) {
        SCOPED_TRACE(line.constData());
        const QString path = writeFile(dir, "short.lng", large("[Strings]\n" + line + "\n"));
        EXPECT_EQ(errorNumberOf([&] { ReadIniValue(path, "Strings", "LE03"); }), 5);
    }
}

TEST(ReadIniValue, FailsWhenTheFileIsMissingOrNoFile)
{
    QTemporaryDir dir;
    const QString missing = backslashed(dir.filePath("missing.lng"));
    EXPECT_EQ(errorNumberOf([&] { ReadIniValue(missing, "Strings", "LE01"); }), 53);
    EXPECT_EQ(errorNumberOf([&] { ReadIniValue(backslashed(dir.path()), "Strings", "LE01"); }), 75);
}

TEST(ReadIniValue, KeepsABoundedPartOfAHugeLine)
{
    // Several MB without a line end: the value comes back cut, never the whole line.
    const QByteArray filler(8 * 1024 * 1024, 'x');
    QTemporaryDir dir;
    const QString path = writeFile(dir, "huge.lng", "LE01=" + filler);
    const QString value = ReadIniValue(path, "Strings", "LE01");
    EXPECT_GE(value.size(), 511);
    EXPECT_LT(value.size(), filler.size() - 1);
    EXPECT_EQ(value, QString(value.size(), QLatin1Char('x')));
}

class LanguageStrings : public ::testing::Test {
protected:
    void SetUp() override
    {
        setLanguageDirectory(backslashed(dir.path()));
        setCurrentLanguage(QString());
    }
    void TearDown() override
    {
        setLanguageDirectory(QString());
        setCurrentLanguage(QString());
    }
    void write(const QString& name, const QByteArray& bytes) { writeFile(dir, name, bytes); }
    void installEnglish()
    {
        write("LangSetting.ini", "[Language]\nCurrentLanguage=English\n");
        write("English.lng", "[Strings]\nLE16=\"All\"\n");
    }

    QTemporaryDir dir;
};

TEST_F(LanguageStrings, FindsTheLanguageWithOrWithoutTrailingBackslash)
{
    installEnglish();
    for (const QString& directory : {backslashed(dir.path()), backslashed(dir.path()) + "\\"}) {
        SCOPED_TRACE(directory.toStdString());
        setLanguageDirectory(directory);
        setCurrentLanguage(QString());
        EXPECT_EQ(GetLanguageString("LE16"), QStringLiteral("All"));
        EXPECT_EQ(currentLanguage(), QStringLiteral("English"));
    }
}

TEST_F(LanguageStrings, GivesEmptyTextForAMissingKeyOrSection)
{
    installEnglish();
    EXPECT_EQ(GetLanguageString("LE17"), QString());
    write("English.lng", "[Other]\nLE16=\"All\"\n");
    EXPECT_EQ(GetLanguageString("LE16"), QString());
    EXPECT_EQ(currentLanguage(), QStringLiteral("English"));
}

TEST_F(LanguageStrings, ReadsLangSettingAgainWhileTheLanguageIsUnknown)
{
    write("English.lng", "[Strings]\nLE16=\"All\"\n");
    EXPECT_EQ(GetLanguageString("LE16"), QString());
    EXPECT_EQ(currentLanguage(), QString());

    installEnglish();
    EXPECT_EQ(GetLanguageString("LE16"), QStringLiteral("All"));
}

TEST_F(LanguageStrings, KeepsTheLanguageButRereadsTheLanguageFile)
{
    installEnglish();
    ASSERT_EQ(GetLanguageString("LE16"), QStringLiteral("All"));

    write("LangSetting.ini", "[Language]\nCurrentLanguage=Italiano\n");
    write("Italiano.lng", "[Strings]\nLE16=\"Tutti\"\n");
    write("English.lng", "[Strings]\nLE16=\"Everything\"\n");
    EXPECT_EQ(GetLanguageString("LE16"), QStringLiteral("Everything"));

    setCurrentLanguage("Italiano");
    EXPECT_EQ(GetLanguageString("LE16"), QStringLiteral("Tutti"));
}

TEST_F(LanguageStrings, ReadsLargeFilesByTheLineScan)
{
    write("LangSetting.ini", large("[Language]\nCurrentLanguage=\"English\"\n"));
    write("English.lng", large("[Strings]\nLE16=\"All\"\n"));
    EXPECT_EQ(GetLanguageString("LE16"), QStringLiteral("All"));
}

TEST_F(LanguageStrings, NeverFailsOnBadFiles)
{
    installEnglish();

    // A too-short value in the line scan would fail ReadIniValue.
    write("English.lng", large("LE01=x\n"));
    EXPECT_EQ(GetLanguageString("LE01"), QString());

    // Binary bytes without any 'L' can hold no line starting with a key.
    QByteArray binary;
    for (unsigned i = 0; i < 3 * 1024 * 1024; ++i) {
        const char byte = static_cast<char>((i * 7919u + i / 256) % 256);
        binary.append(byte == 'L' ? '\0' : byte);
    }
    write("English.lng", binary);
    EXPECT_EQ(GetLanguageString("LE01"), QString());
    write("English.lng", binary.left(1000));
    EXPECT_EQ(GetLanguageString("LE01"), QString());

    QFile::remove(dir.filePath("English.lng"));
    EXPECT_EQ(GetLanguageString("LE01"), QString());
}

TEST_F(LanguageStrings, StateBelongsToItsThread)
{
    installEnglish();
    setCurrentLanguage("English");

    QString otherDirectory = "unset";
    QString otherLanguage = "unset";
    QString otherText = "unset";
    std::thread other([&] {
        otherDirectory = languageDirectory();
        otherLanguage = currentLanguage();
        setLanguageDirectory(backslashed(dir.path()));
        write("Thread.lng", "[Strings]\nLE16=\"Thread\"\n");
        setCurrentLanguage("Thread");
        otherText = GetLanguageString("LE16");
    });
    other.join();

    EXPECT_EQ(otherDirectory, QString());
    EXPECT_EQ(otherLanguage, QString());
    EXPECT_EQ(otherText, QStringLiteral("Thread"));
    EXPECT_EQ(languageDirectory(), backslashed(dir.path()));
    EXPECT_EQ(currentLanguage(), QStringLiteral("English"));
    EXPECT_EQ(GetLanguageString("LE16"), QStringLiteral("All"));
}

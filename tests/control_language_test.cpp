#include "language/LanguageSupport.h"
#include "support/TestHelpers.h"

#include <tessaro/Tessaro.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

using tessaro::test::writeFile;

QString caption(const Tessaro& control, const char* name)
{
    return control.findChild<QObject*>(QString::fromLatin1(name))->property("Caption").toString();
}

// A language folder whose current language is `language`, with LE13..LE19 texts that name
// their key, quoted as the files usually have them.
void writeLanguage(const QString& folder, const QByteArray& language)
{
    writeFile(folder + QStringLiteral("/LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + language + "\r\n");
    QByteArray strings = "[Strings]\r\n";
    for (int key = 1; key <= 28; ++key)
        strings += QStringLiteral("LE%1=\"%2 LE%1\"\r\n").arg(key, 2, 10, QLatin1Char('0')).arg(QString::fromLatin1(language)).toLatin1();
    writeFile(folder + QStringLiteral("/") + QString::fromLatin1(language) + QStringLiteral(".lng"), strings);
}

} // namespace

TEST(CambiaLingua, SetsTheSevenCaptionsFromTheChosenLanguage)
{
    QTemporaryDir folder;
    writeLanguage(folder.path(), "English");
    Tessaro control;
    control.CambiaLingua(QDir::toNativeSeparators(folder.path()) + QStringLiteral("\\"));

    const std::pair<const char*, const char*> expected[] = {
        {"lblPaginaRisultati", "English LE13"}, {"lblPagine", "English LE14"}, {"lblCaricatutti", "English LE15"},
        {"optTutti", "English LE16"},           {"optSelezionati", "English LE17"}, {"Label1", "English LE18"},
        {"Label2", "English LE19"},
    };
    for (const auto& [name, text] : expected) {
        SCOPED_TRACE(name);
        EXPECT_EQ(caption(control, name), QString::fromLatin1(text));
    }
    // Tooltips are not language strings.
    EXPECT_EQ(control.findChild<QWidget*>(QStringLiteral("lblCaricatutti"))->toolTip(), QStringLiteral("Carica tutti i record"));
}

TEST(CambiaLingua, AFolderWithoutSettingsFailsAndChangesNoCaption)
{
    QTemporaryDir good;
    QTemporaryDir empty;
    writeLanguage(good.path(), "Italiano");
    Tessaro control;
    control.CambiaLingua(good.path());
    ASSERT_EQ(caption(control, "optTutti"), QStringLiteral("Italiano LE16"));

    try {
        control.CambiaLingua(empty.path());
        FAIL() << "a folder without LangSetting.ini must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), Error::FileNotFound);
    }
    EXPECT_EQ(caption(control, "optTutti"), QStringLiteral("Italiano LE16"));
    EXPECT_EQ(languageDirectory(), empty.path()) << "the folder is taken all the same";
    EXPECT_EQ(currentLanguage(), QStringLiteral("Italiano")) << "the language name is kept";
}

TEST(CambiaLingua, OneInstanceChangesTheTextsEveryInstanceLooksUp)
{
    QTemporaryDir first;
    QTemporaryDir second;
    writeLanguage(first.path(), "Italiano");
    writeLanguage(second.path(), "English");
    Tessaro a;
    Tessaro b;
    a.CambiaLingua(first.path());
    b.CambiaLingua(second.path());
    EXPECT_EQ(GetLanguageString(QStringLiteral("LE01")), QStringLiteral("English LE01"));
    EXPECT_EQ(caption(a, "Label2"), QStringLiteral("Italiano LE19")) << "captions of other instances stay";
}

#include "language/LanguageSupport.h"
#include "support/TestHelpers.h"

#include <tessaro/Tessaro.h>

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

QString caption(const Tessaro& control, const char* name)
{
    return control.findChild<QObject*>(QString::fromLatin1(name))->property("Caption").toString();
}

// A language folder whose current language is `language`, with LE01..LE28 texts that name their
// key, quoted and with CR LF line ends as the files usually have them.
void writeLanguage(const QTemporaryDir& folder, const QString& language)
{
    test::writeFile(
        folder.filePath("LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + language.toLatin1() + "\r\n");
    QString strings = QStringLiteral("[Strings]\r\n");
    for (int key = 1; key <= 28; ++key)
        strings += QStringLiteral("LE%1=\"%2 LE%1\"\r\n").arg(key, 2, 10, QLatin1Char('0')).arg(language);
    test::writeFile(folder.filePath(language + ".lng"), strings.toLatin1());
}

} // namespace

TEST(CambiaLingua, SetsTheSevenCaptionsOfItsInstanceAndTheTextsEveryInstanceLooksUp)
{
    QTemporaryDir first, second, empty;
    writeLanguage(first, "English");
    writeLanguage(second, "Italiano");
    Tessaro control, other;
    control.CambiaLingua(QDir::toNativeSeparators(first.path()) + QStringLiteral("\\"));
    const char* names[] = {"lblPaginaRisultati", "lblPagine", "lblCaricatutti", "optTutti",
                           "optSelezionati", "Label1", "Label2"}; // LE13 to LE19
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(caption(control, names[i]), QStringLiteral("English LE%1").arg(13 + i)) << names[i];
    // A file without the later keys (LE30 on) keeps their designed texts.
    EXPECT_EQ(control.findChild<QWidget*>(QStringLiteral("lblCaricatutti"))->toolTip(),
        QStringLiteral("Carica tutti i record"));

    other.CambiaLingua(second.path());
    EXPECT_EQ(GetLanguageString(QStringLiteral("LE01")), QStringLiteral("Italiano LE01"));
    EXPECT_EQ(caption(control, "Label2"), QStringLiteral("English LE19")) << "captions of other instances stay";

    // A folder without settings fails and changes no caption, but is taken all the same, and the
    // language name is kept.
    EXPECT_EQ(test::errorNumberOf([&] { control.CambiaLingua(empty.path()); }), Error::FileNotFound);
    EXPECT_EQ(QStringList({caption(control, "optTutti"), languageDirectory(), currentLanguage()}),
              QStringList({"English LE16", empty.path(), "Italiano"}));
}

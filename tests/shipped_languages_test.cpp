#include "language/LanguageSupport.h"
#include "language/ShippedLanguages.h"
#include "support/ShownControl.h"
#include "support/TestHelpers.h"

#include <tessaro/Languages.h>

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <map>
#include <thread>

using namespace tessaro;

namespace {

// The language files as they stand in the source tree: what the library ships.
const QString kSourceFolder = QStringLiteral(TESSARO_LANGUAGES_SOURCE);
constexpr int kKeyCount = 61;

QByteArray sourceFile(const QString& language, const QString& name)
{
    QFile file(kSourceFolder + '/' + language + '/' + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return file.readAll();
}

QString key(int number) { return QStringLiteral("LE%1").arg(number, 2, 10, QLatin1Char('0')); }

// A shipped .lng file read by its own simple rules, not by the control's reader: the heading
// [Strings], then one LEnn="text" line per key, each line ended by CR LF, all UTF-8.
std::map<QString, QString> shippedStrings(const QString& language)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QStringList lines = QString(utf8(sourceFile(language, language + ".lng"))).split(QStringLiteral("\r\n")), problems;
    if (utf8.hasError() || lines.takeLast() != QString() || lines.isEmpty() || lines.takeFirst() != QStringLiteral("[Strings]"))
        problems << QStringLiteral("not UTF-8, no [Strings] heading first, or no CR LF last");
    static const QRegularExpression entry(QStringLiteral("^(LE\\d\\d)=\"([^\"\\r\\n]*)\"$"));
    std::map<QString, QString> strings;
    for (const QString& line : lines) {
        const QRegularExpressionMatch match = entry.match(line);
        if (!match.hasMatch() || !strings.emplace(match.captured(1), match.captured(2)).second)
            problems << QStringLiteral("bad or repeated line: ") + line;
    }
    EXPECT_EQ(problems, QStringList()) << language.toStdString();
    return strings;
}

QString caption(const Tessaro& control, const char* name)
{
    return control.findChild<QObject*>(QString::fromLatin1(name))->property("Caption").toString();
}

// A language folder whose current language is `language`, with LE01..LE28 texts that name their
// key, quoted and with CR LF line ends as the files usually have them.
void writeLanguage(const QTemporaryDir& folder, const QString& language)
{
    test::writeFile(folder.filePath("LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + language.toLatin1() + "\r\n");
    QString strings = QStringLiteral("[Strings]\r\n");
    for (int number = 1; number <= 28; ++number)
        strings += QStringLiteral("%1=\"%2 %1\"\r\n").arg(key(number), language);
    test::writeFile(folder.filePath(language + ".lng"), strings.toLatin1());
}

// Keeps the user's cache out of the test: the compiled-in files go into a folder of its own.
struct CacheScope {
    CacheScope() { qputenv("XDG_CACHE_HOME", root.path().toUtf8()); }
    ~CacheScope() { qputenv("XDG_CACHE_HOME", previous); }
    const QByteArray previous = qgetenv("XDG_CACHE_HOME");
    QTemporaryDir root;
};

bool holdsSourceFiles(const QString& folder, const QString& language)
{
    for (const QString& name : {QStringLiteral("LangSetting.ini"), language + ".lng"}) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly) || file.readAll() != sourceFile(language, name))
            return false;
    }
    return true;
}

// How wide `text` is drawn as the caption of `control`: an option button draws its indicator too.
int captionWidth(QWidget* control, const QString& text)
{
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button)
        return control->fontMetrics().horizontalAdvance(text);
    const QString kept = button->text();
    button->setText(text);
    const int width = button->sizeHint().width();
    return button->setText(kept), width;
}

// The width a caption shows in: the control's own, up to where a sibling stacked above it starts.
int captionRoom(QWidget* control)
{
    const QObjectList& siblings = control->parent()->children();
    int room = control->width();
    for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
        auto* above = qobject_cast<QWidget*>(siblings[i]);
        const bool over = above && !above->isHidden() && above->geometry().intersects(control->geometry());
        if (over && above->x() > control->x())
            room = std::min(room, above->x() - control->x());
    }
    return room;
}

const char* const kCaptions[] = {"lblPaginaRisultati", "lblPagine", "lblCaricatutti", "optTutti",
                                 "optSelezionati", "Label1", "Label2"}; // LE13 to LE19

} // namespace

TEST(ShippedLanguages, EachFileHoldsEveryKeyWithTheSpacingTheLayoutNeeds)
{
    QStringList folders = QDir(kSourceFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), shipped = shippedLanguages();
    EXPECT_EQ(shipped.first(), QStringLiteral("Italian")) << "the control's own language comes first";
    folders.sort(), shipped.sort();
    EXPECT_EQ(folders, shipped) << "every folder of languages/ is shipped, and nothing else";
    // The captions of the page bar's switches end in " »   " and the page tooltip and caption
    // in one blank; the control puts its own blanks around every other text.
    const auto ending = [](int number) -> QString {
        if (number == 13 || number == 15)
            return QStringLiteral(" \u00bb   ");
        return number == 10 || number == 14 ? QStringLiteral(" ") : QString();
    };
    for (const QString& language : shippedLanguages()) {
        SCOPED_TRACE(language.toStdString());
        EXPECT_EQ(sourceFile(language, "LangSetting.ini"), "[Language]\r\nCurrentLanguage=" + language.toUtf8() + "\r\n");
        std::map<QString, QString> strings = shippedStrings(language);
        EXPECT_EQ(strings.size(), std::size_t(kKeyCount));
        for (int number = 1; number <= kKeyCount; ++number) {
            const QString text = strings[key(number)], end = ending(number), words = text.chopped(end.size());
            EXPECT_TRUE(text.endsWith(end) && !words.isEmpty() && words == words.trimmed())
                << key(number).toStdString() << " '" << text.toStdString() << "'";
        }
    }
}

TEST(CambiaLingua, SetsTheCaptionsOfItsOwnInstanceWhileTheLanguageIsShared)
{
    QTemporaryDir first, second, empty;
    writeLanguage(first, "English");
    writeLanguage(second, "Italiano");
    Tessaro control, other;
    control.CambiaLingua(QDir::toNativeSeparators(first.path()) + QStringLiteral("\\"));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(caption(control, kCaptions[i]), QStringLiteral("English LE%1").arg(13 + i)) << kCaptions[i];
    // A file without the later keys (LE30 on) keeps their designed texts.
    EXPECT_EQ(control.findChild<QWidget*>(QStringLiteral("lblCaricatutti"))->toolTip(), "Carica tutti i record");
    other.CambiaLingua(second.path());
    EXPECT_EQ(GetLanguageString(QStringLiteral("LE01")), QStringLiteral("Italiano LE01"));
    EXPECT_EQ(caption(control, "Label2"), QStringLiteral("English LE19")) << "captions of other instances stay";
    // A folder without settings fails and changes no caption, but is taken all the same, and the
    // language name is kept.
    EXPECT_EQ(test::errorNumberOf([&] { control.CambiaLingua(empty.path()); }), Error::FileNotFound);
    EXPECT_EQ(QStringList({caption(control, "optTutti"), languageDirectory(), currentLanguage()}),
              QStringList({"English LE16", empty.path(), "Italiano"}));
    setLanguageDirectory(QString()), setCurrentLanguage(QString()); // the tests after this one start afresh
}

// A shown control whose host switches between the shipped languages.
struct ShippedLanguageSwitch : test::ShownControl {
    CacheScope cache;
    ShippedLanguageSwitch()
    {
        database.createNumbered(QStringLiteral("t"), 60);
        control.setIntestazioneVisibile(true);
        showAt(600, 250);
    }
};

// The texts of a menu that `open` brings up, without separators; Qt runs some menus at once.
QStringList menuTexts(const std::function<void()>& open)
{
    QStringList commands;
    QTimer::singleShot(0, [&commands] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            for (const QAction* action : menu->actions())
                commands << action->text().section(QLatin1Char('\t'), 0, 0);
            menu->close();
        }
    });
    open();
    QApplication::processEvents();
    commands.removeAll(QString());
    return commands;
}

TEST_F(ShippedLanguageSwitch, ShowsEachLanguagesCaptionsCountsAndMessagesAsItsFileSpellsThem)
{
    for (const QString& language : shippedLanguages()) {
        SCOPED_TRACE(language.toStdString());
        std::map<QString, QString> le = shippedStrings(language);
        control.CambiaLingua(languageFolder(language));
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(caption(control, kCaptions[i]), le[key(13 + i)]) << kCaptions[i];
        int number = 33;
        for (const char* tipped : {"pctEstendi", "pctNascondi", "imgPrimaPagina", "lblPag(0)", "imgSuccessiva",
                 "imgUltimaPagina", "lblCaricatutti", "lblPaginaRisultati"})
            EXPECT_EQ(child(tipped)->toolTip(), le[key(number++)]) << tipped;
        QSignalSpy columnChanges(child("cmbCercaIn"), SIGNAL(currentTextChanged(QString)));
        load(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id"), true, QStringLiteral("ShippedTest"));
        EXPECT_EQ(columnChanges.count(), 0) << "the reload keeps the chosen column all along";
        const int rows = control.ListView->ListItems().Count(), pageSize = control.PageSize();
        // The menu key on either text field: Qt's commands, in the language's words.
        for (QWidget* field : {child("txtRicerca"), child("cmbCercaIn")}) {
            QApplication::setActiveWindow(&control);
            field->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            if (QWidget* dropped = QApplication::activePopupWidget())
                dropped->close(); // the combo's list, open on focus
            ASSERT_TRUE(field->hasFocus());
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {});
            EXPECT_EQ(menuTexts([&] { QApplication::sendEvent(QApplication::focusWidget(), &menuKey); }),
                      QStringList({le["LE43"], le["LE44"], le["LE45"], le["LE32"], le["LE46"], le["LE47"], le["LE48"]}))
                << field->objectName().toStdString();
        }
        // A right click on either scroll bar of the list.
        for (const auto& [bar, first] : {std::pair{control.ListView->horizontalScrollBar(), 50},
                                         {control.ListView->verticalScrollBar(), 56}}) {
            QStringList expected{le["LE49"]};
            for (int number = first; number < first + 6; ++number)
                expected << le[key(number)];
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(1, 1), bar->mapToGlobal(QPoint(1, 1)));
            EXPECT_EQ(menuTexts([&] { QApplication::sendEvent(bar, &click); }), expected);
        }
        ASSERT_TRUE(pageSize > 0 && pageSize < 60) << "60 rows must take more than one page";
        EXPECT_EQ(caption(control, "lblNumRecord"), QStringLiteral("%1 60 %2 %3 %4 %5")
                      .arg(le["LE06"], le["LE07"], le["LE08"]).arg((60 + pageSize - 1) / pageSize).arg(le["LE09"]));
        EXPECT_EQ(child("cmbCercaIn")->property("ListIndex"), language == shippedLanguages().first() ? -1 : 0)
            << "the search column chosen before the switch and the reload stays chosen";
        // The names are text, which cannot be totalled: a warning titled LE02.
        ASSERT_TRUE(child("cmbCercaIn")->setProperty("ListIndex", 0));
        click("cmdSomma");
        EXPECT_EQ(takeMessages(), QStringList({QStringLiteral("%1\r\n%2 %3 %4").arg(le["LE04"], le["LE06"]).arg(rows)
                                                   .arg(le["LE07"]), "48", le["LE02"]}));
    }
}

// The boxes were sized for the Italian texts, and the English ones stay as they were first written:
// no other translation may need more than the room there is, or than those two need.
TEST_F(ShippedLanguageSwitch, EachCaptionFitsWhereTheLayoutPutsIt)
{
    if (QFontInfo(child("Label2")->font()).family() != QStringLiteral("Tahoma"))
        GTEST_SKIP() << "the boxes are measured for Tahoma, the face they were designed with";
    std::map<QString, std::map<QString, QString>> strings;
    for (const QString& language : shippedLanguages())
        strings[language] = shippedStrings(language);
    for (int i = 0; i < 7; ++i) {
        QWidget* control = child(kCaptions[i]);
        const QString number = key(13 + i);
        const int room = std::max({captionRoom(control), captionWidth(control, strings["Italian"][number]),
                                   captionWidth(control, strings["English"][number])});
        for (const QString& language : shippedLanguages())
            EXPECT_LE(captionWidth(control, strings[language][number]), room)
                << language.toStdString() << " " << kCaptions[i] << ": " << strings[language][number].toStdString();
    }
}

TEST(InstalledLanguageFolder, IsFoundFromTheLibrarysFolderInLibOrLibMultiarch)
{
    QTemporaryDir tree;
    const QString root = tree.path(), languages = root + "/usr/share/tessaro/languages/", german = languages + "German";
    ASSERT_TRUE(QDir().mkpath(german) && QDir().mkpath(languages + "French"));
    test::writeFile(german + "/LangSetting.ini", "[Language]\r\nCurrentLanguage=German\r\n");
    test::writeFile(german + "/German.lng", "[Strings]\r\n");
    // French lacks its strings, so its folder is no language folder.
    test::writeFile(languages + "French/LangSetting.ini", "[Language]\r\n");
    // A library reached through a link in a folder of its own belongs to the install it points into.
    ASSERT_TRUE(QDir().mkpath(root + "/usr/lib/x86_64-linux-gnu") && QDir().mkpath(root + "/links"));
    test::writeFile(root + "/usr/lib/x86_64-linux-gnu/libtessaro.so.0.1.0", "");
    ASSERT_TRUE(QFile::link(root + "/usr/lib/x86_64-linux-gnu/libtessaro.so.0.1.0", root + "/links/libtessaro.so.0"));
    const struct { const char *library, *language; bool found; } cases[] = {
        {"/usr/lib/libtessaro.so.0", "German", true}, {"/usr/lib/x86_64-linux-gnu/libtessaro.so.0", "German", true},
        {"/usr/bin/host-with-static-copy", "German", true}, {"/usr/lib/a/b/libtessaro.so.0", "German", false},
        {"/opt/lib/libtessaro.so.0", "German", false}, {"/usr/lib/libtessaro.so.0", "French", false},
        {"/usr/lib/libtessaro.so.0", "Spanish", false}, {"/links/libtessaro.so.0", "German", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QFileInfo(installedLanguageFolder(root + c.library, c.language)).canonicalFilePath(),
                  c.found ? QFileInfo(german).canonicalFilePath() : QString()) << c.library << " " << c.language;
    EXPECT_EQ(installedLanguageFolder(QString(), QStringLiteral("German")), QString());
}

TEST(LanguageFolder, WithoutAnInstalledFolderWritesTheCompiledInFilesOnceIntoTheUsersCache)
{
    CacheScope cache;
    ASSERT_EQ(installedLanguageFolder(loadedLibraryFile(), QStringLiteral("English")), QString())
        << "the tests run from the build tree";
    const QString root = QFileInfo(cache.root.path()).canonicalFilePath() + "/tessaro/languages/";
    for (const QString& language : shippedLanguages()) {
        const QString folder = languageFolder(language);
        EXPECT_TRUE(QFileInfo(folder).canonicalFilePath().startsWith(root) && folder.endsWith('/' + language))
            << folder.toStdString();
        EXPECT_TRUE(holdsSourceFiles(folder, language)) << language.toStdString();
        // Asked again, the library takes what it wrote, leaving the folder as it is.
        test::writeFile(folder + "/mark", "");
        EXPECT_EQ(languageFolder(language), folder);
        EXPECT_TRUE(QFileInfo::exists(folder + "/mark")) << language.toStdString();
    }
    for (const char* name : {"", "Klingon", "english", "English/", "../English", "LangSetting"})
        EXPECT_EQ(languageFolder(QString::fromLatin1(name)), QString()) << name;
}

TEST(LanguageFolder, ADamagedCopyInTheCacheIsWrittenAgain)
{
    CacheScope cache;
    const QString folder = languageFolder(QStringLiteral("German"));
    ASSERT_FALSE(folder.isEmpty());
    const std::pair<const char*, std::function<void()>> damages[] = {
        {"a cut strings file", [&] { QFile(folder + "/German.lng").resize(40); }},
        {"a byte changed in place",
            [&] { test::writeFile(folder + "/German.lng", "X" + sourceFile("German", "German.lng").mid(1)); }},
        {"an edited settings file", [&] { test::writeFile(folder + "/LangSetting.ini", "[Language]\n"); }},
        {"a missing file", [&] { QFile::remove(folder + "/German.lng"); }},
        {"an empty folder", [&] { QDir(folder).removeRecursively(), QDir().mkpath(folder); }},
        {"a file in its place", [&] { QDir(folder).removeRecursively(), test::writeFile(folder, "x"); }},
    };
    for (const auto& [what, damage] : damages) {
        damage();
        EXPECT_EQ(languageFolder(QStringLiteral("German")), folder) << what;
        EXPECT_TRUE(holdsSourceFiles(folder, QStringLiteral("German"))) << what;
        EXPECT_EQ(QDir(folder + "/..").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList({"German"})) << what << ": nothing is left beside it";
    }
}

TEST(LanguageFolder, AnUnwritableCacheGivesNoFolder)
{
    CacheScope blocked;
    test::writeFile(blocked.root.filePath("tessaro"), "a file where the cache's folder would be");
    EXPECT_EQ(languageFolder(QStringLiteral("Spanish")), QString());
}

TEST(LanguageFolder, ThreadsExtractingAtOnceAllGetTheSameWholeFolder)
{
    CacheScope cache;
    constexpr int kThreads = 8, kRounds = 100;
    QStringList shipped = shippedLanguages();
    shipped.sort();
    // Each round after the first starts from a damaged copy, which every thread finds and all
    // try to replace at once: none may be handed a folder another thread has just moved away.
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        for (const QString& language : shipped)
            if (round > 0)
                QFile(languageFolder(language) + '/' + language + ".lng").resize(40);
        std::vector<QStringList> answers(kThreads);
        std::vector<int> whole(kThreads, 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&answers, &whole, &shipped, t] {
                for (const QString& language : shipped) {
                    answers[t].append(languageFolder(language));
                    // Checked at once, while the others may still be replacing the damaged copy.
                    whole[t] += holdsSourceFiles(answers[t].back(), language) ? 1 : 0;
                }
            });
        for (std::thread& thread : threads)
            thread.join();
        for (int t = 0; t < kThreads; ++t)
            EXPECT_TRUE(answers[t] == answers[0] && whole[t] == shipped.size()) << "thread " << t;
        QStringList left = QDir(answers[0][0] + "/..").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.sort();
        EXPECT_EQ(left, shipped) << "the copies that lost the race are removed";
    }
}

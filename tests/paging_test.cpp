#include "support/TestHelpers.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

using tessaro::test::writeFile;

// What the page bar shows, read back from its child controls.
struct Bar {
    QStringList numbers;     // captions of the visible lblPag(1..6), left to right, "-" when hidden
    int bold = 0;            // index of the bold page label, 0 for none
    bool previous = false;   // imgPrecedente and imgPrimaPagina
    bool next = false;       // imgSuccessiva and imgUltimaPagina
    bool pagine = false;     // lblPagine
    bool loadAll = false;    // lblCaricatutti
    bool backToPages = false; // lblPaginaRisultati
    QString count;           // lblNumRecord
};

// A paged control over a 5000-row table with known language strings, shown at 8340 twips wide
// so its page frame is 8340 twips wide too.
struct Paging : ::testing::Test {
    QTemporaryDir folder;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;
    Tessaro control;
    int rowsPerPage = 0;

    Paging()
    {
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        writeFile(folder.filePath("LangSetting.ini"), "[Language]\nCurrentLanguage=T\n");
        writeFile(folder.filePath("T.lng"), "[Strings]\nLE06=\"There are\"\nLE07=\"records\"\nLE08=\"in\"\n"
                                            "LE09=\"pages\"\nLE10=\"Page\"\nLE11=\"No records\"\nLE12=\"One record\"\n");
        control.CambiaLingua(folder.path());
        database.createNumbered(QStringLiteral("t"), 5000);
        control.setObjectName(QStringLiteral("paged"));
        control.setDBConnection(database.db());
        control.resize(8340 / 15, 3765 / 15);
        control.show();
        load(1000);
        rowsPerPage = control.PageSize();
    }

    // Shows the first `records` rows, paged, from page 1.
    void load(int records)
    {
        control.setQuery(QStringLiteral("SELECT id, name FROM t ORDER BY id LIMIT %1").arg(records));
        control.setPaged(true);
        control.setAbsolutePage(1);
        control.Init_class(QStringLiteral("PagingTest"), true);
        control.PopulateList();
        ASSERT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    }

    QWidget* child(const QString& name) const { return control.findChild<QWidget*>(name); }
    QWidget* pag(int i) const { return child(QStringLiteral("lblPag(%1)").arg(i)); }
    bool shown(const char* name) const { return !child(QString::fromLatin1(name))->isHidden(); }
    double left(const QString& name) const { return child(name)->property("Left").toDouble(); }

    Bar bar() const
    {
        Bar b;
        for (int i = 1; i <= 6; ++i) {
            b.numbers << (pag(i)->isHidden() ? QStringLiteral("-") : pag(i)->property("Caption").toString());
            if (pag(i)->property("FontBold").toBool()) {
                EXPECT_EQ(b.bold, 0) << "only one page label is bold";
                EXPECT_DOUBLE_EQ(pag(i)->property("FontSize").toDouble(), 9);
                b.bold = i;
            }
        }
        b.previous = shown("imgPrecedente");
        EXPECT_EQ(shown("imgPrimaPagina"), b.previous);
        b.next = shown("imgSuccessiva");
        EXPECT_EQ(shown("imgUltimaPagina"), b.next);
        b.pagine = shown("lblPagine");
        b.loadAll = shown("lblCaricatutti");
        b.backToPages = shown("lblPaginaRisultati");
        b.count = child("lblNumRecord")->property("Caption").toString();
        return b;
    }
};

void expectBar(const Bar& actual, const Bar& expected)
{
    EXPECT_EQ(actual.numbers, expected.numbers);
    EXPECT_EQ(actual.bold, expected.bold);
    EXPECT_EQ(actual.previous, expected.previous);
    EXPECT_EQ(actual.next, expected.next);
    EXPECT_EQ(actual.pagine, expected.pagine);
    EXPECT_EQ(actual.loadAll, expected.loadAll);
    EXPECT_EQ(actual.backToPages, expected.backToPages);
    EXPECT_EQ(actual.count, expected.count);
}

QStringList run(std::initializer_list<const char*> captions)
{
    QStringList list;
    for (const char* c : captions)
        list << QString::fromLatin1(c);
    return list;
}

} // namespace

TEST_F(Paging, TheBarShowsCountsNumbersAndArrowsForEachPosition)
{
    ASSERT_GT(rowsPerPage, 1);
    const int p = rowsPerPage;
    const QString pages20 = QStringLiteral("There are %1 records in 20 pages").arg(20 * p);
    struct Case {
        const char* what;
        int records;
        std::function<void(Tessaro&)> move;
        Bar expected;
    };
    const Case cases[] = {
        {"no records", 0, [](Tessaro&) {}, {run({"-", "-", "-", "-", "-", "-"}), 0, false, false, false, false, false, "No records"}},
        {"one record", 1, [](Tessaro&) {}, {run({"-", "-", "-", "-", "-", "-"}), 0, false, false, false, false, false, "One record"}},
        {"one page", p, [](Tessaro&) {},
         {run({"-", "-", "-", "-", "-", "-"}), 0, false, false, false, false, false, QStringLiteral("There are %1 records").arg(p)}},
        {"4 pages at 1", 4 * p, [](Tessaro&) {},
         {run({"1", "2", "3", "4", "-", "-"}), 1, false, false, true, true, false,
          QStringLiteral("There are %1 records in 4 pages").arg(4 * p)}},
        {"4 pages at 4", 4 * p, [](Tessaro& c) { c.MoveToLastPage(); },
         {run({"4", "-", "-", "-", "-", "-"}), 1, true, false, false, true, false,
          QStringLiteral("There are %1 records in 4 pages").arg(4 * p)}},
        {"20 pages at 7", 20 * p, [](Tessaro& c) { c.GoToPage(7); },
         {run({"7", "8", "9", "10", "11", "12"}), 1, true, true, false, true, false, pages20}},
        {"20 pages at 17", 20 * p, [](Tessaro& c) { c.GoToPage(17); },
         {run({"15", "16", "17", "18", "19", "20"}), 3, true, false, false, true, false, pages20}},
        {"backwards to 2", 20 * p, [](Tessaro& c) { c.GoToPage(3); c.MoveToPreviousPage(); },
         {run({"-", "-", "-", "-", "1", "2"}), 6, false, true, true, true, false, pages20}},
        {"backwards to 7", 20 * p, [](Tessaro& c) { c.GoToPage(8); c.MoveToPreviousPage(); },
         {run({"2", "3", "4", "5", "6", "7"}), 6, true, true, false, true, false, pages20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        load(c.records);
        c.move(control);
        expectBar(bar(), c.expected);
    }
    // Tooltips: no blank after a forward layout, one blank after a backward one.
    EXPECT_EQ(pag(6)->toolTip(), QStringLiteral("Page 7"));
    control.GoToPage(7);
    EXPECT_EQ(pag(1)->toolTip(), QStringLiteral("Page7"));
}

TEST_F(Paging, LabelsAreAsWideAsTheCurrentPageNumberAndCentredInTheFrame)
{
    load(100 * rowsPerPage);
    // Every label: 60 twips per digit of the current page plus 300.
    for (const auto& [page, width] : {std::pair{9, 360.0}, {10, 420.0}, {100, 480.0}}) {
        SCOPED_TRACE(page);
        control.GoToPage(page);
        for (int i = 0; i <= 7; ++i)
            EXPECT_DOUBLE_EQ(pag(i)->property("Width").toDouble(), width);
    }

    control.GoToPage(5);
    ASSERT_DOUBLE_EQ(child("fraPaginazione")->property("Width").toDouble(), 8340);
    // lblPag(3) centred: (8340 - 360) / 2; the others follow from the widths, gaps 80 and 150
    // and the designed image widths 150 and 240.
    const std::pair<const char*, double> places[] = {
        {"lblPag(3)", 3990}, {"lblPag(2)", 3630},     {"lblPag(1)", 3270},       {"imgPrecedente", 3040},
        {"imgPrimaPagina", 2650}, {"lblPag(4)", 4350}, {"lblPag(5)", 4710},      {"lblPag(6)", 5070},
        {"imgSuccessiva", 5510},  {"imgUltimaPagina", 5810}, {"lblCaricatutti", 8340 - 1140}, {"lblNumRecord", 10},
    };
    for (const auto& [name, expected] : places) {
        SCOPED_TRACE(name);
        EXPECT_DOUBLE_EQ(left(QString::fromLatin1(name)), expected);
    }
}

TEST_F(Paging, MovesStepFromTheNumbersTheBarShowsAndRaiseOneEventEach)
{
    load(20 * rowsPerPage);
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    struct Step {
        const char* what;
        std::function<void()> move;
        int page;
        const char* firstShown; // lblPag(1), or "-" when hidden
    };
    const Step steps[] = {
        {"next from 1-6", [&] { control.MoveToNextPage(); }, 7, "7"},
        {"to 13", [&] { control.GoToPage(13); }, 13, "13"},
        {"next from 13-18", [&] { control.MoveToNextPage(); }, 19, "15"},
        {"next at the end", [&] { control.MoveToNextPage(); }, 20, "15"},
        {"to 15", [&] { control.GoToPage(15); }, 15, "15"},
        {"previous from 15-20", [&] { control.MoveToPreviousPage(); }, 14, "9"},
        {"first", [&] { control.MoveToFirstPage(); }, 1, "1"},
        {"previous from 1", [&] { control.MoveToPreviousPage(); }, 1, "-"},
        {"to 0", [&] { control.GoToPage(0); }, 1, "1"},
        {"to -3", [&] { control.GoToPage(-3); }, 1, "1"},
        {"beyond the last", [&] { control.GoToPage(999); }, 20, "15"},
        {"last", [&] { control.MoveToLastPage(); }, 20, "15"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        populated.clear();
        step.move();
        EXPECT_EQ(control.AbsolutePage(), step.page);
        EXPECT_EQ(populated.count(), 1);
        EXPECT_EQ(bar().numbers.first(), QString::fromLatin1(step.firstShown));
        EXPECT_EQ(control.ListView->ListItems().Item(1)->Tag().toInt(), (step.page - 1) * rowsPerPage + 1);
        EXPECT_EQ(control.MousePointer(), 0);
    }
    EXPECT_TRUE(boxes.messages().empty());
    EXPECT_TRUE(control.Paged()) << "moves never change the view";
}

TEST_F(Paging, ClickingAPageNumberLoadsItAndOnlyMovesTheHighlight)
{
    load(20 * rowsPerPage);
    control.GoToPage(7);
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    QTest::mouseClick(pag(3), Qt::LeftButton);
    EXPECT_EQ(control.AbsolutePage(), 9);
    EXPECT_EQ(populated.count(), 1);
    const Bar after = bar();
    EXPECT_EQ(after.numbers, run({"7", "8", "9", "10", "11", "12"}));
    EXPECT_EQ(after.bold, 3);
    for (int i : {0, 7})
        EXPECT_DOUBLE_EQ(pag(i)->property("FontSize").toDouble(), 8);

    QTest::mouseClick(child("imgSuccessiva"), Qt::LeftButton); // steps from the bar's first number
    EXPECT_EQ(control.AbsolutePage(), 13);
    QTest::mouseClick(child("imgPrimaPagina"), Qt::LeftButton);
    EXPECT_EQ(control.AbsolutePage(), 1);
}

TEST_F(Paging, LoadAllAndBackToPagesSwitchTheView)
{
    const int records = 25 * rowsPerPage;
    load(records);
    control.GoToPage(7);
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    QTest::mouseClick(child("lblCaricatutti"), Qt::LeftButton);
    EXPECT_FALSE(control.Paged());
    EXPECT_EQ(control.ListView->ListItems().Count(), records);
    EXPECT_EQ(control.PageSize(), records);
    EXPECT_EQ(control.AbsolutePage(), 1);
    EXPECT_EQ(populated.count(), 1);
    expectBar(bar(), {run({"-", "-", "-", "-", "-", "-"}), 0, false, false, false, false, true,
                      QStringLiteral("There are %1 records").arg(records)});
    EXPECT_DOUBLE_EQ(left("lblPaginaRisultati"), 8340 - 1500);

    QTest::mouseClick(child("lblPaginaRisultati"), Qt::LeftButton);
    EXPECT_TRUE(control.Paged());
    EXPECT_EQ(control.AbsolutePage(), 1);
    EXPECT_EQ(control.ListView->ListItems().Count(), rowsPerPage);
    expectBar(bar(), {run({"1", "2", "3", "4", "5", "6"}), 1, false, true, true, true, false,
                      QStringLiteral("There are %1 records in 25 pages").arg(records)});
    EXPECT_EQ(child("lblCaricatutti")->property("MousePointer").toInt(), 99);
    EXPECT_EQ(control.MousePointer(), 0);
}

TEST_F(Paging, LoadAllOfFewOrNoRecordsShowsTheCountAlone)
{
    load(rowsPerPage - 1);
    QTest::mouseClick(child("lblCaricatutti"), Qt::LeftButton);
    expectBar(bar(), {run({"-", "-", "-", "-", "-", "-"}), 0, false, false, false, false, false,
                      QStringLiteral("There are %1 records").arg(rowsPerPage - 1)});

    // A remembered unpaged view wins over the host's choice; the populate then loads all rows.
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "PagingTest").setValue("paged/Paged", "False");
    load(0);
    EXPECT_FALSE(control.Paged());
    EXPECT_EQ(control.PageSize(), 0);
    EXPECT_EQ(control.ListView->ListItems().Count(), 0);
    EXPECT_EQ(bar().count, QStringLiteral("No records"));
    EXPECT_TRUE(boxes.messages().empty());
}

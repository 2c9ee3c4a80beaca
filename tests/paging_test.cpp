#include "paging/PageWindow.h"
#include "support/ShownControl.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace tessaro;

namespace {

// A paged control over a 5000-row table with known language strings, shown at 8340 twips wide
// so its page frame is 8340 twips wide too.
struct Paging : test::ShownControl {
    int rowsPerPage = 0;

    Paging()
    {
        useLanguage("LE06=\"There are\"\nLE07=\"records\"\nLE08=\"in\"\nLE09=\"pages\"\nLE10=\"Page\"\n"
                    "LE11=\"No records\"\nLE12=\"One record\"\n");
        database.createNumbered(QStringLiteral("t"), 5000);
        control.setObjectName(QStringLiteral("paged"));
        showAt(8340 / 15, 3765 / 15);
        load(1000);
        rowsPerPage = control.PageSize();
    }

    // Shows the first `records` rows, paged, from page 1.
    void load(int records)
    {
        control.setAbsolutePage(1);
        ShownControl::load(QStringLiteral("SELECT id, name FROM t ORDER BY id LIMIT %1").arg(records), true,
                           QStringLiteral("PagingTest"));
    }

    QWidget* pag(int i) const { return child(QStringLiteral("lblPag(%1)").arg(i)); }
    double left(const QString& name) const { return child(name)->property("Left").toDouble(); }

    // The page bar as one line: its numbers, "|", the other parts shown (the arrows as "<<", "<",
    // ">", ">>"), "|" and the record count. Every label's font is checked on the way.
    std::string bar() const
    {
        for (int i = 0; i <= 7; ++i) {
            const bool bold = pag(i)->property("FontBold").toBool();
            EXPECT_DOUBLE_EQ(pag(i)->property("FontSize").toDouble(), bold ? 9 : 8) << "label " << i;
        }
        QStringList parts{QString::fromStdString(pageNumbers()), "|"};
        const std::pair<const char*, const char*> others[] = {{"imgPrimaPagina", "<<"}, {"imgPrecedente", "<"},
            {"imgSuccessiva", ">"}, {"imgUltimaPagina", ">>"}, {"lblPagine", "lblPagine"},
            {"lblCaricatutti", "lblCaricatutti"}, {"lblPaginaRisultati", "lblPaginaRisultati"}};
        for (const auto& [name, word] : others)
            parts << (child(name)->isHidden() ? "" : word);
        parts.removeAll(QString());
        parts << "|" << child("lblNumRecord")->property("Caption").toString();
        return parts.join(' ').toStdString();
    }
};

TEST_F(Paging, TheBarShowsWhatEachPositionCallsFor)
{
    ASSERT_GT(rowsPerPage, 1);
    const int p = rowsPerPage;
    const QString in20 = QStringLiteral("| There are %1 records in 20 pages").arg(20 * p),
                  in4 = QStringLiteral("| There are %1 records in 4 pages").arg(4 * p);
    const auto stay = [](Tessaro&) {};
    const struct { const char* what; int records; std::function<void(Tessaro&)> move; QString expected;
    } cases[] = {
        {"no records", 0, stay, "- - - - - - | | No records"},
        {"one record", 1, stay, "- - - - - - | | One record"},
        {"one page", p, stay, QStringLiteral("- - - - - - | | There are %1 records").arg(p)},
        {"4 pages at 1", 4 * p, stay, "[1] 2 3 4 - - | lblPagine lblCaricatutti " + in4},
        {"4 pages at 4", 4 * p, [](Tessaro& c) { c.MoveToLastPage(); }, "[4] - - - - - | << < lblCaricatutti " + in4},
        {"20 pages at 17", 20 * p, [](Tessaro& c) { c.GoToPage(17); },
            "15 16 [17] 18 19 20 | << < lblCaricatutti " + in20},
        {"backwards to 2", 20 * p,
            [](Tessaro& c) {
                c.GoToPage(3);
                c.MoveToPreviousPage();
            },
            "- - - - 1 [2] | > >> lblPagine lblCaricatutti " + in20},
        {"backwards to 7", 20 * p,
            [](Tessaro& c) {
                c.GoToPage(8);
                c.MoveToPreviousPage();
            },
            "2 3 4 5 6 [7] | << < > >> lblCaricatutti " + in20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        load(c.records);
        c.move(control);
        EXPECT_EQ(bar(), c.expected.toStdString());
    }
    // Tooltips: no blank after a forward layout, one blank after a backward one.
    EXPECT_EQ(pag(6)->toolTip(), QStringLiteral("Page 7"));
    control.GoToPage(7);
    EXPECT_EQ(pag(1)->toolTip(), QStringLiteral("Page7"));
}

TEST_F(Paging, LabelsTakeTheCurrentPageNumbersWidthCentredInTheFrame)
{
    load(100 * rowsPerPage);
    // Every label: 60 twips per digit of the current page plus 300.
    for (const auto& [page, width] : {std::pair{9, 360.0}, {10, 420.0}, {100, 480.0}}) {
        control.GoToPage(page);
        for (int i = 0; i <= 7; ++i)
            EXPECT_DOUBLE_EQ(pag(i)->property("Width").toDouble(), width) << "page " << page << ", label " << i;
    }

    control.GoToPage(5);
    ASSERT_DOUBLE_EQ(child("fraPaginazione")->property("Width").toDouble(), 8340);
    // lblPag(3) centred: (8340 - 360) / 2; the others follow from the widths, gaps 80 and 150
    // and the designed image widths 150 and 240.
    const std::pair<const char*, double> places[]
        = {{"lblPag(3)", 3990}, {"lblPag(2)", 3630}, {"lblPag(1)", 3270}, {"imgPrecedente", 3040},
            {"imgPrimaPagina", 2650}, {"lblPag(4)", 4350}, {"lblPag(5)", 4710}, {"lblPag(6)", 5070},
            {"imgSuccessiva", 5510}, {"imgUltimaPagina", 5810}, {"lblCaricatutti", 8340 - 1140}, {"lblNumRecord", 10}};
    for (const auto& [name, expected] : places)
        EXPECT_DOUBLE_EQ(left(QString::fromLatin1(name)), expected) << name;
}

TEST_F(Paging, EachMoveStepsFromTheNumbersTheBarShowsRaisingOneEvent)
{
    load(20 * rowsPerPage);
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    const auto go = [&](int page) { return [&, page] { control.GoToPage(page); }; };
    const auto next = [&] { control.MoveToNextPage(); };
    const auto previous = [&] { control.MoveToPreviousPage(); };
    // Each step: the page reached and the bar up to its first "|".
    const struct { const char* what; std::function<void()> move; int page; const char* numbers;
    } steps[] = {
        {"next from 1-6", next, 7, "[7] 8 9 10 11 12"},
        {"to 13", go(13), 13, "[13] 14 15 16 17 18"},
        {"next from 13-18", next, 19, "15 16 17 18 [19] 20"},
        {"next at the end", next, 20, "15 16 17 18 19 [20]"},
        {"to 15", go(15), 15, "[15] 16 17 18 19 20"},
        {"previous from 15-20", previous, 14, "9 10 11 12 13 [14]"},
        {"first", [&] { control.MoveToFirstPage(); }, 1, "[1] 2 3 4 5 6"},
        {"previous from 1", previous, 1, "- - - - - [1]"},
        {"to 0", go(0), 1, "[1] 2 3 4 5 6"},
        {"to -3", go(-3), 1, "[1] 2 3 4 5 6"},
        {"beyond the last", go(999), 20, "15 16 17 18 19 [20]"},
        {"last", [&] { control.MoveToLastPage(); }, 20, "15 16 17 18 19 [20]"},
        {"to 7", go(7), 7, "[7] 8 9 10 11 12"},
        // A clicked number only moves the highlight; the arrows step from the bar's first number.
        {"click on lblPag(3)", [&] { click("lblPag(3)"); }, 9, "7 8 [9] 10 11 12"},
        {"click on imgSuccessiva", [&] { click("imgSuccessiva"); }, 13, "[13] 14 15 16 17 18"},
        {"click on imgPrimaPagina", [&] { click("imgPrimaPagina"); }, 1, "[1] 2 3 4 5 6"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        populated.clear();
        step.move();
        // page, events raised, the bar's numbers, the first row's id, the mouse pointer
        EXPECT_EQ(std::make_tuple(control.AbsolutePage(), populated.count(), bar().substr(0, bar().find(" |")),
                      control.ListView->ListItems().Item(1)->Tag().toInt(), control.MousePointer()),
            std::make_tuple(step.page, 1, std::string(step.numbers), (step.page - 1) * rowsPerPage + 1, 0));
    }
    EXPECT_TRUE(boxes.messages().empty() && control.Paged()) << "no message, and moves never change the view";
}

TEST_F(Paging, TheViewFollowsItsSwitchesUnlessARememberedViewWins)
{
    const int records = 25 * rowsPerPage;
    // Paged, rows shown, PageSize, AbsolutePage.
    const auto state = [&] {
        return std::make_tuple(
            control.Paged(), control.ListView->ListItems().Count(), control.PageSize(), control.AbsolutePage());
    };
    load(records);
    control.GoToPage(7);
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    click("lblCaricatutti");
    EXPECT_EQ(state(), std::make_tuple(false, records, records, 1));
    EXPECT_EQ(populated.count(), 1);
    EXPECT_EQ(
        bar(), QStringLiteral("- - - - - - | lblPaginaRisultati | There are %1 records").arg(records).toStdString());
    EXPECT_DOUBLE_EQ(left("lblPaginaRisultati"), 8340 - 1500);

    click("lblPaginaRisultati");
    EXPECT_EQ(state(), std::make_tuple(true, rowsPerPage, rowsPerPage, 1));
    EXPECT_EQ(bar(),
        QStringLiteral("[1] 2 3 4 5 6 | > >> lblPagine lblCaricatutti | There are %1 records in 25 pages")
            .arg(records)
            .toStdString());
    EXPECT_EQ(std::make_pair(child("lblCaricatutti")->property("MousePointer").toInt(), control.MousePointer()),
        std::make_pair(99, 0));

    // Fewer rows than a page: the count alone.
    load(rowsPerPage - 1);
    click("lblCaricatutti");
    EXPECT_EQ(bar(), QStringLiteral("- - - - - - | | There are %1 records").arg(rowsPerPage - 1).toStdString());

    // A remembered unpaged view wins over the host's choice; the populate then loads all rows.
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "PagingTest").setValue("paged/Paged", "False");
    load(0);
    EXPECT_EQ(state(), std::make_tuple(false, 0, 0, 1));
    EXPECT_EQ(bar(), "- - - - - - | | No records");
    EXPECT_TRUE(boxes.messages().empty());
}

} // namespace

// The run of numbers each layout gives, reasoned from the bar's rules: forwards a run starting at
// the current page unless fewer than six follow it (then the last six), backwards a run ending at
// it; the previous arrows from page 2 forwards and past page 6 backwards, the next arrows while
// the last number shown is before the last page; the arrows step from lblPag(1)'s number.
TEST(PageWindow, EachLayoutShowsItsRunAndArrows)
{
    using paging::PageWindow;
    struct Case {
        bool backwards;
        int current, count;
        PageWindow expected; // current, count, firstLabel, firstPage, shown, fromRight, previous, next
        int first, sixth;    // the numbers lblPag(1) and lblPag(6) show, 0: none
    };
    const Case cases[] = {
        {false, 1, 1, {1, 1, 1, 0, 0, false, false, false}, 0, 0},
        {false, 1, 10, {1, 10, 1, 1, 6, false, false, true}, 1, 6},
        {false, 2, 4, {2, 4, 1, 2, 3, false, true, false}, 2, 0},
        {false, 5, 10, {5, 10, 1, 5, 6, false, true, false}, 5, 10},
        {false, 4, 10, {4, 10, 1, 4, 6, false, true, true}, 4, 9},
        {false, 7, 10, {7, 10, 1, 5, 6, true, true, false}, 5, 10},
        {true, 1, 10, {1, 10, 6, 1, 1, true, false, true}, 0, 1},
        {true, 6, 10, {6, 10, 1, 1, 6, true, false, true}, 1, 6},
        {true, 8, 10, {8, 10, 1, 3, 6, true, true, true}, 3, 8},
        {true, 10, 10, {10, 10, 1, 5, 6, true, true, false}, 5, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.backwards ? "backwards" : "forwards") << " page " << c.current << " of "
                                        << c.count);
        const PageWindow window = c.backwards ? paging::backwardWindow(c.current, c.count)
                                              : paging::forwardWindow(c.current, c.count);
        EXPECT_TRUE(window == c.expected);
        EXPECT_EQ(window.firstShownPage().value_or(0), c.first);
        EXPECT_EQ(window.pageAt(1), c.first);
        EXPECT_EQ(window.pageAt(paging::kShownPages), c.sixth);
    }
}

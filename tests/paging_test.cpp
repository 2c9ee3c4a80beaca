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
    // Runs moves separated by blanks: "n" next, "p" previous, "f" first, "l" last, "g<page>"
    // GoToPage, "c<name>" a click on that child.
    void move(const QString& script)
    {
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            const char what = step[0].toLatin1();
            what == 'n' ? control.MoveToNextPage() : what == 'p' ? control.MoveToPreviousPage()
            : what == 'f' ? control.MoveToFirstPage() : what == 'l' ? control.MoveToLastPage()
            : what == 'g' ? control.GoToPage(step.mid(1).toInt()) : click(step.mid(1));
        }
    }

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

// The bar for each count of records, page and view: load all shows every row with the switch back.
TEST_F(Paging, TheBarShowsWhatEachPositionCallsFor)
{
    ASSERT_GT(rowsPerPage, 1);
    const int p = rowsPerPage;
    const auto counted = [](int records, int pages) {
        return QStringLiteral("| There are %1 records%2").arg(records).arg(pages ? QStringLiteral(" in %1 pages").arg(pages) : "");
    };
    // Records loaded (-1: no reload), then the moves.
    const struct { const char* what; int records; const char* moves; QString expected; } cases[] = {
        {"no records", 0, "", "- - - - - - | | No records"},
        {"one record", 1, "", "- - - - - - | | One record"},
        {"one page", p, "", "- - - - - - | " + counted(p, 0)},
        {"4 pages at 1", 4 * p, "", "[1] 2 3 4 - - | lblPagine lblCaricatutti " + counted(4 * p, 4)},
        {"4 pages at 4", 4 * p, "l", "[4] - - - - - | << < lblCaricatutti " + counted(4 * p, 4)},
        {"20 pages at 17", 20 * p, "g17", "15 16 [17] 18 19 20 | << < lblCaricatutti " + counted(20 * p, 20)},
        {"backwards to 2", 20 * p, "g3 p", "- - - - 1 [2] | > >> lblPagine lblCaricatutti " + counted(20 * p, 20)},
        {"backwards to 7", 20 * p, "g8 p", "2 3 4 5 6 [7] | << < > >> lblCaricatutti " + counted(20 * p, 20)},
        {"all rows, from page 7", 25 * p, "g7 clblCaricatutti", "- - - - - - | lblPaginaRisultati " + counted(25 * p, 0)},
        {"divided into pages again", -1, "clblPaginaRisultati",
         "[1] 2 3 4 5 6 | > >> lblPagine lblCaricatutti " + counted(25 * p, 25)},
        {"all rows, fewer than a page", p - 1, "clblCaricatutti", "- - - - - - | " + counted(p - 1, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.records >= 0)
            load(c.records);
        move(QString::fromLatin1(c.moves));
        EXPECT_EQ(bar(), c.expected.toStdString());
    }
    // Tooltips: no blank after a forward layout, one blank after a backward one.
    load(20 * p);
    move("g8 p");
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
    // Each step: the page reached and the bar's numbers. A clicked number only moves the
    // highlight; the arrows step from the bar's first number.
    const struct { const char* moves; int page; const char* numbers; } steps[] = {
        {"n", 7, "[7] 8 9 10 11 12"}, {"g13", 13, "[13] 14 15 16 17 18"}, {"n", 19, "15 16 17 18 [19] 20"},
        {"n", 20, "15 16 17 18 19 [20]"}, {"g15", 15, "[15] 16 17 18 19 20"}, {"p", 14, "9 10 11 12 13 [14]"},
        {"f", 1, "[1] 2 3 4 5 6"}, {"p", 1, "- - - - - [1]"}, {"g0", 1, "[1] 2 3 4 5 6"}, {"g-3", 1, "[1] 2 3 4 5 6"},
        {"g999", 20, "15 16 17 18 19 [20]"}, {"l", 20, "15 16 17 18 19 [20]"}, {"g7", 7, "[7] 8 9 10 11 12"},
        {"clblPag(3)", 9, "7 8 [9] 10 11 12"}, {"cimgSuccessiva", 13, "[13] 14 15 16 17 18"},
        {"cimgPrimaPagina", 1, "[1] 2 3 4 5 6"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.moves);
        populated.clear();
        move(QString::fromLatin1(step.moves));
        // page, events raised, the bar's numbers, the first row's id, the mouse pointer
        EXPECT_EQ(std::make_tuple(control.AbsolutePage(), populated.count(), pageNumbers(),
                                  control.ListView->ListItems().Item(1)->Tag().toInt(), control.MousePointer()),
                  std::make_tuple(step.page, 1, std::string(step.numbers), (step.page - 1) * rowsPerPage + 1, 0));
    }
    EXPECT_TRUE(boxes.messages().empty() && control.Paged()) << "no message, and moves never change the view";
}

TEST_F(Paging, TheViewFollowsItsSwitchesUnlessARememberedViewWins)
{
    const int records = 25 * rowsPerPage;
    // Paged, rows shown, PageSize, AbsolutePage, events since the last look.
    QSignalSpy populated(&control, &Tessaro::PopulatedList);
    const auto state = [&] {
        const QList<int> now{control.Paged(), control.ListView->ListItems().Count(), control.PageSize(),
                             control.AbsolutePage(), int(populated.count())};
        populated.clear();
        return now;
    };
    load(records);
    control.GoToPage(7);
    state();
    click("lblCaricatutti");
    EXPECT_EQ(state(), (QList<int>{false, records, records, 1, 1}));
    EXPECT_DOUBLE_EQ(left("lblPaginaRisultati"), 8340 - 1500);
    click("lblPaginaRisultati");
    EXPECT_EQ(state(), (QList<int>{true, rowsPerPage, rowsPerPage, 1, 1}));
    EXPECT_EQ(std::make_pair(child("lblCaricatutti")->property("MousePointer").toInt(), control.MousePointer()),
              std::make_pair(99, 0));

    // A remembered unpaged view wins over the host's choice; the populate then loads all rows.
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", "PagingTest").setValue("paged/Paged", "False");
    load(0);
    EXPECT_EQ(state(), (QList<int>{false, 0, 0, 1, 1}));
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

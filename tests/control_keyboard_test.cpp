// The control from the keyboard, as a user drives it: shown and active, the focus inside it, every
// key sent to the widget that has the focus.
#include "support/FormatCases.h"
#include "support/MessageBoxRecorder.h"
#include "support/ShownControl.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace tessaro;

namespace {

// Sends one key to whatever has the focus, as the keyboard does.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, static_cast<Qt::Key>(key), modifiers);
}

QString focusedName()
{
    const QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QStringLiteral("(none)");
}

// A paged list of 20 pages and a log of the host's events.
struct Keys : test::ShownControl {
    int rowsPerPage = 0;
    QStringList events;

    Keys()
    {
        database.createNumbered(QStringLiteral("t"), 5000);
        showAt(600, 300);
        control.setAbsolutePage(1);
        init(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id LIMIT 1"), true, QStringLiteral("KeysTest"));
        populate();
        rowsPerPage = control.PageSize();
        load(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id LIMIT %1").arg(20 * rowsPerPage), true,
             QStringLiteral("KeysTest"));
        QObject::connect(&control, &Tessaro::PopulatedList,
                         [this] { events << QStringLiteral("PopulatedList %1").arg(control.AbsolutePage()); });
        QObject::connect(&control, &Tessaro::ClickListItem,
                         [this](ListItem* item) { events << "ClickListItem " + item->Tag().toString(); });
        QObject::connect(&control, &Tessaro::DoubleClickListItem, [this](ListItem* item) {
            events << "DoubleClickListItem " + (item ? item->Tag().toString() : QStringLiteral("none"));
        });
        focusList();
    }

    ListView& list() const { return *control.ListView; }
    ListItem* item(int row) const { return list().ListItems().Item(row); }

    void focusList()
    {
        list().setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), &list());
    }
    // Makes row `row` (from 1) the current and only selected one.
    void stand(int row) { list().setSelectedItem(item(row)); }
    int lastRow() const { return list().ListItems().Count(); }

    // The selected rows (from 1) and then the current row, as "2 3 / 3".
    std::string selection() const
    {
        QStringList rows;
        for (ListItem* each : list().ListItems())
            if (each->Selected())
                rows << QString::number(each->Index());
        return (rows.join(' ') + " / " + QString::number(list().currentIndex().row() + 1)).toStdString();
    }
};

// Page Down on a page's last row and Page Up on its first move as the bar's own number or arrow
// would, then select the row paged onto; anywhere else the keys page within the list.
TEST_F(Keys, PageKeysAtTheEdgesOfAPageMoveAsTheBarDoes)
{
    ASSERT_GT(rowsPerPage, 2);
    const int p = rowsPerPage;
    const std::string last = std::to_string(p);
    struct Step {
        const char* what;
        std::function<void()> before;
        int key;
        int page;
        std::string numbers;
        std::string selection;
        QStringList events;
    };
    const auto at = [&](int row) { return [&, row] { stand(row == 0 ? lastRow() : row); }; };
    const auto after = [&](std::function<void()> move, int row) {
        return [&, move, row] {
            move();
            stand(row == 0 ? lastRow() : row);
        };
    };
    const Step steps[] = {
        {"PgDn inside a page", at(1), Qt::Key_PageDown, 1, "[1] 2 3 4 5 6", last + " / " + last, {}},
        {"PgDn on the last row: the next number", at(0), Qt::Key_PageDown, 2, "1 [2] 3 4 5 6", "1 / 1",
         {"PopulatedList 2"}},
        {"PgUp on the first row: the previous number", at(1), Qt::Key_PageUp, 1, "[1] 2 3 4 5 6",
         last + " / " + last, {"PopulatedList 1"}},
        {"PgUp on the first page", at(1), Qt::Key_PageUp, 1, "[1] 2 3 4 5 6", "1 / 1", {}},
        {"PgUp before the numbers: the previous arrow", after([&] { control.GoToPage(6); }, 1), Qt::Key_PageUp, 5,
         "- 1 2 3 4 [5]", last + " / " + last, {"PopulatedList 6", "PopulatedList 5"}},
        {"PgDn past numbers laid out backwards from page 5", at(0), Qt::Key_PageDown, 6, "[6] 7 8 9 10 11", "1 / 1",
         {"PopulatedList 6"}},
        {"PgDn past numbers ending at 7: the next arrow",
         after(
             [&] {
                 control.GoToPage(8);
                 control.MoveToPreviousPage();
             },
             0),
         Qt::Key_PageDown, 8,
         "[8] 9 10 11 12 13", "1 / 1", {"PopulatedList 8", "PopulatedList 7", "PopulatedList 8"}},
        {"PgDn on the last page", after([&] { control.MoveToLastPage(); }, 0), Qt::Key_PageDown, 20,
         "15 16 17 18 19 [20]", last + " / " + last, {"PopulatedList 20"}},
        {"PgUp from the last page", at(1), Qt::Key_PageUp, 19, "15 16 17 18 [19] 20", last + " / " + last,
         {"PopulatedList 19"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        events.clear();
        step.before();
        press(step.key);
        // page, its first row's key, the bar, the selection, what the host heard, the pointer
        EXPECT_EQ(std::make_tuple(control.AbsolutePage(), item(1)->Tag().toInt(), pageNumbers(), selection(), events,
                                  control.MousePointer()),
                  std::make_tuple(step.page, (step.page - 1) * p + 1, step.numbers, step.selection, step.events, 0));
        EXPECT_EQ(QApplication::focusWidget(), &list());
    }
    EXPECT_TRUE(boxes.messages().empty());
}

// Ctrl+Home and Ctrl+End make the first and the last row current and select it alone, as a click
// on it does, telling the selection model's watchers; the host hears of no click.
TEST_F(Keys, CtrlHomeOrCtrlEndSelectsTheFirstOrTheLastRowAlone)
{
    QItemSelectionModel& model = *list().selectionModel();
    QSignalSpy selected(&model, &QItemSelectionModel::selectionChanged);
    const std::string last = std::to_string(lastRow());
    struct Case {
        const char* what;
        std::function<void()> before;
        int key;
        std::string selection;
    };
    const Case cases[] = {
        {"Ctrl+End from two selected rows",
         [&] {
             item(2)->setSelected(true);
             item(3)->setSelected(true);
         },
         Qt::Key_End, last + " / " + last},
        {"Ctrl+Home from the last row", [] {}, Qt::Key_Home, "1 / 1"},
        {"Ctrl+Home on the first row, unselected",
         [&] {
             list().setSelectedItem(nullptr);
             model.setCurrentIndex(list().model()->index(0, 0), QItemSelectionModel::NoUpdate);
         },
         Qt::Key_Home, "1 / 1"},
        {"Ctrl+End on the last row, unselected",
         [&] {
             press(Qt::Key_End, Qt::ControlModifier);
             press(Qt::Key_Space, Qt::ControlModifier); // deselects it
         },
         Qt::Key_End, last + " / " + last},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        selected.clear();
        press(c.key, Qt::ControlModifier);
        EXPECT_EQ(selection(), c.selection);
        EXPECT_EQ(list().SelectedItem(), item(list().currentIndex().row() + 1)) << "the list's SelectedItem";
        EXPECT_TRUE(list().viewport()->rect().intersects(list().visualRect(list().currentIndex())));
        EXPECT_GE(selected.count(), 1) << "the selection model told its watchers";
    }
    EXPECT_EQ(events, QStringList());
}

// Enter on a row is the keyboard's double click: the host hears DoubleClickListItem for the
// current row, as when that row is double-clicked.
TEST_F(Keys, EnterRaisesDoubleClickListItemForTheCurrentRow)
{
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, rowCentre(3));
    const QStringList doubleClicked = events;
    EXPECT_EQ(doubleClicked.back(), "DoubleClickListItem 3");

    struct Case {
        const char* what;
        std::function<void()> before;
        int key;
        QStringList heard;
    };
    const Case cases[] = {
        {"Return on the double-clicked row", [] {}, Qt::Key_Return, {doubleClicked.back()}},
        {"Enter on the keypad", [&] { stand(4); }, Qt::Key_Enter, {"DoubleClickListItem 4"}},
        {"Return on a current row left unselected",
         [&] {
             press(Qt::Key_Down, Qt::ControlModifier);
             press(Qt::Key_Down, Qt::ControlModifier);
         },
         Qt::Key_Return, {"DoubleClickListItem 6"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        events.clear();
        press(c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(events, c.heard);
    }

    load(QStringLiteral("SELECT id, name, amount FROM t WHERE id < 0"), true, QStringLiteral("KeysTest"));
    focusList();
    events.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(events, QStringList()) << "no row, no double click";
}

// The search column's drop-down list opens when the combo takes the focus; Tab and Shift+Tab
// still leave the combo, closing the list.
TEST_F(Keys, TabEitherWayLeavesTheSearchColumnComboClosingItsList)
{
    auto* combo = qobject_cast<QComboBox*>(child(QStringLiteral("cmbCercaIn")));
    ASSERT_NE(combo, nullptr);
    control.setIntestazioneVisibile(true); // focuses the combo
    const struct {
        const char* what;
        int key;
        Qt::KeyboardModifiers modifiers;
        bool forwards;
    } cases[] = {
        {"Tab", Qt::Key_Tab, Qt::NoModifier, true},
        {"Shift+Tab", Qt::Key_Tab, Qt::ShiftModifier, false},
        {"Backtab", Qt::Key_Backtab, Qt::NoModifier, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        combo->setFocus(Qt::TabFocusReason);
        QApplication::processEvents(); // the list drops open
        ASSERT_TRUE(combo->view()->isVisible());
        press(c.key, c.modifiers);
        QApplication::processEvents();
        EXPECT_FALSE(combo->view()->isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        // Forwards the search text follows; backwards, whatever comes before the combo.
        const QString name = focusedName();
        if (c.forwards)
            EXPECT_EQ(name, QStringLiteral("txtRicerca"));
        else
            EXPECT_TRUE(name != QStringLiteral("cmbCercaIn") && control.isAncestorOf(QApplication::focusWidget()))
                << name.toStdString();
    }
}

// The page numbers and arrows follow the list (and the header panel's switch) in the tab order; Enter or Space on one acts as a
// click; only the focused one wears a focus frame.
TEST_F(Keys, EnterOrSpaceOnAPageNumberOrArrowReachedByTabClicksIt)
{
    const auto walk = [](int key, int steps) {
        QStringList names;
        for (int i = 0; i < steps; ++i) {
            press(key);
            names << focusedName();
        }
        return names;
    };
    // page, the bar, the focused control, what the host heard
    const auto state = [&] { return std::make_tuple(control.AbsolutePage(), pageNumbers(), focusedName(), events); };
    QWidget* third = child(QStringLiteral("lblPag(3)"));
    const QImage unfocused = third->grab().toImage();

    EXPECT_EQ(walk(Qt::Key_Tab, 8), QStringList({"pctEstendi", "lblPag(1)", "lblPag(2)", "lblPag(3)", "lblPag(4)",
                                                  "lblPag(5)", "lblPag(6)", "imgSuccessiva"}));
    EXPECT_EQ(third->grab().toImage(), unfocused) << "looks as before once the focus has gone";
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(state(), std::make_tuple(7, std::string("[7] 8 9 10 11 12"), QStringLiteral("imgSuccessiva"),
                                       QStringList{"PopulatedList 7"}));

    EXPECT_EQ(walk(Qt::Key_Backtab, 8), QStringList({"lblPag(6)", "lblPag(5)", "lblPag(4)", "lblPag(3)", "lblPag(2)",
                                                      "lblPag(1)", "imgPrecedente", "imgPrimaPagina"}));
    events.clear();
    press(Qt::Key_Space);
    // The first-page arrow hid itself: the focus went to the current page's number.
    EXPECT_EQ(state(), std::make_tuple(1, std::string("[1] 2 3 4 5 6"), QStringLiteral("lblPag(1)"),
                                       QStringList{"PopulatedList 1"}));

    EXPECT_EQ(walk(Qt::Key_Tab, 2).back(), QStringLiteral("lblPag(3)"));
    EXPECT_NE(third->grab().toImage(), unfocused) << "the focused number is framed";
    events.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(state(), std::make_tuple(3, std::string("1 2 [3] 4 5 6"), QStringLiteral("lblPag(3)"),
                                       QStringList{"PopulatedList 3"}));

    focusList();
    click(QStringLiteral("lblPag(2)"));
    EXPECT_EQ(std::make_pair(control.AbsolutePage(), focusedName()), std::make_pair(2, QStringLiteral("lstv")))
        << "a click leaves the focus where it was";
}

// The page bar's view switch ("load all", or "divide into pages" in its place) follows the
// arrows in the tab order. Enter or Space on it switches the view as a click does, with the same
// events; the switch hides itself then, and the focus stays in the bar: on the switch shown in
// its place, or on the current page's number. Only the focused switch wears a focus frame.
TEST_F(Keys, EnterOrSpaceOnTheViewSwitchReachedByTabSwitchesTheView)
{
    const int allRows = 20 * rowsPerPage;
    QWidget* loadAll = child(QStringLiteral("lblCaricatutti"));
    const QImage unfocused = loadAll->grab().toImage();
    // the view after each switch: page, rows listed, the bar, what the host heard
    const auto view = [&] { return std::make_tuple(control.AbsolutePage(), lastRow(), pageNumbers(), events); };
    const auto allShown = std::make_tuple(1, allRows, std::string("- - - - - -"), QStringList{"PopulatedList 1"});
    const auto pagedShown =
        std::make_tuple(1, rowsPerPage, std::string("[1] 2 3 4 5 6"), QStringList{"PopulatedList 1"});

    for (int tab = 0; tab < 10; ++tab)
        press(Qt::Key_Tab);
    ASSERT_EQ(focusedName(), QStringLiteral("lblCaricatutti")) << "after the numbers and the arrows";
    EXPECT_NE(loadAll->grab().toImage(), unfocused) << "the focused switch is framed";
    events.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(view(), allShown);
    EXPECT_EQ(focusedName(), QStringLiteral("lblPaginaRisultati")) << "the switch shown in its place";

    focusList();
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(focusedName(), QStringLiteral("lblPaginaRisultati")) << "the bar shows nothing else";
    events.clear();
    press(Qt::Key_Space);
    EXPECT_EQ(view(), pagedShown);
    EXPECT_EQ(focusedName(), QStringLiteral("lblPag(1)")) << "the current page's number";
    EXPECT_EQ(loadAll->grab().toImage(), unfocused) << "looks as before without the focus";
}

// The header panel's switch follows the list in the tab order. Enter or Space on it shows
// or hides the panel as a click does; showing focuses the search column, hiding leaves the focus
// on the switch shown in the used one's place.
TEST_F(Keys, EnterOrSpaceOnThePanelSwitchReachedByTabTogglesThePanel)
{
    QWidget* showSwitch = child(QStringLiteral("pctEstendi"));
    const QImage unfocused = showSwitch->grab().toImage();
    const QRect listPlace = list().geometry();

    press(Qt::Key_Tab);
    ASSERT_EQ(focusedName(), QStringLiteral("pctEstendi"));
    EXPECT_NE(showSwitch->grab().toImage(), unfocused) << "the focused switch is framed";
    press(Qt::Key_Return);
    EXPECT_EQ(std::make_pair(control.IntestazioneVisibile(), focusedName()),
              std::make_pair(true, QStringLiteral("cmbCercaIn")));
    QApplication::processEvents(); // the search column's list drops open
    EXPECT_NE(list().geometry(), listPlace) << "the list made room for the panel";

    press(Qt::Key_Backtab);
    ASSERT_EQ(focusedName(), QStringLiteral("pctNascondi"));
    press(Qt::Key_Space);
    EXPECT_EQ(std::make_tuple(control.IntestazioneVisibile(), focusedName(), list().geometry()),
              std::make_tuple(false, QStringLiteral("pctEstendi"), listPlace));

    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), QStringLiteral("lblPag(1)"));
    EXPECT_EQ(showSwitch->grab().toImage(), unfocused) << "looks as before without the focus";
    EXPECT_TRUE(boxes.messages().empty());
}

// The mouse hides the panel while the focus is in one of its fields: the keys go on in the list,
// not on whatever follows the panel in the tab order.
TEST_F(Keys, HidingThePanelFromOneOfItsFieldsLeavesTheFocusInTheList)
{
    control.setIntestazioneVisibile(true);
    for (const char* name : {"txtRicerca", "pctNascondi"})
        QTest::mouseClick(child(QString::fromLatin1(name)), Qt::LeftButton);
    EXPECT_EQ(focusedName(), QStringLiteral("lstv"));
}

// Four rows with values that need care on the clipboard, under English number formats.
struct Copying : test::ShownControl {
    test::LocaleScope english{"en_US"};

    Copying()
    {
        database.exec(QStringLiteral("CREATE TABLE c (id INTEGER PRIMARY KEY, name TEXT, amount REAL)"));
        database.exec(QStringLiteral("INSERT INTO c VALUES (1, 'Alpha', 1234.5), (2, '  Beta  ', -2),"
                                     " (3, 'tab' || char(9) || 'and' || char(13, 10) || 'line', NULL),"
                                     " (4, 'a <b> & \"c\"', 0.25)"));
        showAt(600, 300);
        useLanguage("LE32=\"Copy rows\"\n");
        init(QStringLiteral("SELECT id, name, amount FROM c ORDER BY id"), false, QStringLiteral("CopyTest"));
        control.Columns->Item(1)->setIntestazione(QStringLiteral("Name"));
        control.Columns->Item(2)->setIntestazione(QStringLiteral("Amount"));
        control.Columns->Item(2)->setTipoCampo(1);
        control.Columns->Item(2)->setFormattazione(QStringLiteral("#,##0.00"));
        populate();
        control.ListView->setFocus(Qt::TabFocusReason);
    }

    void select(std::initializer_list<int> rows)
    {
        control.ListView->setSelectedItem(nullptr);
        for (int row : rows)
            control.ListView->ListItems().Item(row)->setSelected(true);
    }
    static QString clipboardText() { return QGuiApplication::clipboard()->text(); }
    // The rows of the clipboard's HTML table.
    static QString clipboardTable()
    {
        const QString html = QString::fromUtf8(QGuiApplication::clipboard()->mimeData()->data("text/html"));
        const qsizetype start = html.indexOf("<tr>"), end = html.indexOf("</table>");
        return start < 0 || end < 0 ? html : html.mid(start, end - start);
    }
};

// Ctrl+C and the context menu's Copy (from the mouse or the menu key, in the language's words) copy the selected rows in
// list order under the headings. Numbers are padded to 20 characters in the list; on the
// clipboard every value is trimmed, and a tab or line break inside one becomes a blank, so each
// lands in a cell of its own. With nothing selected, Copy does nothing and the entry is disabled.
TEST_F(Copying, CopyByKeyOrMenuPutsTheSelectedRowsOnTheClipboard)
{
    ListView& list = *control.ListView;
    ASSERT_TRUE(list.ListItems().Item(1)->SubItems(1).startsWith(' ')) << "a padded number";
    int hostCopies = 0;
    QAction hostCopy(&control); // the host's own Copy in the window around the list
    hostCopy.setShortcut(QKeySequence::Copy);
    control.addAction(&hostCopy);
    QObject::connect(&hostCopy, &QAction::triggered, [&] { ++hostCopies; });
    // Opens the context menu and uses its Copy entry when enabled; whether it was.
    const auto copyFromMenu = [&](QContextMenuEvent::Reason reason) {
        const QPoint at = list.visualRect(list.model()->index(1, 0)).center();
        QContextMenuEvent event(reason, at, list.viewport()->mapToGlobal(at));
        QApplication::sendEvent(reason == QContextMenuEvent::Keyboard ? &list : list.viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_TRUE(menu && menu->actions().size() == 1 && menu->actions().front()->text() == "Copy rows");
        const bool enabled = menu && menu->actions().front()->isEnabled();
        if (enabled)
            menu->actions().front()->trigger();
        if (menu)
            menu->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return enabled;
    };
    const QString rows = QStringLiteral("Name\tAmount\n"
                                        "Alpha\t1,234.50\n"
                                        "tab and line\t\n"
                                        "a <b> & \"c\"\t0.25\n");
    const QString table = QStringLiteral("<tr><th>Name</th><th>Amount</th></tr>\n"
                                         "<tr><td>Alpha</td><td>1,234.50</td></tr>\n"
                                         "<tr><td>tab and line</td><td></td></tr>\n"
                                         "<tr><td>a &lt;b&gt; &amp; &quot;c&quot;</td><td>0.25</td></tr>\n");
    const std::pair<const char*, std::function<bool()>> ways[] = {
        {"Ctrl+C", [] { return press(Qt::Key_C, Qt::ControlModifier), true; }},
        {"menu key", [&] { return copyFromMenu(QContextMenuEvent::Keyboard); }},
        {"right click", [&] { return copyFromMenu(QContextMenuEvent::Mouse); }},
    };
    for (const auto& [way, copy] : ways) {
        SCOPED_TRACE(way);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        select({});
        copy();
        EXPECT_EQ(clipboardText(), QStringLiteral("before")) << "nothing selected, nothing copied";
        EXPECT_EQ(copyFromMenu(QContextMenuEvent::Keyboard), false) << "the entry disabled";

        select({4, 1, 3});
        EXPECT_TRUE(copy());
        EXPECT_EQ(std::make_pair(clipboardText(), clipboardTable()), std::make_pair(rows, table));
    }
    EXPECT_EQ(hostCopies, 0) << "the list's Copy wins while it has the focus";
    EXPECT_TRUE(list.findChildren<QMenu*>().isEmpty()) << "each menu goes once closed";

    // A column the list no longer shows is left out.
    select({2});
    list.horizontalHeader()->hideSection(1);
    press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardText(), QStringLiteral("Name\nBeta\n"));
}

} // namespace

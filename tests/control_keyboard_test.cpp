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
    const std::string last = std::to_string(rowsPerPage) + " / " + std::to_string(rowsPerPage), first = "1 / 1";
    const auto heard = [](std::initializer_list<int> pages) {
        QStringList all;
        for (int page : pages)
            all << QStringLiteral("PopulatedList %1").arg(page);
        return all;
    };
    // Before the key: a page gone to (0: none, -1: the last), then one back, the row stood on.
    const struct { const char* what; int go; bool back, onLastRow; int key, page; std::string numbers, selection;
        QStringList events; } steps[] = {
        {"PgDn inside a page", 0, false, false, Qt::Key_PageDown, 1, "[1] 2 3 4 5 6", last, {}},
        {"PgDn on the last row: the next number", 0, false, true, Qt::Key_PageDown, 2, "1 [2] 3 4 5 6", first,
         heard({2})},
        {"PgUp on the first row: the previous number", 0, false, false, Qt::Key_PageUp, 1, "[1] 2 3 4 5 6", last,
         heard({1})},
        {"PgUp on the first page", 0, false, false, Qt::Key_PageUp, 1, "[1] 2 3 4 5 6", first, {}},
        {"PgUp before the numbers: the previous arrow", 6, false, false, Qt::Key_PageUp, 5, "- 1 2 3 4 [5]", last,
         heard({6, 5})},
        {"PgDn past numbers laid out backwards from page 5", 0, false, true, Qt::Key_PageDown, 6, "[6] 7 8 9 10 11",
         first, heard({6})},
        {"PgDn past numbers ending at 7: the next arrow", 8, true, true, Qt::Key_PageDown, 8, "[8] 9 10 11 12 13",
         first, heard({8, 7, 8})},
        {"PgDn on the last page", -1, false, true, Qt::Key_PageDown, 20, "15 16 17 18 19 [20]", last, heard({20})},
        {"PgUp from the last page", 0, false, false, Qt::Key_PageUp, 19, "15 16 17 18 [19] 20", last, heard({19})},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        events.clear();
        step.go < 0 ? control.MoveToLastPage() : step.go > 0 ? control.GoToPage(step.go) : void();
        if (step.back)
            control.MoveToPreviousPage();
        stand(step.onLastRow ? lastRow() : 1);
        press(step.key);
        // page, its first row's key, the bar, the selection, what the host heard, the pointer
        EXPECT_EQ(std::make_tuple(control.AbsolutePage(), item(1)->Tag().toInt(), pageNumbers(), selection(), events,
                                  control.MousePointer()),
                  std::make_tuple(step.page, (step.page - 1) * rowsPerPage + 1, step.numbers, step.selection,
                                  step.events, 0));
        EXPECT_EQ(QApplication::focusWidget(), &list());
    }
    EXPECT_TRUE(boxes.messages().empty());
}

// Ctrl+Home and Ctrl+End make the first and the last row current and select it alone, as a click
// on it does, telling the selection model's watchers; the host hears of no click.
TEST_F(Keys, CtrlHomeOrCtrlEndSelectsTheFirstOrTheLastRowAlone)
{
    QSignalSpy selected(list().selectionModel(), &QItemSelectionModel::selectionChanged);
    const std::string last = std::to_string(lastRow()) + " / " + std::to_string(lastRow());
    const auto ctrl = [&](const char* what, int key, const std::string& expected) {
        SCOPED_TRACE(what);
        selected.clear();
        press(key, Qt::ControlModifier);
        EXPECT_EQ(selection(), expected);
        EXPECT_EQ(list().SelectedItem(), item(list().currentIndex().row() + 1)) << "the list's SelectedItem";
        EXPECT_TRUE(list().viewport()->rect().intersects(list().visualRect(list().currentIndex())));
        EXPECT_GE(selected.count(), 1) << "the selection model told its watchers";
    };
    item(2)->setSelected(true);
    item(3)->setSelected(true);
    ctrl("Ctrl+End from two selected rows", Qt::Key_End, last);
    ctrl("Ctrl+Home from the last row", Qt::Key_Home, "1 / 1");
    list().setSelectedItem(nullptr);
    list().selectionModel()->setCurrentIndex(list().model()->index(0, 0), QItemSelectionModel::NoUpdate);
    ctrl("Ctrl+Home on the first row, unselected", Qt::Key_Home, "1 / 1");
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Space, Qt::ControlModifier); // deselects it
    ctrl("Ctrl+End on the last row, unselected", Qt::Key_End, last);
    EXPECT_EQ(events, QStringList());
}

// Enter on a row is the keyboard's double click: the host hears DoubleClickListItem for the
// current row, as when that row is double-clicked; with no row, nothing.
TEST_F(Keys, EnterRaisesDoubleClickListItemForTheCurrentRow)
{
    const auto enter = [&](int key, const QStringList& heard) {
        events.clear();
        press(key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(events, heard);
    };
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, rowCentre(3));
    EXPECT_EQ(events.back(), "DoubleClickListItem 3");
    enter(Qt::Key_Return, {"DoubleClickListItem 3"});
    stand(4);
    enter(Qt::Key_Enter, {"DoubleClickListItem 4"}); // on the keypad
    press(Qt::Key_Down, Qt::ControlModifier);
    press(Qt::Key_Down, Qt::ControlModifier);
    enter(Qt::Key_Return, {"DoubleClickListItem 6"}); // a current row left unselected
    load(QStringLiteral("SELECT id, name, amount FROM t WHERE id < 0"), true, QStringLiteral("KeysTest"));
    focusList();
    enter(Qt::Key_Return, {});
}

// The search column's drop-down list opens when the combo takes the focus; Tab and Shift+Tab
// still leave the combo, closing the list: forwards to the search text, backwards to whatever
// comes before the combo.
TEST_F(Keys, TabEitherWayLeavesTheSearchColumnComboClosingItsList)
{
    auto* combo = qobject_cast<QComboBox*>(child(QStringLiteral("cmbCercaIn")));
    control.setIntestazioneVisibile(true);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Tab, Qt::NoModifier}, {Qt::Key_Tab, Qt::ShiftModifier},
                                         {Qt::Key_Backtab, Qt::NoModifier}}) {
        SCOPED_TRACE(testing::Message() << key << " " << modifiers);
        combo->setFocus(Qt::TabFocusReason);
        QApplication::processEvents(); // the list drops open
        ASSERT_TRUE(combo->view()->isVisible());
        press(key, modifiers);
        QApplication::processEvents();
        EXPECT_FALSE(combo->view()->isVisible());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        const bool forwards = key == Qt::Key_Tab && modifiers == Qt::NoModifier;
        EXPECT_TRUE(forwards ? focusedName() == "txtRicerca"
                             : focusedName() != "cmbCercaIn" && control.isAncestorOf(QApplication::focusWidget()))
            << focusedName().toStdString();
    }
}

// Presses each key of `keys` where the focus is ('t' Tab, 'b' Backtab, 'r' Return, 'e' keypad
// Enter, 's' Space), letting the event loop run before each; returns the focus after each key, then
// the page, the bar, whether one page or every row is listed, whether the panel shows, and what
// the host heard.
std::string drive(Keys& t, const char* keys)
{
    QStringList focus;
    for (const char* k = keys; *k; ++k) {
        const int key = *k == 't' ? Qt::Key_Tab : *k == 'b' ? Qt::Key_Backtab : *k == 's' ? Qt::Key_Space
                      : *k == 'e' ? Qt::Key_Enter : Qt::Key_Return;
        QApplication::processEvents(); // a focused combo drops its list open
        press(key, *k == 'e' ? Qt::KeypadModifier : Qt::NoModifier);
        focus << focusedName();
    }
    return QStringLiteral("%1 | %2 %3 | %4%5 | %6")
        .arg(focus.join(' '))
        .arg(t.control.AbsolutePage())
        .arg(QString::fromStdString(t.pageNumbers()))
        .arg(t.lastRow() == 20 * t.rowsPerPage ? "every row" : "a page")
        .arg(t.control.IntestazioneVisibile() ? ", panel" : "")
        .arg(t.events.join(", "))
        .toStdString();
}

// The panel switch, the page numbers, the arrows and the view switch follow the list in the tab
// order; Enter or Space on one acts as a click with the same events. A switch that hides itself
// leaves the focus in the bar: on the switch shown in its place, or on the current page's number;
// showing the panel focuses the search column.
TEST_F(Keys, EnterOrSpaceOnAControlReachedByTabClicksIt)
{
    const struct { const char* what; bool fromList; const char* keys; std::string expected; } steps[] = {
        {"Tab through the bar", true, "tttttttt", "pctEstendi lblPag(1) lblPag(2) lblPag(3) lblPag(4) lblPag(5) "
         "lblPag(6) imgSuccessiva | 1 [1] 2 3 4 5 6 | a page | "},
        {"Enter on the next arrow", false, "e", "imgSuccessiva | 7 [7] 8 9 10 11 12 | a page | PopulatedList 7"},
        {"Space on the first-page arrow, which hides", false, "bbbbbbbbs", "lblPag(6) lblPag(5) lblPag(4) lblPag(3) "
         "lblPag(2) lblPag(1) imgPrecedente imgPrimaPagina lblPag(1) | 1 [1] 2 3 4 5 6 | a page | PopulatedList 1"},
        {"Return on a number", false, "ttr", "lblPag(2) lblPag(3) lblPag(3) | 3 1 2 [3] 4 5 6 | a page | PopulatedList 3"},
        {"Return on load all", true, "ttttttttttr", "pctEstendi lblPag(1) lblPag(2) lblPag(3) lblPag(4) lblPag(5) "
         "lblPag(6) imgSuccessiva imgUltimaPagina lblCaricatutti lblPaginaRisultati | 1 - - - - - - | every row | "
         "PopulatedList 1"},
        {"Space on divide into pages", true, "tts",
         "pctEstendi lblPaginaRisultati lblPag(1) | 1 [1] 2 3 4 5 6 | a page | PopulatedList 1"},
        {"Return on the panel switch", true, "tr",
         "pctEstendi cmbCercaIn | 1 [1] 2 3 4 5 6 | a page, panel | PopulatedList 1"},
        {"Space on the hide switch", false, "bs", "pctNascondi pctEstendi | 1 [1] 2 3 4 5 6 | a page | PopulatedList 1"},
        {"on into the bar", false, "t", "lblPag(1) | 1 [1] 2 3 4 5 6 | a page | "},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.fromList)
            focusList();
        events.clear();
        EXPECT_EQ(drive(*this, step.keys), step.expected);
    }
    focusList();
    click(QStringLiteral("lblPag(2)"));
    EXPECT_EQ(std::make_pair(control.AbsolutePage(), focusedName()), std::make_pair(2, QStringLiteral("lstv")))
        << "a click leaves the focus where it was";
    EXPECT_TRUE(boxes.messages().empty());
}

// Only the focused page number or switch wears a focus frame, and looks as before once it has gone.
TEST_F(Keys, OnlyTheFocusedControlOfTheBarWearsAFrame)
{
    for (const char* name : {"lblPag(3)", "lblCaricatutti", "pctEstendi"}) {
        SCOPED_TRACE(name);
        QWidget* widget = child(QString::fromLatin1(name));
        const QImage unfocused = widget->grab().toImage();
        for (int tab = 0; tab < 12 && QApplication::focusWidget() != widget; ++tab)
            press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), widget);
        EXPECT_NE(widget->grab().toImage(), unfocused);
        focusList();
        EXPECT_EQ(widget->grab().toImage(), unfocused);
    }
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

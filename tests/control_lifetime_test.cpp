// The control torn down the ways hosts tear it down: while the user is in it, while it waits on
// the event loop, from the host's own handlers of its events and message boxes.
#include "support/HostedControl.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

using namespace tessaro;

namespace {

const char* const kApplication = "LifetimeTest";
// Far more rows than one page shows, so the page bar offers both view switches.
constexpr int kRows = 500;

// Controls named "orders" over `kRows` rows.
struct Lifetime : test::HostedControl {
    Lifetime() { database.createNumbered(QStringLiteral("t"), kRows); }

    // The control inside a host window, or shown as a window of its own, on page `page`.
    void open(bool paged, bool ownWindow = false, int page = 1)
    {
        HostedControl::open(QStringLiteral("SELECT id, name, amount FROM t ORDER BY id"), paged, kApplication,
                            ownWindow, [page](Tessaro& made) {
                                made.setObjectName(QStringLiteral("orders"));
                                made.setAbsolutePage(page);
                            });
        ASSERT_EQ(control->Paged(), paged);
    }

    QPoint rowCentre(int row) const
    {
        return control->ListView->visualRect(control->ListView->model()->index(row - 1, 0)).center();
    }
    void clickRow(int row) { QTest::mouseClick(control->ListView->viewport(), Qt::LeftButton, {}, rowCentre(row)); }

    // What is left to the event loop once the test's own calls are done: queued calls and timers
    // due at once, then what deleteLater and a closed WA_DeleteOnClose window left behind.
    static void runDeferredDeletes()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void forgetSettings()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaro", kApplication).clear();
    }
    // The remembered settings of "orders" as sorted "key=value" entries, and their keys alone.
    static QStringList stored() { return test::rememberedSettings(QString::fromLatin1(kApplication), "orders"); }
    static QStringList storedKeys()
    {
        QStringList names;
        for (const QString& entry : stored())
            names << entry.section('=', 0, 0);
        return names;
    }
};

// Replaces the message box for one test, restoring the recorder's handler after.
struct MessageBoxScope {
    explicit MessageBoxScope(MessageBoxHandler handler) : previous(setMessageBoxHandler(std::move(handler))) {}
    ~MessageBoxScope() { setMessageBoxHandler(previous); }
    MessageBoxHandler previous;
};

} // namespace

// The user is in the list or in the search box when the host lets the control go: the
// remembered settings are saved and nothing the children report on their way out reaches it.
TEST_F(Lifetime, TeardownWhileTheUserIsInsideSavesTheSettings)
{
    using Step = std::pair<const char*, std::function<void(Lifetime&)>>;
    const Step places[] = {
        {"list", [](Lifetime& t) { t.clickRow(2), QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); }},
        {"search column box", [](Lifetime& t) {
             t.control->setIntestazioneVisibile(true);
             QApplication::processEvents(); // the drop-down list opens on entry
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
             QTest::keyClicks(QApplication::focusWidget(), "am");
         }},
        {"search text box", [](Lifetime& t) {
             t.control->setIntestazioneVisibile(true);
             t.child("txtRicerca")->setFocus(Qt::TabFocusReason);
             QTest::keyClicks(QApplication::focusWidget(), "row 1*");
         }},
    };
    const Step ways[] = {{"delete the control", [](Lifetime& t) { delete t.control; }},
                         {"delete the window", [](Lifetime& t) { delete t.window; }},
                         {"deleteLater the control", [](Lifetime& t) { t.control->deleteLater(); }},
                         {"close the WA_DeleteOnClose window", [](Lifetime& t) { t.window->close(); }}};
    for (const auto& [place, enter] : places) {
        for (const bool ownWindow : {false, true}) {
            for (const auto& [way, tearDown] : ways) {
                SCOPED_TRACE(std::string(place) + (ownWindow ? ", own window, " : ", host window, ") + way);
                open(true, ownWindow);
                enter(*this);
                ASSERT_TRUE(control->isAncestorOf(QApplication::focusWidget()));
                control->ListView->ColumnHeaders().Item(1)->setWidth(1234.5);
                forgetSettings();
                tearDown(*this);
                runDeferredDeletes();
                EXPECT_TRUE(control.isNull());
                EXPECT_EQ(stored().replaceInStrings(QRegularExpression("^2=.*"), "2=..."),
                          (QStringList{"1=1234.5", "2=...", "Paged=True"}));
                delete window;
                EXPECT_TRUE(boxes.messages().empty());
            }
        }
    }
}

// Any yield, message box or event the host handles may be where the host destroys the control;
// the routine that was running then stops without touching it, and no further message follows.
TEST_F(Lifetime, RoutinesStopQuietlyWhenTheControlIsDestroyedUnderThem)
{
    struct Trigger { const char* name; bool paged; std::function<void(Lifetime&)> run; int page = 1; };
    // The key goes to the list standing on `row` (0: the last).
    const auto pageKey = [](int key, int row) {
        return [key, row](Lifetime& t) {
            ListView& list = *t.control->ListView;
            list.setSelectedItem(list.ListItems().Item(row ? row : list.ListItems().Count()));
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
        };
    };
    const Trigger triggers[] = {
        {"PopulateList with a new page size", true, [](Lifetime& t) { t.control->setPageSize(1), t.control->PopulateList(); }},
        {"PopulateList, paged", true, [](Lifetime& t) { t.control->PopulateList(); }},
        {"PopulateList, all rows", false, [](Lifetime& t) { t.control->PopulateList(); }},
        {"MoveToNextPage", true, [](Lifetime& t) { t.control->MoveToNextPage(); }},
        {"MoveToPreviousPage", true, [](Lifetime& t) { t.control->MoveToPreviousPage(); }},
        {"MoveToFirstPage", true, [](Lifetime& t) { t.control->MoveToFirstPage(); }},
        {"MoveToLastPage", true, [](Lifetime& t) { t.control->MoveToLastPage(); }},
        {"GoToPage", true, [](Lifetime& t) { t.control->GoToPage(3); }},
        {"click on a page number", true, [](Lifetime& t) { t.click("lblPag(2)"); }},
        {"click on lblCaricatutti", true, [](Lifetime& t) { t.click("lblCaricatutti"); }},
        {"click on lblPaginaRisultati", false, [](Lifetime& t) { t.click("lblPaginaRisultati"); }},
        {"Page Down on a page's last row", true, pageKey(Qt::Key_PageDown, 0)},
        {"Page Up on a page's first row", true, pageKey(Qt::Key_PageUp, 1), 2},
        {"click on pctEstendi", true, [](Lifetime& t) { t.click("pctEstendi"); }},
        {"IntestazioneVisibile set", true, [](Lifetime& t) { t.control->setIntestazioneVisibile(true); }},
        {"header click over the whole result", true, [](Lifetime& t) {
             QHeaderView* header = (t.control->setWholeResult(true), t.control->ListView->header());
             QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionSize(0) / 2, header->height() / 2));
         }},
        {"find over the whole result, a match on the next page", true, [](Lifetime& t) {
             t.control->setWholeResult(true);
             t.control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(0);
             t.control->findChild<QLineEdit*>(QStringLiteral("txtRicerca"))->setText(QStringLiteral("*"));
             qobject_cast<QPushButton*>(t.child("cmdTrova"))->click();
         }},
    };
    struct Destroyer { const char* name; bool byMessageBox; std::function<void(Lifetime&)> arm; };
    const Destroyer destroyers[] = {
        {"PopulatedList handler deletes the control", false, [](Lifetime& t) {
             QObject::connect(t.control, &Tessaro::PopulatedList, [&t] { delete t.control; });
         }},
        {"message box handler deletes the control", true, [](Lifetime& t) {
             // No image list for the icon column: every icon load reports a failure.
             t.control->setColonnaIndiceImmagine(1);
         }},
        {"timer deletes the window during a yield", false, [](Lifetime& t) {
             QTimer::singleShot(0, t.window, [&t] { delete t.window; });
         }},
        {"timer closes the WA_DeleteOnClose window during a yield", false, [](Lifetime& t) {
             QTimer::singleShot(0, t.window, [&t] { t.window->close(); });
         }},
    };
    int shown = 0;
    MessageBoxScope deleting([&](const QString&, int, const QString&) {
        ++shown;
        delete control;
        return 1;
    });
    for (const Trigger& trigger : triggers) {
        for (const Destroyer& destroyer : destroyers) {
            SCOPED_TRACE(std::string(trigger.name) + ", " + destroyer.name);
            shown = 0;
            open(trigger.paged, false, trigger.page);
            ASSERT_EQ(shown, 0);
            control->ListView->setFocus(Qt::MouseFocusReason);
            forgetSettings();
            destroyer.arm(*this);
            trigger.run(*this);
            runDeferredDeletes();
            EXPECT_TRUE(control.isNull());
            EXPECT_EQ(shown, destroyer.byMessageBox ? 1 : 0);
            EXPECT_EQ(storedKeys(), (QStringList{"1", "2", "Paged"})) << "saved at teardown";
            delete window;
        }
    }
}

// Qt forbids deleting a widget inside the handling of its own mouse event; handlers release the
// control with deleteLater, which takes effect once the event is done.
TEST_F(Lifetime, HandlersReleaseTheControlWithDeleteLater)
{
    using Release = std::function<void()>;
    const struct { const char* signal; void (*connect)(Tessaro*, const Release&); void (*act)(Lifetime&); } cases[] = {
        {"ClickListItem", [](Tessaro* c, const Release& r) { QObject::connect(c, &Tessaro::ClickListItem, r); },
         [](Lifetime& t) { t.clickRow(2); }},
        {"DoubleClickListItem",
         [](Tessaro* c, const Release& r) { QObject::connect(c, &Tessaro::DoubleClickListItem, r); },
         [](Lifetime& t) { QTest::mouseDClick(t.control->ListView->viewport(), Qt::LeftButton, {}, t.rowCentre(3)); }},
        {"PopulatedList", [](Tessaro* c, const Release& r) { QObject::connect(c, &Tessaro::PopulatedList, r); },
         [](Lifetime& t) { t.click("lblPag(2)"); }},
    };
    for (const auto& [signal, connect, act] : cases) {
        SCOPED_TRACE(signal);
        open(true);
        int calls = 0;
        connect(control, [&] { ++calls, control->deleteLater(); });
        act(*this);
        EXPECT_FALSE(control.isNull()) << "still there until the event is done";
        forgetSettings();
        runDeferredDeletes();
        EXPECT_EQ(calls, 1);
        EXPECT_TRUE(control.isNull());
        EXPECT_EQ(storedKeys(), (QStringList{"1", "2", "Paged"}));
        delete window;
    }
}

// A message box handler or a spreadsheet opener may replace itself while it runs.
TEST_F(Lifetime, HandlersMayReplaceThemselvesWhileTheyRun)
{
    QStringList seen;
    const QString first = QStringLiteral("first handler, with a capture too large to be kept inline");
    MessageBoxScope scope([&seen, first](const QString& text, int, const QString&) {
        setMessageBoxHandler([&seen](const QString& text, int, const QString&) { return seen << "second " + text, 2; });
        seen << first + ' ' + text;
        return 1;
    });
    EXPECT_EQ((QList<int>{MsgBox("a", 64, "t"), MsgBox("b", 64, "t")}), (QList<int>{1, 2}));
    const SpreadsheetOpener previous = setSpreadsheetOpener([&seen, first](const QString& path) {
        setSpreadsheetOpener([&seen](const QString& path) { seen << "second " + path; });
        seen << first + ' ' + path;
    });
    openSpreadsheet("a.xlsx");
    openSpreadsheet("b.xlsx");
    setSpreadsheetOpener(previous);
    EXPECT_EQ(seen, (QStringList{first + " a", "second b", first + " a.xlsx", "second b.xlsx"}));
}

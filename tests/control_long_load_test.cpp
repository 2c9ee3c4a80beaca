// A load of every row that runs long: the window keeps painting, the page bar shows the rows read
// so far, Esc or the view-switch label stops it keeping those rows, the control's other actions
// wait, and the host may tear the control down in the middle of it.
#include "support/HostedControl.h"
#include "support/PaintedRows.h"
#include "support/TestHelpers.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

using namespace tessaro;

namespace {

const char* const kApplication = "LongLoadTest";
// Narrow rows; the query makes the database work a few microseconds on each (as a slower
// database or wider rows would), so that the load of all of them runs for a second or more, well
// past the point where it starts showing its progress.
constexpr int kRows = 200000;
const char* const kQuery = "SELECT id, id, length(hex(zeroblob(2000 + v % 2))), 1 FROM t ORDER BY id";
// How often the watcher looks whether the progress shows.
constexpr int kWatchMilliseconds = 5;
// Longer than the load waits before it shows its progress (a third of a second).
constexpr int kBusyWindowMilliseconds = 400;
// Only to catch a hang: every case here ends in well under this.
constexpr int kHangBoundMilliseconds = 60000;

// A control over kRows rows inside a shown, active host window that deletes itself when closed.
struct LongLoad : test::HostedControl {
    std::unique_ptr<QSignalSpy> populated;

    LongLoad()
    {
        test::writeTestLanguage(folder.path(), "LE06=\"There are\"\nLE07=\"records\"\nLE08=\"in\"\nLE09=\"pages\"\n"
                                               "LE29=\"of\"\n");
        database.exec(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, v INTEGER)"));
        database.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                     "INSERT INTO t SELECT i, i % 1000 FROM n")
                          .arg(kRows));
    }

    // Opens the control paged on page 1, the focus in its list; nothing long has run yet.
    void open()
    {
        HostedControl::open(QString::fromLatin1(kQuery), true, kApplication, false,
                            [this](Tessaro& made) { made.CambiaLingua(folder.path()); });
        control->ListView->setFocus();
        populated = std::make_unique<QSignalSpy>(control.data(), &Tessaro::PopulatedList);
    }

    std::string counter() const { return child("lblNumRecord")->property("Caption").toString().toStdString(); }
    int rows() const { return control->ListView->ListItems().Count(); }
    static std::string keptText(int kept)
    {
        return QStringLiteral("There are %1 of %2 records").arg(kept).arg(kRows).toStdString();
    }
    // The first row's text is its id: rows read in order show 1, 2, 3 ... from the top.
    bool inIdOrder() const
    {
        const int shown = std::min(rows(), 50);
        for (int i = 1; i <= shown; ++i) {
            if (control->ListView->ListItems().Item(i)->Text() != QString::number(i))
                return false;
        }
        return true;
    }

    // Runs `load` with a watcher that calls `during` once, as soon as the page bar shows the
    // progress of the load (the rows read so far of all of them). Returns whether it did.
    bool whileLoading(const std::function<void()>& load, const std::function<void()>& during)
    {
        bool seen = false;
        QTimer watcher;
        watcher.setInterval(kWatchMilliseconds);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (seen || !control || counter().find(" of ") == std::string::npos)
                return;
            seen = true;
            EXPECT_EQ(control->MousePointer(), static_cast<int>(PointerShape::Hourglass));
            EXPECT_GT(rows(), 0) << "the rows read so far show";
            during();
        });
        watcher.start();
        QTimer hang;
        hang.setSingleShot(true);
        hang.start(kHangBoundMilliseconds);
        load();
        EXPECT_TRUE(hang.isActive()) << "the load took longer than the hang bound";
        return seen;
    }
    void loadAll() { QTest::mouseClick(child("lblCaricatutti"), Qt::LeftButton); }

    // The list once a load was stopped: the rows read so far, in order, none skipped nor selected,
    // the counter saying how many of all, one PopulatedList, the view unpaged, no message.
    void expectStopped() const
    {
        const int kept = rows();
        ASSERT_TRUE(kept > 0 && kept < kRows) << kept;
        EXPECT_TRUE(inIdOrder()) << "the rows are not sorted nor replaced";
        EXPECT_EQ(control->ListView->ListItems().Item(kept)->Text(), QString::number(kept)) << "no row skipped";
        EXPECT_EQ(control->ListView->SelectedItem(), nullptr);
        EXPECT_EQ(counter(), keptText(kept));
        EXPECT_EQ(populated->count(), 1);
        EXPECT_FALSE(control->Paged());
        EXPECT_EQ(control->MousePointer(), static_cast<int>(PointerShape::Default));
        EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    }
};

} // namespace

// Esc, sent where the focus is, stops a load of all rows; so do a click on the view-switch label
// the bar shows during the load and Enter on it once the keyboard has put the focus there (that
// load runs inside PopulateList, which returns once it has stopped). The rows read stay, the
// counter says how many of all, PopulatedList comes once, the view stays unpaged, and the bar
// works as ever afterwards.
TEST_F(LongLoad, EscOrTheViewSwitchLabelStopsTheLoadKeepingTheRowsReadSoFar)
{
    const auto viewSwitch = [this] {
        return child(child("lblPaginaRisultati")->isVisible() ? "lblPaginaRisultati" : "lblCaricatutti");
    };
    using Stop = std::pair<const char*, std::function<void()>>;
    const Stop stops[] = {
        {"Esc", [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
        {"a click on the label", [&] { QTest::mouseClick(viewSwitch(), Qt::LeftButton); }},
        {"Enter on the focused label", [&] {
             viewSwitch()->setFocus(Qt::TabFocusReason);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         }},
    };
    for (const auto& [way, stop] : stops) {
        SCOPED_TRACE(way);
        open();
        QAbstractItemModelTester tester(control->ListView->model(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        const bool byKey = std::string(way) == "Esc";
        if (!byKey)
            control->setPaged(false);
        ASSERT_TRUE(whileLoading([&] { byKey ? loadAll() : control->PopulateList(); }, stop));
        expectStopped();
        EXPECT_TRUE(child("fraPaginazione")->isVisible());

        click("lblPaginaRisultati");
        click("lblPag(2)");
        const int perPage = control->PageSize();
        EXPECT_EQ((QList<int>{control->Paged(), control->AbsolutePage(), rows(), int(populated->count())}),
                  (QList<int>{true, 2, perPage, 3}));
        EXPECT_EQ(control->ListView->ListItems().Item(1)->Text(), QString::number(perPage + 1));
        EXPECT_EQ(counter().rfind(QStringLiteral("There are %1 records in ").arg(kRows).toStdString(), 0), 0u)
            << counter();
        delete window;
    }
}

// The load is over when PopulatedList comes: the host's handler may move the list at once, as
// after any load (here to page 1 of the paged size, once).
TEST_F(LongLoad, PopulatedListHandlerMayUseTheControlAfterAStoppedLoad)
{
    open();
    bool moved = false;
    QObject::connect(control, &Tessaro::PopulatedList, control, [&] {
        if (std::exchange(moved, true))
            return;
        control->GoToPage(1);
    });
    ASSERT_TRUE(whileLoading([&] { loadAll(); },
                             [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }));
    // the handler's page replaced the rows kept
    EXPECT_EQ((QList<int>{moved, int(populated->count()), control->AbsolutePage(), rows()}),
              (QList<int>{true, 2, 1, control->PageSize()}));
}

// The control's own actions asked for during the load are refused without a word: the load goes
// on in order, is then stopped by Esc, and the list and bar are what the load alone made.
TEST_F(LongLoad, ActionsDuringTheLoadAreRefusedQuietly)
{
    using Action = std::pair<const char*, std::function<void(LongLoad&)>>;
    const Action actions[] = {
        {"header click", [](LongLoad& t) {
             QHeaderView* header = t.control->ListView->horizontalHeader();
             QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                               QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
         }},
        {"host moves to page 3", [](LongLoad& t) { t.control->GoToPage(3); }},
        {"host moves to the next pages", [](LongLoad& t) { t.control->MoveToNextPage(); }},
        {"host PopulateList", [](LongLoad& t) { t.control->PopulateList(); }},
        {"host Init_class", [](LongLoad& t) { t.control->Init_class(QString::fromLatin1(kApplication), true); }},
        {"find typed into the search box", [](LongLoad& t) {
             QWidget* box = t.child("txtRicerca");
             // the first column holds the id: "42" would select row 42
             t.control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(0);
             QTest::mouseClick(box, Qt::LeftButton);
             QTest::keyClicks(box, "42");
             QTest::keyClick(box, Qt::Key_Return);
         }},
        {"totals button", [](LongLoad& t) {
             t.control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(0);
             QTest::mouseClick(t.child("cmdSomma"), Qt::LeftButton); // would show the totals box
         }},
        {"resize", [](LongLoad& t) { t.control->resize(500, 260); }},
        {"host CambiaLingua", [](LongLoad& t) { t.control->CambiaLingua(t.folder.path()); }},
    };
    for (const auto& [name, action] : actions) {
        SCOPED_TRACE(name);
        boxes.clear();
        open();
        control->setIntestazioneVisibile(true);
        populated->clear(); // the panel's refit of the page is no part of the load
        control->ListView->setFocus();
        ASSERT_TRUE(whileLoading([&] { loadAll(); }, [&, action = action] {
            action(*this);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }));
        expectStopped();
        delete window;
    }
}

// The host lets the control go in the middle of the load, from a timer: the load ends there and
// nothing of the control is touched afterwards.
TEST_F(LongLoad, TeardownDuringTheLoadIsSafe)
{
    using Teardown = std::pair<const char*, std::function<void(LongLoad&)>>;
    const Teardown teardowns[] = {
        {"delete the control", [](LongLoad& t) { delete t.control; }},
        {"deleteLater the control", [](LongLoad& t) { t.control->deleteLater(); }},
        {"close the WA_DeleteOnClose window", [](LongLoad& t) { t.window->close(); }},
        {"delete the window", [](LongLoad& t) { delete t.window; }},
    };
    for (const auto& [name, teardown] : teardowns) {
        SCOPED_TRACE(name);
        boxes.clear();
        open();
        control->setPaged(false);
        Tessaro* const loading = control;
        EXPECT_TRUE(whileLoading([&] { loading->PopulateList(); }, [&, teardown = teardown] { teardown(*this); }));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(control.isNull());
        EXPECT_TRUE(boxes.messages().empty());
        delete window;
    }
}

// The user keeps scrolling to the bottom during the load (clicked on a page with icons, or run
// by PopulateList in the unpaged view, before the list ever had them): each time the list shows
// the last row read so far, and it is painted with rows that had not arrived before, in their
// final place (with the room of the icons they get once the load ends). Once the load has been
// stopped, Ctrl+End and the scroll bar both reach the last row.
TEST_F(LongLoad, TheBottomOfTheListShowsTheRowsAsTheyArrive)
{
    // Distinct bottom rows painted before the user stops the load.
    constexpr std::size_t kArrivalsSeen = 3;
    for (const bool clicked : {true, false}) {
        SCOPED_TRACE(clicked ? "load all clicked" : "PopulateList unpaged");
        open();
        control->ImageList = std::make_shared<ImageList>();
        control->ImageList->Add(QIcon(QPixmap(16, 16)));
        control->setColonnaIndiceImmagine(2); // the last column, 1 on every row
        if (clicked) {
            control->PopulateList();
        } else { // as a new control's first load: an empty list
            control->setPaged(false);
            control->ListView->ListItems().Clear();
        }
        ListView& list = *control->ListView;
        QScrollBar& bar = *list.verticalScrollBar();
        test::BottomRowsPainted painted(list);
        // The window is busy at the load's first yield for longer than the load waits before it shows
        // its progress: the progress then shows a yield later, with nearly all rows still to come, so
        // the user's scrolling meets the arrivals however fast the machine reads.
        QTimer busyWindow;
        busyWindow.setInterval(kWatchMilliseconds);
        QObject::connect(&busyWindow, &QTimer::timeout, [&] {
            if (control->MousePointer() != static_cast<int>(PointerShape::Hourglass))
                return;
            busyWindow.stop();
            QTest::qSleep(kBusyWindowMilliseconds);
        });
        busyWindow.start();
        QTimer follower;
        follower.setInterval(kWatchMilliseconds);
        QObject::connect(&follower, &QTimer::timeout, [&] {
            bar.setValue(bar.maximum());
            EXPECT_EQ(test::bottomRowShown(list), list.model()->rowCount() - 1)
                << "the scroll bar reaches the last row read";
            if (painted.rows().size() >= kArrivalsSeen + 1) { // + what the list showed before the load
                follower.stop();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            }
        });
        ASSERT_TRUE(whileLoading([&] { clicked ? loadAll() : control->PopulateList(); }, [&] { follower.start(); }));
        EXPECT_FALSE(follower.isActive()) << "the load ended before the user saw the rows arrive";
        EXPECT_EQ(painted.withoutIconRoom(), std::set<int>()) << "rows drawn in their final place as they arrive";
        const int kept = rows();
        ASSERT_LT(kept, kRows);
        EXPECT_EQ(counter(), keptText(kept));

        bar.setValue(0);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(list.model()->index(0, 0)).center());
        ASSERT_EQ(list.currentIndex().row(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(std::make_pair(list.currentIndex().row(), test::bottomRowShown(list)), std::make_pair(kept - 1, kept - 1));
        bar.setValue(0);
        EXPECT_EQ(list.rowAt(0), 0);
        bar.setValue(bar.maximum());
        EXPECT_EQ(test::bottomRowShown(list), kept - 1);
        delete window;
    }
}

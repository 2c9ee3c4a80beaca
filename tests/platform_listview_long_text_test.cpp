#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

// Far above what painting a screenful of cut texts takes, far below the pause of laying out
// ten million characters; only a hang is caught here, speed is the benchmarks' business.
constexpr qint64 kHangMilliseconds = 1000;

// A shown control over a SQLite row whose second column holds ten million characters, and a
// row of short texts.
struct LongText : ::testing::Test {
    QTemporaryDir settings;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;
    Tessaro control;

    LongText()
    {
        qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
        database.exec(QStringLiteral("CREATE TABLE big (id INTEGER PRIMARY KEY, name TEXT, body TEXT)"));
        database.exec(QStringLiteral(
            "INSERT INTO big VALUES (1, 'first', hex(zeroblob(5000000))), (2, 'second', 'short')"));
        control.resize(600, 300);
        control.show();
        QApplication::setActiveWindow(&control);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&control));
        control.setDBConnection(database.db());
        control.setQuery(QStringLiteral("SELECT id, name, body FROM big ORDER BY id"));
        control.Init_class(QStringLiteral("LongTextTest"), true);
        control.PopulateList();
        QApplication::processEvents();
    }
    // The user closes the window before the host deletes the control.
    ~LongText() override { control.close(); }
};

} // namespace

// The host reads the whole text; painting the list and fitting the column to its contents (a
// double-click on the header edge) measure only what is drawn, and the fitted column is as wide
// as the drawn part, a few thousand characters.
TEST_F(LongText, ATenMegabyteCellPaintsAndFitsItsColumnWithoutAPause)
{
    ListView& list = *control.ListView;
    ASSERT_EQ(list.ListItems().Count(), 2);
    EXPECT_EQ(list.ListItems().Item(1)->SubItems(1), QString(10'000'000, '0'));

    QHeaderView* header = list.horizontalHeader();
    const QPoint edge(header->sectionViewportPosition(1) + header->sectionSize(1) - 1, header->height() / 2);
    QElapsedTimer clock;
    clock.start();
    list.viewport()->repaint();
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, edge);
    list.viewport()->repaint();
    EXPECT_LT(clock.elapsed(), kHangMilliseconds) << "painted, fitted and painted again";
    const int widest = list.fontMetrics().horizontalAdvance(QString(4097, '0'));
    EXPECT_GT(header->sectionSize(1), widest / 2) << "the column was not fitted";
    EXPECT_LT(header->sectionSize(1), widest * 2);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}

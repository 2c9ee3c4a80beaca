#include <tessaro/ListView.h>
#include <tessaro/Tessaro.h>

#include "support/ShownControl.h"
#include "support/TestHelpers.h"

#include "platform/controls/KeyEvents.h"
#include "platform/controls/TwipsGeometry.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using tessaro::ListItem;
using tessaro::ListView;
using tessaro::test::errorNumberOf;

namespace {

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(600, 300);
        for (const auto& [caption, twips] : {std::pair{"Name", 2000}, {"City", 1500}, {"Amount", 1500}})
            list.ColumnHeaders().Add(QString::fromLatin1(caption), twips);
    }
    // Adds an item per name, with the city of the same position as its first sub-item.
    void addRows(const QStringList& names, const QStringList& cities = {})
    {
        for (int i = 0; i < names.size(); ++i)
            list.ListItems().Add(names[i])->setSubItems(1, cities.value(i));
    }
    void showList()
    {
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        QApplication::processEvents();
    }
    // What the model shows in `column`, or only in the rows the view shows selected.
    QStringList shown(int column = 0, bool selectedOnly = false) const
    {
        QStringList texts;
        for (int row = 0; row < list.model()->rowCount(); ++row)
            if (!selectedOnly || list.selectionModel()->isRowSelected(row))
                texts << list.model()->index(row, column).data().toString();
        return texts;
    }

    ListView list;
    // Every change a test makes is checked as it reaches the views; a fault ends the run.
    QAbstractItemModelTester tester{list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

// Removing an item is checked with the storage; here, which numbers collections and properties take.
TEST_F(ListViewTest, HeaderAlignmentReachesItsColumn)
{
    tessaro::ColumnHeader* extra = list.ColumnHeaders().Add(QStringLiteral("Date"), 1200);
    EXPECT_EQ(extra->Index(), 4);
    EXPECT_EQ(list.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Date"));
    addRows({"one", "two"});
    const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter}; // by number, from 0
    for (int alignment = 0; alignment < 3; ++alignment) {
        list.ColumnHeaders().Item(3)->setAlignment(alignment);
        for (const QVariant& value : {list.model()->index(1, 2).data(Qt::TextAlignmentRole),
                                      list.model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole)})
            EXPECT_EQ(qvariant_cast<Qt::Alignment>(value) & Qt::AlignHorizontal_Mask, expected[alignment]) << alignment;
    }
    list.ListItems().Clear();
    list.ColumnHeaders().Clear();
    EXPECT_EQ(list.model()->rowCount() + list.model()->columnCount(), 0);
}

TEST_F(ListViewTest, OutOfRangeIndexesAndValuesAreRefused)
{
    addRows({"one", "two"});
    tessaro::ColumnHeader* last = list.ColumnHeaders().Item(3);
    const std::function<void()> calls[] = {[&] { list.ColumnHeaders().Item(0); }, [&] { list.ColumnHeaders().Item(4); },
        [&] { list.ListItems().Item(3); }, [&] { list.ListItems().Remove(0); }, [&] { last->setWidth(-1); },
        [&] { last->setAlignment(3); }, [&] { list.setView(4); }, [&] { list.setBorderStyle(2); },
        [&] { list.setSortKey(-1); }, [&] { list.setSortOrder(2); }};
    QList<int> errors;
    for (const auto& call : calls)
        errors << errorNumberOf(call);
    EXPECT_EQ(errors, (QList<int>{35600, 35600, 35600, 35600, 380, 380, 380, 380, 380, 380}));
}

// Sizes are kept in twips, pixels derived from them at 15 twips a pixel (a column's width as the
// fill sets it is checked there); a dragged section gives its header the width back from its pixels.
TEST_F(ListViewTest, PixelsDeriveFromTheTwipsKept)
{
    ASSERT_EQ(tessaro::TwipsGeometry::twipsPerPixel(&list), 15.0) << "the offscreen screen is expected at 96 dpi";
    list.Move(150, 300, 9015, 2160.5);
    EXPECT_EQ(list.geometry(), QRect(10, 20, 601, 144)); // each / 15, rounded: 2160.5 gives 144.03
    EXPECT_EQ(errorNumberOf([&] { list.setHeight(-1); }), 380);
    EXPECT_EQ(list.Height(), 2160.5) << "kept as set, not as pixels, and untouched by a bad value";
    addRows({"one", "two"});
    EXPECT_EQ(list.ListItems().Item(1)->Height(), list.rowHeight(0) * 15.0);

    showList();
    QHeaderView* bar = list.header();
    const int before = bar->sectionSize(0);
    const QPoint edge(bar->sectionViewportPosition(0) + before - 1, bar->height() / 2), to = edge + QPoint(40, 0);
    QTest::mousePress(bar->viewport(), Qt::LeftButton, {}, edge);
    QMouseEvent move(QEvent::MouseMove, to, bar->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(bar->viewport(), &move);
    QTest::mouseRelease(bar->viewport(), Qt::LeftButton, {}, to);
    ASSERT_NE(bar->sectionSize(0), before) << "the drag did not resize the section";
    EXPECT_EQ(list.ColumnHeaders().Item(1)->Width(), bar->sectionSize(0) * 15.0);
    EXPECT_EQ(list.ColumnHeaders().Item(2)->Width(), 1500) << "a neighbour keeps its own width";
    // A table view would select the column on a header click; a list must not.
    QSignalSpy columnClicks(&list, &ListView::ColumnClick);
    QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, QPoint(bar->sectionViewportPosition(1) + 5, edge.y()));
    ASSERT_EQ(columnClicks.count(), 1);
    EXPECT_FALSE(list.selectionModel()->hasSelection()) << "the header click selected";
}

// How texts compare is TextOrderTest's, sorting by header clicks the control's suite's; here the
// list moves the items themselves, stably both ways.
TEST_F(ListViewTest, SortingMovesTheItemsThemselvesStably)
{
    addRows({"banana", "Apple", "cherry", "apple"}, {"Roma", "Milano", "Napoli", "Milano"});
    ListItem* upper = list.ListItems().Item(2);
    list.setSortKey(1);
    EXPECT_EQ(shown(), QStringList({"banana", "Apple", "cherry", "apple"})) << "SortKey alone does not sort";
    list.setSorted(true);
    EXPECT_EQ(shown(), QStringList({"Apple", "apple", "cherry", "banana"})) << "equal keys keep their order";
    EXPECT_EQ(upper->Index(), 1);
    list.setSortOrder(1);
    EXPECT_EQ(shown(), QStringList({"banana", "cherry", "Apple", "apple"}));
    addRows({"date"}, {"Torino"});
    EXPECT_EQ(list.ListItems().Item(1)->Text(), QStringLiteral("date")) << "an item added while sorted takes its place";
    QApplication::processEvents(); // the views learn of the new order later
}

TEST_F(ListViewTest, SelectionFlagsReachTheViewThroughSortingAndRemoval)
{
    addRows({"b", "a", "c"});
    ListItem* b = list.ListItems().Item(1);
    ListItem* c = list.ListItems().Item(3);
    c->setSelected(true);
    list.ListItems().Item(2)->setSelected(true);
    QApplication::processEvents();
    EXPECT_EQ(shown(0, true), QStringList({"a", "c"}));
    list.selectionModel()->setCurrentIndex(list.model()->index(0, 0), QItemSelectionModel::NoUpdate); // b
    list.setSorted(true); // a, b, c
    list.Refresh();
    EXPECT_EQ(list.currentIndex().row(), 1) << "the current item follows its item";
    EXPECT_EQ(shown(0, true), QStringList({"a", "c"}));
    EXPECT_EQ(list.SelectedItem(), list.ListItems().Item(1)) << "the current item is not selected: the first selected";
    list.ListItems().Remove(1);
    list.Refresh();
    EXPECT_EQ(shown(0, true), QStringList({"c"}));
    EXPECT_EQ(list.SelectedItem(), c);
    list.setSelectedItem(b);
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(list.currentIndex().row(), 0);
    list.ColumnHeaders().Add(QStringLiteral("Extra"));
    list.Refresh();
    EXPECT_EQ(shown(0, true), QStringList({"b"})) << "a new column joins the selected row";
    list.setSelectedItem(nullptr);
    EXPECT_FALSE(list.SelectedItem() || list.selectionModel()->hasSelection()) << "nothing selected, flags or view";
}

// A run in the middle, one at the start, none, one at the end, and runs too many to announce one
// by one (a fresh start). The current row (the middle one) passes to the nearest kept row above,
// else below.
TEST_F(ListViewTest, RemovingTheSelectedRowsAtOnceLeavesTheOthersInOrder)
{
    const struct { const char* name; int rows; std::function<bool(int)> selected; QString current; } cases[] = {
        {"rows 2 to 4 of 5", 5, [](int i) { return i >= 2 && i <= 4; }, "row 1"},
        {"rows 1 to 3 of 5", 5, [](int i) { return i <= 3; }, "row 4"}, {"none", 5, [](int) { return false; }, "row 3"},
        {"the last three", 40, [](int i) { return i > 37; }, "row 20"},
        {"every other row of 200", 200, [](int i) { return i % 2 == 0; }, "row 99"},
        {"all", 70, [](int) { return true; }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.ListItems().Clear();
        QStringList kept;
        for (int i = 1; i <= c.rows; ++i) {
            list.ListItems().Add(QStringLiteral("row %1").arg(i))->setSelected(c.selected(i));
            if (!c.selected(i))
                kept << QStringLiteral("row %1").arg(i);
        }
        ListItem* last = list.ListItems().Item(c.rows);
        showList();
        list.selectionModel()->setCurrentIndex(list.model()->index((c.rows - 1) / 2, 0), QItemSelectionModel::NoUpdate);
        EXPECT_EQ(list.ListItems().RemoveSelected(), c.rows - kept.size());
        list.Refresh();
        QApplication::processEvents();
        EXPECT_EQ(shown(), kept);
        EXPECT_EQ(list.currentIndex().data().toString(), c.current);
        EXPECT_FALSE(list.SelectedItem() || list.selectionModel()->hasSelection()) << "nothing selected, flags or view";
        if (!c.selected(c.rows))
            EXPECT_EQ(last->Index(), kept.size()) << "kept items stay the same objects";
    }
}

// KeyUp hands these on; the control's suite sees Delete arrive through it. Letters, digits and
// function keys are computed, the rest looked up.
TEST(ListKeyCodes, QtKeysAndModifiersMapToKeyCodes)
{
    for (const auto& [key, code] : {std::pair{Qt::Key_A, 65}, {Qt::Key_Z, 90}, {Qt::Key_7, 55}, {Qt::Key_F1, 112},
             {Qt::Key_F5, 116}, {Qt::Key_Down, 40}, {Qt::Key_Shift, 16}})
        EXPECT_EQ(tessaro::keyCodeOf(key), code) << "Qt key " << key;
    // Two mixes that catch any two of the three bits swapped; Meta counts for nothing.
    EXPECT_EQ(tessaro::shiftOf(Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier), 3);
    EXPECT_EQ(tessaro::shiftOf(Qt::ControlModifier | Qt::AltModifier), 6);
}

TEST_F(ListViewTest, FocusChangesAreReported)
{
    auto* other = new QLineEdit(&list);
    showList();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&list));
    other->setFocus();
    QSignalSpy gained(&list, &ListView::GotFocus), lost(&list, &ListView::LostFocus);
    list.setFocus();
    other->setFocus();
    EXPECT_EQ(QList<qsizetype>({gained.count(), lost.count()}), QList<qsizetype>({1, 1})) << "GotFocus, LostFocus";
}

TEST_F(ListViewTest, TheFirstColumnCarriesTheItemsDecorations)
{
    auto images = std::make_shared<tessaro::ImageList>();
    images->Add(QIcon(QPixmap(16, 16)));
    addRows({"row", "no icon"});
    ListItem* item = list.ListItems().Item(1);
    const QModelIndex first = list.model()->index(0, 0);
    // Rows without an image of the list keep its room: an icon, but none of the list's.
    const auto icon = [&](const QModelIndex& cell) {
        const QIcon icon = qvariant_cast<QIcon>(cell.data(Qt::DecorationRole));
        return icon.isNull() ? "none" : icon.cacheKey() == images->Item(1).cacheKey() ? "image 1" : "room";
    };
    item->setSmallIcon(1);
    EXPECT_STREQ(icon(first), "none") << "no image list yet";
    list.setSmallIcons(images);
    EXPECT_EQ(QList<std::string>({icon(first), icon(list.model()->index(0, 1)), icon(list.model()->index(1, 0))}),
              QList<std::string>({"image 1", "none", "room"})) << "image 0 is none";
    item->setSmallIcon(2);
    EXPECT_STREQ(icon(first), "room") << "a number beyond the list shows none";

    EXPECT_FALSE(first.data(Qt::CheckStateRole).isValid());
    list.setCheckBoxes(true);
    EXPECT_TRUE(first.flags() & Qt::ItemIsUserCheckable);
    item->setChecked(true);
    EXPECT_EQ(first.data(Qt::CheckStateRole).toInt(), Qt::Checked);
    ASSERT_TRUE(list.model()->setData(first, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(item->Checked());
}

// A cell or caption of more than 4096 UTF-16 units is drawn as its first 4096 and an ellipsis,
// cut between characters, whatever their UTF-8 length; items and headers keep the whole texts.
TEST_F(ListViewTest, LongTextsAreDrawnCutAfter4096Units)
{
    const QString ellipsis(QChar(0x2026)), smile = QStringLiteral("\U0001F600"); // two units, four UTF-8 bytes
    const struct { const char* name; QString text, shown; } cases[] = {
        {"short", QStringLiteral("plain"), QStringLiteral("plain")},
        {"exactly 4096", QString(4096, 'x'), QString(4096, 'x')}, {"4097", QString(4097, 'x'), QString(4096, 'x') + ellipsis},
        {"two-byte letters", QString(5000, QChar(0xE8)), QString(4096, QChar(0xE8)) + ellipsis},
        {"three-byte signs", QString(4097, QChar(0x20AC)), QString(4096, QChar(0x20AC)) + ellipsis},
        {"pairs ending at the cut", smile.repeated(3000), smile.repeated(2048) + ellipsis},
        {"a pair across the cut", 'a' + smile.repeated(3000), 'a' + smile.repeated(2047) + ellipsis},
        {"ten megabytes", QString(10'000'000, 'y'), QString(4096, 'y') + ellipsis},
    };
    for (const auto& c : cases) {
        list.ListItems().Clear();
        addRows({c.text}, {c.text});
        list.ColumnHeaders().Item(3)->setText(c.text);
        const QStringList drawn{shown(0)[0], shown(1)[0], list.model()->headerData(2, Qt::Horizontal).toString()};
        const QStringList kept{list.ListItems().Item(1)->Text(), list.ListItems().Item(1)->SubItems(1),
                               list.ColumnHeaders().Item(3)->Text()};
        // Not by EXPECT_EQ: texts too long to print.
        EXPECT_TRUE(drawn == QStringList(3, c.shown)) << c.name << ": drawn " << drawn[0].size() << " units";
        EXPECT_TRUE(kept == QStringList(3, c.text)) << c.name << ": kept " << kept[0].size() << " units";
    }
}

TEST_F(ListViewTest, ABulkAddReachesTheModelInOneInsertion)
{
    addRows({"before"});
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    list.beginBulkAdd();
    list.beginBulkAdd(); // nests
    for (int i = 0; i < 50; ++i)
        addRows({QStringLiteral("row %1").arg(i)}, {QStringLiteral("city")});
    EXPECT_EQ(list.ListItems().Item(51)->SubItems(1), QStringLiteral("city")) << "items can be read while the views wait";
    list.endBulkAdd();
    EXPECT_EQ(inserted.count(), 0) << "only the outer end tells the views";
    list.endBulkAdd();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).mid(1), QVariantList({1, 50})) << "rows 1 to 50, after the one there was";
    EXPECT_EQ(list.model()->index(50, 0).data().toString(), QStringLiteral("row 49"));
}

// A shown control over a SQLite row whose second column holds ten million characters, and a row of
// short texts. The host reads the whole text; painting the list and fitting the column to its
// contents (a double-click on the header edge) measure only what is drawn, and the fitted column is
// as wide as the drawn part, a few thousand characters. The bound only catches a hang: far above
// painting a screenful of cut texts, far below laying out ten million characters.
using ListViewLongText = tessaro::test::ShownControl;

TEST_F(ListViewLongText, ATenMegabyteCellPaintsWithoutAPause)
{
    constexpr qint64 kHangMilliseconds = 1000;
    database.exec(QStringLiteral("CREATE TABLE big (id INTEGER PRIMARY KEY, name TEXT, body TEXT)"));
    database.exec(QStringLiteral("INSERT INTO big VALUES (1, 'first', hex(zeroblob(5000000))), (2, 'second', 'short')"));
    showAt(600, 300);
    load(QStringLiteral("SELECT id, name, body FROM big ORDER BY id"), false, QStringLiteral("LongTextTest"));
    QApplication::processEvents();
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
    EXPECT_TRUE(header->sectionSize(1) > widest / 2 && header->sectionSize(1) < widest * 2) << header->sectionSize(1);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
}

} // namespace

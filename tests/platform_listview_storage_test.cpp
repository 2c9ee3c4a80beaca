// What the list keeps for its items: texts, tags and sub-items through rewrites, growth,
// removal and reuse of records; and the order in which it sorts texts.

#include <tessaro/ListView.h>

#include "support/PaintedRows.h"
#include "support/TestHelpers.h"

#include "platform/listview/RowAppender.h"
#include "platform/listview/TextOrder.h"

#include <QAbstractItemModelTester>
#include <QDate>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

using tessaro::ListItem;

namespace {

class ListStorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* caption : {"Name", "City", "Amount"})
            list.ColumnHeaders().Add(QString::fromLatin1(caption));
    }

    // Adds an item with `texts`: its own, then its sub-items'.
    ListItem* addRow(const QStringList& texts)
    {
        ListItem* item = list.ListItems().Add(texts.first());
        for (int k = 1; k < texts.size(); ++k)
            item->setSubItems(k, texts[k]);
        return item;
    }

    // The item's text, then its sub-items' texts, each followed by "|tag" when it has a tag.
    QStringList cells(ListItem* item) const
    {
        const auto cell = [](const QString& text, const QVariant& tag) { return tag.isValid() ? text + '|' + tag.toString() : text; };
        QStringList cells{cell(item->Text(), item->Tag())};
        for (int k = 1; k < list.ColumnHeaders().Count(); ++k)
            cells << cell(item->SubItems(k), item->ListSubItems(k)->Tag());
        return cells;
    }

    tessaro::ListView list;
};

// The typed nulls are what a database hands over for a Null integer or text; each equals its
// type's zero unless isNull is compared too.
TEST_F(ListStorageTest, ItemTagKeepsItsTypedValue)
{
    ListItem* item = addRow({"row"});
    const QVariant cases[] = {42, -7, qlonglong(1) << 40, std::numeric_limits<qlonglong>::min(), QStringLiteral("key è"),
        QString(), 2.5, QDate(2024, 2, 29), QVariant(QMetaType::fromType<int>()), QVariant(QMetaType::fromType<QString>()),
        QVariant()};
    for (const QVariant& tag : cases) {
        item->setTag(tag);
        const QVariant kept = item->Tag();
        EXPECT_EQ(std::tuple(kept.metaType(), kept.isNull(), kept), std::tuple(tag.metaType(), tag.isNull(), tag))
            << (tag.metaType().name() ? tag.metaType().name() : "invalid");
    }
}

// A sub-item's tag is a value of its own even when it starts out as its text. An item filled
// before more headers arrive must move its cells, sub-items handed out earlier still speaking for
// the same cell; removing a header moves the later columns' cells down.
TEST_F(ListStorageTest, SubItemsFollowTheirColumns)
{
    QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    ListItem* item = addRow({"a", "Roma"});
    tessaro::ListSubItem* city = item->ListSubItems(1);
    EXPECT_EQ(cells(item), QStringList({"a", "Roma", ""})) << "no tags until set; a sub-item never set is empty";
    city->setTag(QStringLiteral("Roma"));
    item->setSubItems(1, QStringLiteral("b"));
    EXPECT_EQ(cells(item)[1], QStringLiteral("b|Roma"));
    city->setTag(QVariant());
    EXPECT_EQ(cells(item)[1], QStringLiteral("b"));
    // Three headers: sub-items 1 and 2.
    using tessaro::test::errorNumberOf;
    EXPECT_EQ((QList<int>{errorNumberOf([&] { item->SubItems(0); }), errorNumberOf([&] { item->SubItems(3); }),
                  errorNumberOf([&] { item->ListSubItems(3); })}), QList<int>(3, 35600));

    city->setTag(QStringLiteral("tag b"));
    item->setSubItems(2, QStringLiteral("c"));
    item->ListSubItems(2)->setTag(QStringLiteral("tag c"));
    list.ColumnHeaders().Add(QStringLiteral("Date")), list.ColumnHeaders().Add(QStringLiteral("Note"));
    item->setSubItems(4, QStringLiteral("e"));
    city->setText(QStringLiteral("B"));
    EXPECT_EQ(cells(item), QStringList({"a", "B|tag b", "c|tag c", "", "e"}));

    list.ColumnHeaders().Remove(2);
    EXPECT_EQ(list.ColumnHeaders().Item(2)->Index(), 2);
    EXPECT_EQ(cells(item), QStringList({"a", "c|tag c", "", "e"}));
    list.ColumnHeaders().Remove(1);
    EXPECT_EQ(cells(item), QStringList({"c", "", "e"}));
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), QStringLiteral("c"));
}

// Rewriting texts appends to the text store until it copies the live texts out; every text and
// tag (shared with its text or not) must come through that unchanged. A text longer than one block
// of the store gets a block of its own; its neighbours, stored before and after it, stay intact.
TEST_F(ListStorageTest, TextsSurviveRewritesOfTheirStore)
{
    const QString padding(1000, QLatin1Char('x'));
    for (int i = 0; i < 200; ++i) {
        ListItem* item = addRow({QString::number(i)});
        item->setTag(QStringLiteral("key %1").arg(i));
        item->ListSubItems(2)->setTag(QStringLiteral("own %1").arg(i));
    }
    for (int round = 0; round < 250; ++round)
        for (ListItem* item : list.ListItems()) {
            const QString text = QStringLiteral("%1 %2 %3").arg(round).arg(item->Text(), padding);
            item->setSubItems(1, text);
            item->ListSubItems(1)->setTag(text);
        }
    for (ListItem* item : list.ListItems()) {
        const QString i = QString::number(item->Index() - 1);
        const QString last = QStringLiteral("249 %1 %2").arg(i, padding);
        EXPECT_EQ(cells(item), QStringList({i + "|key " + i, last + '|' + last, "|own " + i}))
            << "item " << i.toStdString();
    }

    const QString huge = QString(5 * 1024 * 1024, QLatin1Char('x')) + QStringLiteral("è end");
    ListItem* before = addRow({"before", "città"});
    ListItem* big = addRow({huge, huge});
    ListItem* after = addRow({"after"});
    EXPECT_TRUE(big->Text() == huge && big->SubItems(1) == huge); // not by EXPECT_EQ: 5 MB to print
    EXPECT_EQ(cells(before) + cells(after), QStringList({"before", "città", "", "after", "", ""}));
}

// Enough rows that records and cells span several storage chunks; removed records are reused by
// later items, which must start out blank.
TEST_F(ListStorageTest, ARecordReusedAmongManyChunksStartsBlank)
{
    const int rows = 40000; // two sub-items each: more cells than one chunk holds
    for (int i = 0; i < rows; ++i)
        addRow({QString::number(i), QStringLiteral("c%1").arg(i), QStringLiteral("a%1").arg(i)})->setTag(i);
    for (int i : {0, 4095, 4096, 32767, 32768, 39999})
        EXPECT_EQ(cells(list.ListItems().Item(i + 1)),
            QStringList({QStringLiteral("%1|%1").arg(i), QStringLiteral("c%1").arg(i), QStringLiteral("a%1").arg(i)}));

    ListItem* removed = list.ListItems().Item(10);
    removed->setSelected(true), removed->setChecked(true), removed->setSmallIcon(3);
    removed->ListSubItems(1)->setTag(QStringLiteral("old"));
    list.ListItems().Remove(10);
    ListItem* fresh = list.ListItems().Add(QStringLiteral("fresh"));
    EXPECT_EQ(cells(list.ListItems().Item(10)).first(), QStringLiteral("10|10")) << "the gap closed";
    EXPECT_EQ(fresh->Index(), rows);
    EXPECT_EQ(cells(fresh), QStringList({"fresh", "", ""}));
    EXPECT_FALSE(fresh->Selected() || fresh->Checked() || fresh->SmallIcon() != 0 || list.SelectedItem());
}

// Runs of blanks at either end are kept as counts, and numbers, dates and times two characters
// to a byte: every text must read back byte for byte, as the item's text, a sub-item's text and
// tag, and in the view; rewriting a cell with the same text is no change, one character more or
// less is one.
TEST_F(ListStorageTest, StoredTextsReadBackExactly)
{
    const QString longRun(300, QLatin1Char(' ')); // counts past one byte of the record
    const QString texts[] = {"    ", " ", "a   ", "   a", "  a  ", "a    b", "\t   a   \t", "    città    ",
        longRun + "x" + longRun, longRun, "abcdefgh        ", "abcdefgh       ", "abcdefg        ",
        "ab    x   " /* blanks before the last ones in the same eight bytes */,
        // Packed: even and odd lengths, every sign of the alphabet, the longest and one past it.
        "1234", "-0.5", "01/01/2000 23:59", "-1,234.50", "12:30:00", "9876543210987654321098765432109",
        "98765432109876543210987654321098", "1234a", "a1234", "12 34", "\u0661\u0662\u0663\u0664"};
    QSignalSpy changes(list.model(), &QAbstractItemModel::dataChanged);
    for (const QString& text : texts) {
        SCOPED_TRACE(QStringLiteral("'%1'").arg(text).toStdString());
        ListItem* item = addRow({text, text});
        item->ListSubItems(1)->setTag(text), item->setTag(text);
        EXPECT_EQ(cells(item), QStringList({text + '|' + text, text + '|' + text, ""}));
        if (text.size() < 100) // longer texts are shortened in the view
            EXPECT_EQ(list.model()->index(item->Index() - 1, 1).data().toString(), text);
        changes.clear();
        item->setSubItems(1, text), item->setText(text);
        EXPECT_EQ(changes.count(), 0) << "the same text again";
        item->setSubItems(1, text + ' '), item->setText(text.mid(1));
        EXPECT_EQ(changes.count(), 2);
        EXPECT_EQ(cells(item), QStringList({text.mid(1) + '|' + text, text + " |" + text, ""}));
    }
}

// A fill stores a text equal to its column's previous one once, for both rows: changing or
// removing either row must leave the other as it was, also once rewrites have made the store
// copy its live texts out, and sorting must still see each row's own text.
TEST_F(ListStorageTest, RowsSharingTextsStayApart)
{
    using tessaro::listview::ItemStore;
    const std::string padded = "Roma" + std::string(40, ' ');
    {
        tessaro::listview::RowAppender appender(list);
        for (int i = 0; i < 6; ++i) {
            const std::string name = i < 3 ? "same" : "other";
            const std::string amount = std::to_string(i / 2);
            const ItemStore::RowCell row[] = {{name}, {padded, true}, {amount, i % 2 == 0}};
            appender.append(QVariant(i), row, 3);
        }
    }
    const QString roma = QString::fromStdString(padded), romas = roma + '|' + roma;
    const auto expected = [&](int i) {
        const QString amount = QString::number(i / 2);
        return QStringList({(i < 3 ? "same|" : "other|") + QString::number(i), romas, i % 2 ? amount : amount + '|' + amount});
    };
    ASSERT_EQ(list.ListItems().Count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(cells(list.ListItems().Item(i + 1)), expected(i)) << "row " << i;

    list.ListItems().Item(2)->setSubItems(1, QStringLiteral("Bari"));
    list.ListItems().Item(2)->setText(QStringLiteral("changed"));
    list.ListItems().Item(4)->ListSubItems(2)->setTag(QStringLiteral("own"));
    list.ListItems().Remove(1);
    QList<QStringList> kept = {{"changed|1", "Bari|" + roma, "0"}, expected(2), {"other|3", romas, "1|own"}, expected(4),
        expected(5)};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(cells(list.ListItems().Item(i + 1)), kept[i]) << "row " << i;

    // Enough rewrites of one row that the store compacts, more than once.
    const QString padding(1000, QLatin1Char('x'));
    ListItem* churn = list.ListItems().Item(5);
    for (int round = 0; round < 80000; ++round)
        churn->setSubItems(2, QString::number(round) + padding);
    EXPECT_EQ(churn->SubItems(2), QStringLiteral("79999") + padding);
    churn->setSubItems(2, QStringLiteral("2"));
    kept[4] = {"other|5", romas, "2"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(cells(list.ListItems().Item(i + 1)), kept[i]) << "after compaction, row " << i;

    list.setSortKey(2);
    list.setSortOrder(1);
    list.setSorted(true);
    QStringList amounts;
    for (ListItem* item : list.ListItems())
        amounts << item->SubItems(2) + '/' + item->Tag().toString();
    EXPECT_EQ(amounts, QStringList({"2/4", "2/5", "1/2", "1/3", "0/1"}));
}

// A long fill shares a text with any recent row of its column that had it, not only the row
// before; a column of unique texts stops looking. A shared text must still belong to each row
// alone: rewriting one row, removing rows and the store's compaction leave the others' texts.
TEST_F(ListStorageTest, TextsRepeatedFarApartStayEachRowsOwn)
{
    using tessaro::listview::ItemStore;
    const int rows = 150000; // past the first lookups after which a column of unique texts gives up
    const auto city = [](int i) { return "city " + std::to_string(i % 7); };
    const auto amount = [](int i) { return std::to_string(i); };
    {
        tessaro::listview::RowAppender appender(list);
        for (int i = 0; i < rows; ++i) {
            const std::string name = "n" + std::to_string(i % 3), town = city(i), money = amount(i);
            const ItemStore::RowCell row[] = {{name}, {town, true}, {money, i % 5 != 0}};
            appender.append(QVariant(i), row, 3);
        }
    }
    const auto expected = [&](int i) {
        const QString town = QString::fromStdString(city(i)), money = QString::fromStdString(amount(i));
        return QStringList({QStringLiteral("n%1|%2").arg(i % 3).arg(i), town + '|' + town, i % 5 ? money + '|' + money : money});
    };
    list.ListItems().Item(5001)->setSubItems(1, QStringLiteral("Bari"));
    list.ListItems().Item(5001)->ListSubItems(1)->setText(QStringLiteral("Lecce"));
    list.ListItems().Remove(1);
    const QString padding(1000, QLatin1Char('x'));
    ListItem* churn = list.ListItems().Item(101);
    for (int round = 0; round < 80000; ++round) // the store compacts, more than once
        churn->setSubItems(2, QString::number(round) + padding);
    churn->setSubItems(2, QStringLiteral("own"));
    for (int i : {1, 100, 102, 4999, 5000, 5001, 5007, 70000, 140000, rows - 1}) {
        QStringList want = expected(i);
        if (i == 5000)
            want[1] = QStringLiteral("Lecce|") + QString::fromStdString(city(i));
        EXPECT_EQ(cells(list.ListItems().Item(i)), want) << "row " << i;
    }
    EXPECT_EQ(cells(churn), QStringList({"n2|101", "city 3|city 3", "own|101"}));
}

TEST(TextOrderTest, OrdersCaseInsensitivelyWithAccentsBreakingTies)
{
    const struct { const char* what; std::vector<std::string> texts; bool descending; std::vector<std::uint32_t> expected; } cases[] = {
        // "A" and "a" are equal (first added first); à and Á fold to a with their accent after it,
        // and U+00E0 comes before U+00E1.
        {"case and accents", {"b", "A", "a", "\xc3\x81", "\xc3\xa0"}, false, {1, 2, 4, 3, 0}},
        {"equal texts keep their order ascending", {"b", "a", "b", "a"}, false, {1, 3, 0, 2}},
        {"equal texts keep their order descending", {"b", "a", "b", "a"}, true, {0, 2, 1, 3}},
        {"a prefix comes first", {"abc", "ab", "abcd", ""}, false, {3, 1, 0, 2}},
        {"a shared start of any length",
            {"common start 0123456789Z", "common start 0123456789a", "common start 0123456789"}, false, {2, 1, 0}},
        // All three share no start, so the difference lies beyond the bytes compared inline.
        {"past the first 16 bytes", {"0123456789abcdefghij-b", "0123456789abcdefghij-a", "z"}, false, {1, 0, 2}},
        {"blanks before digits before letters", {"b", "1", " 2", "a"}, false, {2, 1, 3, 0}},
        {"é between e and f", {"f", "\xc3\xa9", "e"}, false, {2, 1, 0}},
    };
    for (const auto& c : cases) {
        const auto textAt = [&c](std::size_t i) { return std::string_view(c.texts[i]); };
        EXPECT_EQ(tessaro::listview::stableTextOrder(c.texts.size(), textAt, c.descending), c.expected) << c.what;
    }
}

} // namespace

// Rows a fill publishes where the list shows them are painted at once, into an empty list and
// below a short one; rows published below the last one on screen are reached by the scroll bar.
TEST_F(ListStorageTest, PublishedRowsShowWhereTheyLandInSight)
{
    // Only to catch a hang: a paint comes within a few event-loop turns.
    constexpr int kHangBoundMilliseconds = 5000;
    list.resize(300, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    tessaro::test::BottomRowsPainted painted(list);
    tessaro::listview::RowAppender appender(list);
    int added = 0;
    const auto publish = [&](int rows) {
        for (int i = 0; i < rows; ++i, ++added) {
            const std::string text = std::to_string(added);
            const tessaro::listview::ItemStore::RowCell row[] = {{text}};
            appender.append(QVariant(), row, 1);
        }
        appender.publish();
    };
    for (const int rows : {2, 3}) {
        publish(rows);
        EXPECT_TRUE(QTest::qWaitFor([&] { return painted.last() == added - 1; }, kHangBoundMilliseconds))
            << "after " << added << " rows the bottom row painted is " << painted.last();
    }
    publish(500);
    QCoreApplication::processEvents(); // the user acts once the list has taken the rows in
    QScrollBar& bar = *list.verticalScrollBar();
    bar.setValue(bar.maximum());
    EXPECT_TRUE(QTest::qWaitFor([&] { return painted.last() == added - 1; }, kHangBoundMilliseconds))
        << "scrolled to the bottom, the bottom row painted is " << painted.last();
}

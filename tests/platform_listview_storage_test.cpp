// What the list keeps for its items: texts, tags and sub-items through rewrites, growth,
// removal and reuse of records; and the order in which it sorts texts.

#include <tessaro/Error.h>
#include <tessaro/ListView.h>

#include "support/TestHelpers.h"

#include "platform/listview/TextOrder.h"

#include <QDate>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using tessaro::ListItem;
using tessaro::test::errorNumberOf;
using tessaro::ListView;

namespace {

class ListStorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.ColumnHeaders().Add(QStringLiteral("Name"));
        list.ColumnHeaders().Add(QStringLiteral("City"));
        list.ColumnHeaders().Add(QStringLiteral("Amount"));
    }

    ListItem* addRow(const QString& name, const QString& city = QString(), const QString& amount = QString())
    {
        ListItem* item = list.ListItems().Add(name);
        item->setSubItems(1, city);
        item->setSubItems(2, amount);
        return item;
    }

    ListView list;
};

TEST_F(ListStorageTest, ItemTagKeepsValueAndType)
{
    ListItem* item = addRow(QStringLiteral("row"));
    EXPECT_FALSE(item->Tag().isValid()) << "a fresh item has no tag";

    const QVariant cases[] = {
        QVariant(42),
        QVariant(-7),
        QVariant(qlonglong(1) << 40),
        QVariant(std::numeric_limits<qlonglong>::min()),
        QVariant(QStringLiteral("key è")),
        QVariant(QString()),
        QVariant(2.5),
        QVariant(QDate(2024, 2, 29)),
        QVariant(QMetaType::fromType<int>()),     // a database Null of an integer column
        QVariant(QMetaType::fromType<QString>()), // a database Null of a text column
        QVariant(),
    };
    for (const QVariant& tag : cases) {
        SCOPED_TRACE(tag.metaType().name() ? tag.metaType().name() : "invalid");
        item->setTag(tag);
        const QVariant kept = item->Tag();
        EXPECT_EQ(kept.metaType(), tag.metaType());
        EXPECT_EQ(kept.isNull(), tag.isNull());
        EXPECT_EQ(kept, tag);
    }
}

TEST_F(ListStorageTest, SubItemTextAndTagAreSeparateValues)
{
    ListItem* item = addRow(QStringLiteral("row"), QStringLiteral("Roma"));
    tessaro::ListSubItem* city = item->ListSubItems(1);
    EXPECT_FALSE(city->Tag().isValid()) << "a tag never set is null";
    EXPECT_EQ(city->Index(), 1);

    city->setTag(QStringLiteral("Roma"));
    item->setSubItems(1, QStringLiteral("20240101"));
    EXPECT_EQ(city->Text(), QStringLiteral("20240101"));
    EXPECT_EQ(city->Tag().toString(), QStringLiteral("Roma"));

    city->setTag(QStringLiteral("Milano"));
    item->setSubItems(1, QStringLiteral("Roma"));
    EXPECT_EQ(item->SubItems(1), QStringLiteral("Roma"));
    EXPECT_EQ(city->Tag().toString(), QStringLiteral("Milano"));

    city->setTag(QVariant(12));
    EXPECT_EQ(city->Tag(), QVariant(12));
    city->setTag(QVariant());
    EXPECT_FALSE(city->Tag().isValid());
    EXPECT_EQ(item->SubItems(2), QString()) << "a sub-item never set is empty";

    EXPECT_EQ(list.model()->index(0, 1).data().toString(), QStringLiteral("Roma"));
    EXPECT_EQ(errorNumberOf([&] { item->SubItems(0); }), 35600);
    EXPECT_EQ(errorNumberOf([&] { item->SubItems(3); }), 35600) << "three headers give sub-items 1 and 2";
    EXPECT_EQ(errorNumberOf([&] { item->ListSubItems(3); }), 35600);
}

// An item filled before more headers arrive must move its cells; sub-items handed out earlier
// still speak for the same cell.
TEST_F(ListStorageTest, SubItemPointersSurviveHeadersAddedLater)
{
    ListItem* item = addRow(QStringLiteral("row"), QStringLiteral("Roma"), QStringLiteral("5"));
    tessaro::ListSubItem* city = item->ListSubItems(1);
    city->setTag(QStringLiteral("Roma"));
    item->ListSubItems(2)->setTag(QVariant(5));

    list.ColumnHeaders().Add(QStringLiteral("Date"));
    list.ColumnHeaders().Add(QStringLiteral("Note"));
    item->setSubItems(4, QStringLiteral("note"));

    EXPECT_EQ(city->Index(), 1);
    EXPECT_EQ(city->Text(), QStringLiteral("Roma"));
    EXPECT_EQ(city->Tag().toString(), QStringLiteral("Roma"));
    EXPECT_EQ(item->ListSubItems(2)->Tag(), QVariant(5));
    city->setText(QStringLiteral("Napoli"));
    EXPECT_EQ(item->SubItems(1), QStringLiteral("Napoli"));
    EXPECT_EQ(item->ListSubItems(1)->Text(), QStringLiteral("Napoli"));
    EXPECT_EQ(item->SubItems(4), QStringLiteral("note"));
}

TEST_F(ListStorageTest, RemovingAHeaderKeepsEachRemainingColumnsTexts)
{
    ListItem* item = addRow(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    item->ListSubItems(2)->setTag(QStringLiteral("tag c"));

    list.ColumnHeaders().Remove(2);
    EXPECT_EQ(list.ColumnHeaders().Item(2)->Text(), QStringLiteral("Amount"));
    EXPECT_EQ(list.ColumnHeaders().Item(2)->Index(), 2);
    EXPECT_EQ(item->Text(), QStringLiteral("a"));
    EXPECT_EQ(item->SubItems(1), QStringLiteral("c"));
    EXPECT_EQ(item->ListSubItems(1)->Tag().toString(), QStringLiteral("tag c"));

    list.ColumnHeaders().Remove(1);
    EXPECT_EQ(item->Text(), QStringLiteral("c"));
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), QStringLiteral("c"));
}

// Rewriting texts appends to the text store until it copies the live texts out; every text and
// tag (shared with its text or not) must come through that unchanged.
TEST_F(ListStorageTest, TextsSurviveManyRewrites)
{
    const QString padding(1000, QLatin1Char('x'));
    std::vector<ListItem*> items;
    for (int i = 0; i < 200; ++i) {
        ListItem* item = addRow(QString::number(i));
        item->setTag(QStringLiteral("key %1").arg(i));
        item->ListSubItems(2)->setTag(QStringLiteral("own %1").arg(i));
        items.push_back(item);
    }
    for (int round = 0; round < 250; ++round) {
        for (int i = 0; i < 200; ++i) {
            const QString text = QStringLiteral("%1 %2 %3").arg(round).arg(i).arg(padding);
            items[static_cast<std::size_t>(i)]->setSubItems(1, text);
            items[static_cast<std::size_t>(i)]->ListSubItems(1)->setTag(text);
        }
    }
    for (int i = 0; i < 200; ++i) {
        SCOPED_TRACE(i);
        const ListItem* item = items[static_cast<std::size_t>(i)];
        const QString last = QStringLiteral("249 %1 %2").arg(i).arg(padding);
        EXPECT_EQ(item->Text(), QString::number(i));
        EXPECT_EQ(item->Tag().toString(), QStringLiteral("key %1").arg(i));
        EXPECT_EQ(item->SubItems(1), last);
        EXPECT_EQ(items[static_cast<std::size_t>(i)]->ListSubItems(1)->Tag().toString(), last);
        EXPECT_EQ(items[static_cast<std::size_t>(i)]->ListSubItems(2)->Tag().toString(), QStringLiteral("own %1").arg(i));
    }
}

// A text longer than one block of the text store gets a block of its own; its neighbours, stored
// before and after it, stay intact.
TEST_F(ListStorageTest, TextsLongerThanAStoreBlockAreKeptWhole)
{
    const QString huge = QString(5 * 1024 * 1024, QLatin1Char('x')) + QStringLiteral("è end");
    ListItem* before = addRow(QStringLiteral("before"), QStringLiteral("città"));
    ListItem* big = addRow(huge, huge);
    ListItem* after = addRow(QStringLiteral("after"));

    EXPECT_EQ(big->Text(), huge);
    EXPECT_EQ(big->SubItems(1), huge);
    EXPECT_EQ(before->SubItems(1), QStringLiteral("città"));
    EXPECT_EQ(after->Text(), QStringLiteral("after"));
}

// Enough rows that records and cells span several storage chunks; removed records are reused by
// later items, which must start out blank.
TEST_F(ListStorageTest, RecordsAcrossChunksAndReusedRecordsStartBlank)
{
    const int rows = 40000; // two sub-items each: more cells than one chunk holds
    for (int i = 0; i < rows; ++i) {
        ListItem* item = addRow(QString::number(i), QStringLiteral("c%1").arg(i), QStringLiteral("a%1").arg(i));
        item->setTag(i);
    }
    for (int i : {0, 4095, 4096, 32767, 32768, 39999}) {
        SCOPED_TRACE(i);
        const ListItem* item = list.ListItems().Item(i + 1);
        EXPECT_EQ(item->Text(), QString::number(i));
        EXPECT_EQ(item->SubItems(1), QStringLiteral("c%1").arg(i));
        EXPECT_EQ(item->SubItems(2), QStringLiteral("a%1").arg(i));
        EXPECT_EQ(item->Tag(), QVariant(i));
        EXPECT_EQ(item->Index(), i + 1);
    }

    ListItem* removed = list.ListItems().Item(10);
    removed->setSelected(true);
    removed->setChecked(true);
    removed->setSmallIcon(3);
    removed->ListSubItems(1)->setTag(QStringLiteral("old"));
    list.ListItems().Remove(10);
    ListItem* fresh = list.ListItems().Add(QStringLiteral("fresh"));

    EXPECT_EQ(list.ListItems().Item(10)->Text(), QStringLiteral("10")) << "the gap closed";
    EXPECT_EQ(fresh->Index(), rows);
    EXPECT_FALSE(fresh->Tag().isValid());
    EXPECT_FALSE(fresh->Selected());
    EXPECT_FALSE(fresh->Checked());
    EXPECT_EQ(fresh->SmallIcon(), 0);
    EXPECT_EQ(fresh->SubItems(1), QString());
    EXPECT_FALSE(fresh->ListSubItems(1)->Tag().isValid());
    EXPECT_EQ(list.SelectedItem(), nullptr);
}

std::vector<std::uint32_t> orderOf(const std::vector<std::string>& texts, bool descending)
{
    return tessaro::listview::stableTextOrder(
        texts.size(), [&texts](std::size_t i) { return std::string_view(texts[i]); }, descending);
}

TEST(TextOrderTest, OrdersCaseInsensitivelyWithAccentsBreakingTies)
{
    const struct {
        const char* what;
        std::vector<std::string> texts;
        bool descending;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        // "A" and "a" are equal (first added first); à and Á fold to a with their accent after it,
        // and U+00E0 comes before U+00E1.
        {"case and accents", {"b", "A", "a", "\xc3\x81", "\xc3\xa0"}, false, {1, 2, 4, 3, 0}},
        {"equal texts keep their order ascending", {"b", "a", "b", "a"}, false, {1, 3, 0, 2}},
        {"equal texts keep their order descending", {"b", "a", "b", "a"}, true, {0, 2, 1, 3}},
        {"a prefix comes first", {"abc", "ab", "abcd", ""}, false, {3, 1, 0, 2}},
        {"a shared start of any length", {"common start 0123456789Z", "common start 0123456789a", "common start 0123456789"},
         false, {2, 1, 0}},
        {"differences past the first 16 bytes", {"0123456789abcdefghij-b", "0123456789abcdefghij-a", "z"}, false,
         {1, 0, 2}},
        {"blanks before digits before letters", {"b", "1", " 2", "a"}, false, {2, 1, 3, 0}},
        {"é between e and f", {"f", "\xc3\xa9", "e"}, false, {2, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(orderOf(c.texts, c.descending), c.expected);
    }
}

} // namespace

#include <tessaro/Error.h>
#include <tessaro/ListView.h>

#include "support/TestHelpers.h"

#include "platform/controls/TwipsGeometry.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <functional>


using tessaro::ColumnHeader;
using tessaro::ListItem;
using tessaro::test::errorNumberOf;
using tessaro::ListView;

namespace {

QStringList itemTexts(const ListView& list)
{
    QStringList texts;
    for (const ListItem* item : list.ListItems())
        texts << item->Text();
    return texts;
}

QStringList subItemTexts(const ListView& list, int k)
{
    QStringList texts;
    for (const ListItem* item : list.ListItems())
        texts << item->SubItems(k);
    return texts;
}

// Collects what QAbstractItemModelTester reports (it warns in category qt.modeltest).
class ModelTesterFailures {
public:
    ModelTesterFailures() : m_previous(qInstallMessageHandler(&record)) { failures().clear(); }
    ~ModelTesterFailures() { qInstallMessageHandler(m_previous); }
    static QStringList& failures()
    {
        static QStringList list;
        return list;
    }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type != QtDebugMsg && type != QtInfoMsg && qstrcmp(context.category, "qt.modeltest") == 0)
            failures() << message;
    }
    QtMessageHandler m_previous;
};

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.resize(600, 300);
        list.ColumnHeaders().Add(QStringLiteral("Name"), 2000);
        list.ColumnHeaders().Add(QStringLiteral("City"), 1500);
        list.ColumnHeaders().Add(QStringLiteral("Amount"), 1500);
    }

    ListItem* addRow(const QString& name, const QString& city = QString(), const QString& amount = QString())
    {
        ListItem* item = list.ListItems().Add(name);
        item->setSubItems(1, city);
        item->setSubItems(2, amount);
        return item;
    }

    void showList()
    {
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
        QApplication::processEvents();
    }

    QPoint rowCentre(int row) const { return list.visualRect(list.model()->index(row, 0)).center(); }

    ListView list;
};

TEST_F(ListViewTest, HeadersAreNumberedFromOneInTheOrderAdded)
{
    ColumnHeader* extra = list.ColumnHeaders().Add(QStringLiteral("Date"), 1200);
    extra->setTag(QStringLiteral("2"));

    ASSERT_EQ(list.ColumnHeaders().Count(), 4);
    EXPECT_EQ(list.ColumnHeaders().Item(4), extra);
    EXPECT_EQ(extra->Index(), 4);
    EXPECT_EQ(extra->Tag(), QStringLiteral("2"));
    QStringList captions;
    for (const ColumnHeader* header : list.ColumnHeaders())
        captions << header->Text();
    EXPECT_EQ(captions, QStringList({"Name", "City", "Amount", "Date"}));
    EXPECT_EQ(list.model()->columnCount(), 4);
    EXPECT_EQ(list.model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Date"));

    EXPECT_EQ(errorNumberOf([&] { list.ColumnHeaders().Item(0); }), 35600);
    EXPECT_EQ(errorNumberOf([&] { list.ColumnHeaders().Item(5); }), 35600);
    EXPECT_EQ(errorNumberOf([&] { extra->setWidth(-1); }), 380);
    EXPECT_EQ(errorNumberOf([&] { extra->setAlignment(3); }), 380);

    list.ColumnHeaders().Clear();
    EXPECT_EQ(list.ColumnHeaders().Count(), 0);
    EXPECT_EQ(list.model()->columnCount(), 0);
}

TEST_F(ListViewTest, HeaderWidthKeepsTwipsAndDerivesSectionPixels)
{
    const double perPixel = tessaro::TwipsGeometry::twipsPerPixel(&list);
    ASSERT_EQ(perPixel, 15.0) << "the offscreen screen is expected at 96 dpi";
    ColumnHeader* name = list.ColumnHeaders().Item(1);

    name->setWidth(1000.5);

    EXPECT_EQ(name->Width(), 1000.5);
    EXPECT_EQ(list.header()->sectionSize(0), 67); // 1000.5 / 15 = 66.7
    EXPECT_EQ(list.header()->sectionSize(1), 100); // 1500 / 15, as added
}

TEST_F(ListViewTest, DraggingAHeaderEdgeSetsTheWidthFromPixels)
{
    showList();
    QWidget* bar = list.header()->viewport();
    const int edge = list.header()->sectionViewportPosition(0) + list.header()->sectionSize(0) - 1;
    const int y = list.header()->height() / 2;

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(edge, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + 40, y), bar->mapToGlobal(QPointF(edge + 40, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(edge + 40, y));

    const int pixels = list.header()->sectionSize(0);
    ASSERT_NE(pixels, 2000 / 15) << "the drag did not resize the section";
    EXPECT_EQ(list.ColumnHeaders().Item(1)->Width(), pixels * tessaro::TwipsGeometry::twipsPerPixel(&list));
    EXPECT_EQ(list.ColumnHeaders().Item(2)->Width(), 1500) << "a neighbour keeps its own width";
}

TEST_F(ListViewTest, AlignmentAppliesToHeaderAndCells)
{
    addRow(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    const struct {
        int alignment;
        Qt::Alignment horizontal;
    } cases[] = {{0, Qt::AlignLeft}, {1, Qt::AlignRight}, {2, Qt::AlignHCenter}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment);
        list.ColumnHeaders().Item(3)->setAlignment(c.alignment);
        const auto cell = qvariant_cast<Qt::Alignment>(list.model()->index(0, 2).data(Qt::TextAlignmentRole));
        const auto header = qvariant_cast<Qt::Alignment>(list.model()->headerData(2, Qt::Horizontal, Qt::TextAlignmentRole));
        EXPECT_EQ(cell & Qt::AlignHorizontal_Mask, c.horizontal);
        EXPECT_EQ(header & Qt::AlignHorizontal_Mask, c.horizontal);
        EXPECT_EQ(list.ColumnHeaders().Item(3)->Alignment(), c.alignment);
    }
}

TEST_F(ListViewTest, RemovingAnItemClosesTheGapAndKeepsOtherPointers)
{
    ListItem* first = addRow(QStringLiteral("one"));
    addRow(QStringLiteral("two"));
    ListItem* third = addRow(QStringLiteral("three"));

    list.ListItems().Remove(2);

    EXPECT_EQ(itemTexts(list), QStringList({"one", "three"}));
    EXPECT_EQ(list.ListItems().Item(2), third);
    EXPECT_EQ(third->Index(), 2);
    EXPECT_EQ(third->Text(), QStringLiteral("three"));
    EXPECT_EQ(first->Index(), 1);
    EXPECT_EQ(list.model()->rowCount(), 2);
    EXPECT_EQ(list.model()->index(1, 0).data().toString(), QStringLiteral("three"));
    EXPECT_EQ(errorNumberOf([&] { list.ListItems().Item(3); }), 35600);
    EXPECT_EQ(errorNumberOf([&] { list.ListItems().Remove(0); }), 35600);

    list.ListItems().Clear();
    EXPECT_EQ(list.ListItems().Count(), 0);
    EXPECT_EQ(list.model()->rowCount(), 0);
    EXPECT_EQ(list.ListItems().begin(), list.ListItems().end());
}

TEST_F(ListViewTest, SortOrdersByDisplayedTextStably)
{
    const struct {
        const char* what;
        QStringList texts;
        int order;
        QStringList expected;
    } cases[] = {
        {"case is ignored, equal texts keep their order", {"banana", "Apple", "cherry", "apple"}, 0,
         {"Apple", "apple", "banana", "cherry"}},
        {"descending keeps equal texts in their order", {"banana", "Apple", "cherry", "apple"}, 1,
         {"cherry", "banana", "Apple", "apple"}},
        {"an accent only breaks a tie", {"zeta", "èrcole", "fabio", "ercole"}, 0, {"ercole", "èrcole", "fabio", "zeta"}},
        {"right-justified numbers sort by value",
         {QString(18, ' ') + "10", QString(19, ' ') + "5", QString(17, ' ') + "100"}, 0,
         {QString(19, ' ') + "5", QString(18, ' ') + "10", QString(17, ' ') + "100"}},
        {"a prefix comes first and long common starts are compared in full",
         {"same long beginning, then b", "same long beginning, then a", "same"}, 0,
         {"same", "same long beginning, then a", "same long beginning, then b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        list.setSorted(false);
        list.ListItems().Clear();
        for (const QString& text : c.texts)
            addRow(text);
        list.setSortOrder(c.order);
        list.setSortKey(0);
        list.setSorted(true);
        EXPECT_EQ(itemTexts(list), c.expected);
    }
}

TEST_F(ListViewTest, SortBySubItemKeepsItemIdentity)
{
    ListItem* rome = addRow(QStringLiteral("r"), QStringLiteral("Roma"));
    ListItem* milan = addRow(QStringLiteral("m"), QStringLiteral("Milano"));
    ListItem* naples = addRow(QStringLiteral("n"), QStringLiteral("Napoli"));

    list.setSortKey(1);
    EXPECT_EQ(itemTexts(list), QStringList({"r", "m", "n"})) << "SortKey alone does not sort";
    list.setSorted(true);
    EXPECT_EQ(subItemTexts(list, 1), QStringList({"Milano", "Napoli", "Roma"}));
    EXPECT_EQ(list.ListItems().Item(1), milan);
    EXPECT_EQ(milan->Index(), 1);
    EXPECT_EQ(rome->Index(), 3);
    EXPECT_EQ(list.model()->index(0, 1).data().toString(), QStringLiteral("Milano"));

    list.setSortOrder(1);
    EXPECT_EQ(list.ListItems().Item(1), rome);
    EXPECT_EQ(naples->Index(), 2);

    ListItem* added = addRow(QStringLiteral("t"), QStringLiteral("Torino"));
    EXPECT_EQ(added->Index(), 1) << "an item added while sorted takes its place in the order";
    EXPECT_EQ(list.ListItems().Item(4), milan);

    EXPECT_EQ(errorNumberOf([&] { list.setSortKey(-1); }), 380);
    EXPECT_EQ(errorNumberOf([&] { list.setSortOrder(2); }), 380);
}

TEST_F(ListViewTest, SelectionFlagsReachTheViewAndSurviveSortingAndRemoval)
{
    ListItem* b = addRow(QStringLiteral("b"));
    ListItem* a = addRow(QStringLiteral("a"));
    ListItem* c = addRow(QStringLiteral("c"));
    EXPECT_EQ(list.SelectedItem(), nullptr);

    c->setSelected(true);
    a->setSelected(true);
    EXPECT_TRUE(c->Selected());
    EXPECT_FALSE(b->Selected());
    EXPECT_EQ(list.SelectedItem(), a) << "without a selected current item, the first selected one";
    QApplication::processEvents();
    EXPECT_TRUE(list.selectionModel()->isRowSelected(1));
    EXPECT_TRUE(list.selectionModel()->isRowSelected(2));
    EXPECT_FALSE(list.selectionModel()->isRowSelected(0));

    list.selectionModel()->setCurrentIndex(list.model()->index(0, 0), QItemSelectionModel::NoUpdate); // b
    list.setSorted(true); // a, b, c
    list.Refresh();
    EXPECT_EQ(list.currentIndex().row(), 1) << "the current item follows its item";
    EXPECT_TRUE(list.selectionModel()->isRowSelected(0));
    EXPECT_FALSE(list.selectionModel()->isRowSelected(1));
    EXPECT_TRUE(list.selectionModel()->isRowSelected(2));

    list.ListItems().Remove(1);
    list.Refresh();
    EXPECT_FALSE(list.selectionModel()->isRowSelected(0));
    EXPECT_TRUE(list.selectionModel()->isRowSelected(1));
    EXPECT_EQ(list.SelectedItem(), c);

    list.setSelectedItem(b);
    EXPECT_TRUE(b->Selected());
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(list.currentIndex().row(), 0);
    list.ColumnHeaders().Add(QStringLiteral("Extra"));
    list.Refresh();
    EXPECT_TRUE(list.selectionModel()->isSelected(list.model()->index(0, 3))) << "a new column joins the selected row";
    list.setSelectedItem(nullptr);
    EXPECT_EQ(list.SelectedItem(), nullptr);
    EXPECT_FALSE(list.selectionModel()->hasSelection());
}

// One run, none, a run at the end, and runs too many to announce one by one (a fresh start).
TEST_F(ListViewTest, RemovingTheSelectedRowsAtOnceLeavesTheOthersInOrder)
{
    struct Case {
        const char* name;
        int rows;
        std::function<bool(int)> selected; // by row, from 1
    };
    const Case cases[] = {
        {"rows 2 to 4 of 5", 5, [](int i) { return i >= 2 && i <= 4; }},
        {"none", 5, [](int) { return false; }},
        {"the last three", 40, [](int i) { return i > 37; }},
        {"every other row of 200", 200, [](int i) { return i % 2 == 0; }},
        {"all", 70, [](int) { return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelTesterFailures failures;
        list.ListItems().Clear();
        QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
        QStringList kept;
        ListItem* firstKept = nullptr;
        for (int i = 1; i <= c.rows; ++i) {
            ListItem* item = addRow(QStringLiteral("row %1").arg(i));
            item->setSelected(c.selected(i));
            if (!c.selected(i)) {
                kept << item->Text();
                firstKept = firstKept ? firstKept : item;
            }
        }
        showList();
        // The current row (the middle one) passes to the first kept row from it up, else below,
        // however many runs go.
        const int middle = (c.rows + 1) / 2;
        list.selectionModel()->setCurrentIndex(list.model()->index(middle - 1, 0), QItemSelectionModel::NoUpdate);
        QString expectedCurrent;
        for (int i = middle; i >= 1 && expectedCurrent.isEmpty(); --i)
            expectedCurrent = c.selected(i) ? QString() : QStringLiteral("row %1").arg(i);
        for (int i = middle + 1; i <= c.rows && expectedCurrent.isEmpty(); ++i)
            expectedCurrent = c.selected(i) ? QString() : QStringLiteral("row %1").arg(i);

        EXPECT_EQ(list.ListItems().RemoveSelected(), c.rows - int(kept.size()));
        list.Refresh();
        QApplication::processEvents();
        EXPECT_EQ(itemTexts(list), kept);
        EXPECT_EQ(list.currentIndex().data().toString(), expectedCurrent);
        EXPECT_EQ(list.model()->rowCount(), kept.size());
        EXPECT_EQ(list.SelectedItem(), nullptr);
        EXPECT_FALSE(list.selectionModel()->hasSelection());
        if (firstKept)
            EXPECT_EQ(firstKept->Index(), 1) << "kept items stay the same objects";
        EXPECT_TRUE(failures.failures().isEmpty()) << failures.failures().join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(ListViewTest, ClicksSelectAndReportTheItem)
{
    addRow(QStringLiteral("one"));
    ListItem* two = addRow(QStringLiteral("two"));
    ListItem* three = addRow(QStringLiteral("three"));
    showList();
    QSignalSpy clicks(&list, &ListView::ItemClick);
    QSignalSpy doubles(&list, &ListView::DblClick);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(1));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).value<ListItem*>(), two);
    EXPECT_TRUE(two->Selected());
    EXPECT_EQ(list.SelectedItem(), two);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(2));
    EXPECT_TRUE(two->Selected());
    EXPECT_TRUE(three->Selected());
    EXPECT_EQ(list.SelectedItem(), three);

    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(doubles.count(), 1);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, list.viewport()->height() - 5));
    EXPECT_EQ(doubles.count(), 2) << "a double click below the last row counts too";
}

TEST_F(ListViewTest, HeaderClickReportsTheColumnHeader)
{
    addRow(QStringLiteral("one"));
    showList();
    QSignalSpy columnClicks(&list, &ListView::ColumnClick);
    QHeaderView* bar = list.header();
    const int x = bar->sectionViewportPosition(1) + bar->sectionSize(1) / 2;

    QTest::mouseClick(bar->viewport(), Qt::LeftButton, {}, QPoint(x, bar->height() / 2));

    ASSERT_EQ(columnClicks.count(), 1);
    EXPECT_EQ(columnClicks.at(0).at(0).value<ColumnHeader*>(), list.ColumnHeaders().Item(2));
    EXPECT_FALSE(list.selectionModel()->hasSelection()) << "a header click selects nothing";
}

TEST_F(ListViewTest, KeyUpReportsClassicKeyCodeAndShiftState)
{
    addRow(QStringLiteral("one"));
    showList();
    QSignalSpy keys(&list, &ListView::KeyUp);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code;
        int shift;
    } cases[] = {
        {Qt::Key_Delete, Qt::NoModifier, 46, 0},   {Qt::Key_Delete, Qt::ShiftModifier, 46, 1},
        {Qt::Key_Delete, Qt::ControlModifier, 46, 2}, {Qt::Key_A, Qt::ControlModifier | Qt::AltModifier, 65, 6},
        {Qt::Key_7, Qt::NoModifier, 55, 0},        {Qt::Key_F5, Qt::NoModifier, 116, 0},
        {Qt::Key_Down, Qt::NoModifier, 40, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 with shift %2").arg(c.code).arg(c.shift).toStdString());
        keys.clear();
        QTest::keyRelease(&list, c.key, c.modifiers);
        // The key goes up first, then each held modifier key with its own KeyUp.
        ASSERT_EQ(keys.count(), 1 + qPopulationCount(static_cast<quint32>(c.shift)));
        EXPECT_EQ(keys.at(0).at(0).toInt(), c.code);
        EXPECT_EQ(keys.at(0).at(1).toInt(), c.shift);
    }
    keys.clear();
    QTest::keyRelease(&list, Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(keys.count(), 2);
    EXPECT_EQ(keys.at(1).at(0).toInt(), 16) << "the Shift key itself";
}

TEST_F(ListViewTest, FocusChangesAreReported)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* inner = new ListView(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(inner);
    layout->addWidget(other);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QSignalSpy gained(inner, &ListView::GotFocus);
    QSignalSpy lost(inner, &ListView::LostFocus);

    inner->setFocus();
    other->setFocus();

    EXPECT_EQ(gained.count(), 1);
    EXPECT_EQ(lost.count(), 1);
}

TEST_F(ListViewTest, SmallIconsComeFromTheImageList)
{
    QPixmap red(16, 16);
    red.fill(Qt::red);
    QPixmap blue(16, 16);
    blue.fill(Qt::blue);
    auto images = std::make_shared<tessaro::ImageList>();
    images->Add(QIcon(red));
    images->Add(QIcon(blue));
    ListItem* item = addRow(QStringLiteral("row"));
    const QModelIndex first = list.model()->index(0, 0);

    item->setSmallIcon(2);
    EXPECT_FALSE(first.data(Qt::DecorationRole).isValid()) << "no image list yet";

    list.setSmallIcons(images);
    EXPECT_EQ(list.SmallIcons(), images);
    EXPECT_EQ(qvariant_cast<QIcon>(first.data(Qt::DecorationRole)).cacheKey(), images->Item(2).cacheKey());
    EXPECT_FALSE(list.model()->index(0, 1).data(Qt::DecorationRole).isValid()) << "only column 1 shows the icon";

    item->setSmallIcon(3);
    EXPECT_EQ(item->SmallIcon(), 3);
    EXPECT_FALSE(first.data(Qt::DecorationRole).isValid()) << "a number beyond the list shows nothing";
    item->setSmallIcon(0);
    EXPECT_FALSE(first.data(Qt::DecorationRole).isValid());

    EXPECT_EQ(errorNumberOf([&] { images->Item(3); }), 35600);
    EXPECT_EQ(errorNumberOf([&] { images->Item(0); }), 35600);
}

TEST_F(ListViewTest, CheckBoxesShowTheItemsCheckState)
{
    ListItem* item = addRow(QStringLiteral("row"));
    const QModelIndex first = list.model()->index(0, 0);
    EXPECT_FALSE(first.data(Qt::CheckStateRole).isValid());
    EXPECT_FALSE(first.flags() & Qt::ItemIsUserCheckable);

    list.setCheckBoxes(true);
    EXPECT_TRUE(first.flags() & Qt::ItemIsUserCheckable);
    EXPECT_EQ(first.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    item->setChecked(true);
    EXPECT_EQ(first.data(Qt::CheckStateRole).toInt(), Qt::Checked);
    ASSERT_TRUE(list.model()->setData(first, Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(item->Checked());
}

TEST_F(ListViewTest, GeometryAndPropertiesInTwips)
{
    list.Move(150, 300, 9015, 2160.5);
    EXPECT_EQ(list.Left(), 150);
    EXPECT_EQ(list.Height(), 2160.5);
    EXPECT_EQ(list.property("Width").toDouble(), 9015);
    EXPECT_EQ(list.geometry(), QRect(10, 20, 601, 144));
    EXPECT_EQ(errorNumberOf([&] { list.setHeight(-1); }), 380);
    EXPECT_EQ(list.Height(), 2160.5);

    ListItem* item = addRow(QStringLiteral("row"));
    EXPECT_EQ(item->Height(), list.rowHeight(0) * tessaro::TwipsGeometry::twipsPerPixel(&list));
    EXPECT_GT(item->Height(), 0);

    EXPECT_EQ(list.View(), 3);
    EXPECT_EQ(errorNumberOf([&] { list.setView(4); }), 380);
    list.setBorderStyle(0);
    EXPECT_EQ(list.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(errorNumberOf([&] { list.setBorderStyle(2); }), 380);
    list.setBackColor(Qt::yellow);
    EXPECT_EQ(list.BackColor(), QColor(Qt::yellow));
}

TEST_F(ListViewTest, ModelStaysConsistentThroughEveryChange)
{
    ModelTesterFailures failures;
    QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    const QStringList names = {"delta", "alpha", "echo", "charlie", "bravo"};
    for (const QString& name : names)
        addRow(name, name.toUpper(), QString::number(name.size()));
    list.setCheckBoxes(true);
    list.ListItems().Item(2)->setSelected(true);
    list.setCurrentIndex(list.model()->index(3, 0));
    list.ListItems().Item(4)->setChecked(true);

    list.setSorted(true);
    list.setSortOrder(1);
    addRow(QStringLiteral("foxtrot"), QStringLiteral("FOXTROT"), QStringLiteral("7")); // ordered lazily
    QApplication::processEvents();
    list.ListItems().Remove(2);
    list.ColumnHeaders().Add(QStringLiteral("Extra"));
    list.ListItems().Item(1)->setSubItems(3, QStringLiteral("more"));
    list.ColumnHeaders().Item(2)->setText(QStringLiteral("Town"));
    list.ColumnHeaders().Remove(2);
    list.setSmallIcons(std::make_shared<tessaro::ImageList>());
    QApplication::processEvents();
    list.ListItems().Clear();
    list.ColumnHeaders().Clear();
    list.ListItems().Add(QStringLiteral("after clear"));
    list.ColumnHeaders().Add(QStringLiteral("back"));

    EXPECT_TRUE(ModelTesterFailures::failures().isEmpty()) << ModelTesterFailures::failures().join('\n').toStdString();
}

} // namespace

TEST_F(ListViewTest, ABulkAddReachesTheModelInOneInsertion)
{
    QAbstractItemModelTester tester(list.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    addRow(QStringLiteral("before"));
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    list.beginBulkAdd();
    list.beginBulkAdd(); // nests
    for (int i = 0; i < 50; ++i)
        addRow(QStringLiteral("row %1").arg(i), QStringLiteral("city"));
    EXPECT_EQ(list.ListItems().Count(), 51) << "items are there to read while the views wait";
    EXPECT_EQ(list.ListItems().Item(51)->SubItems(1), QStringLiteral("city"));
    list.endBulkAdd();
    EXPECT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(inserted.count(), 0);
    list.endBulkAdd();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 1);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 50);
    EXPECT_EQ(list.model()->index(50, 0).data().toString(), QStringLiteral("row 49"));
}

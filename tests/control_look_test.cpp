#include "platform/controls/Contrast.h"
#include "support/ShownControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace tessaro;

namespace {

// What the list asked its style to paint in each cell: the text and how it was to be cut.
class PaintedCells final : public QProxyStyle {
public:
    PaintedCells() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    struct Cell { QString text; Qt::TextElideMode elide; int width; QFont font; };
    mutable std::vector<Cell> cells;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option); item && element == CE_ItemViewItem)
            cells.push_back({item->text, item->textElideMode, item->rect.width(), item->font});
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// Three orders with amounts wider than the column that shows them.
struct Look : test::ShownControl {
    ListView* list = nullptr;

    Look()
    {
        database.exec("CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, amount REAL)");
        database.exec("INSERT INTO orders VALUES (1, 'Rossi', 1234567.25), (2, 'Bianchi', 98.5), (3, 'Verdi', 40)");
        showAt(600, 300);
    }

    void loadAmounts(int alignment)
    {
        init("SELECT id, customer, amount FROM orders ORDER BY id", false, QStringLiteral("LookTest"));
        control.Columns->Item(2)->setTipoCampo(1);
        control.Columns->Item(2)->setAllineamento(alignment);
        populate();
        list = control.ListView;
    }

    QHeaderView& header() const { return *list->horizontalHeader(); }
    void clickHeader(int k) const
    {
        const QPoint at(header().sectionViewportPosition(k - 1) + header().sectionSize(k - 1) / 2, header().height() / 2);
        QTest::mouseClick(header().viewport(), Qt::LeftButton, {}, at);
    }
};

// The greatest contrast between two pictures of one widget at the same pixel.
double greatestContrast(const QImage& first, const QImage& second)
{
    double greatest = 1;
    for (int y = 0; y < std::min(first.height(), second.height()); ++y)
        for (int x = 0; x < std::min(first.width(), second.width()); ++x)
            greatest = std::max(greatest, contrastRatio(first.pixelColor(x, y), second.pixelColor(x, y)));
    return greatest;
}

} // namespace

// The amounts are padded to 20 characters; a column about 8 characters wide shows them without
// the padding, and one too narrow even for that cuts the leading digits, not the decimals.
TEST_F(Look, NarrowNumericColumnsPaintTheirDigitsUnpadded)
{
    PaintedCells style;
    for (const auto& [alignment, elide] : {std::pair{1, Qt::ElideLeft}, {2, Qt::ElideRight}}) {
        SCOPED_TRACE(alignment);
        loadAmounts(alignment);
        list->setStyle(&style);
        list->ColumnHeaders().Item(2)->setWidth(900);
        const QStringList texts = {list->ListItems().Item(1)->SubItems(1), list->ListItems().Item(2)->SubItems(1)};
        EXPECT_EQ(texts, QStringList({QString(20 - 10, ' ') + "1234567.25", QString(20 - 4, ' ') + "98.5"}))
            << "hosts read the padded texts";

        style.cells.clear();
        list->viewport()->repaint();
        QStringList painted;
        for (const auto& cell : style.cells) {
            painted << cell.text;
            if (cell.text == "98.5")
                EXPECT_EQ(QFontMetrics(cell.font).elidedText(cell.text, cell.elide, cell.width), cell.text)
                    << "a short amount fits whole";
            if (cell.text == "1234567.25")
                EXPECT_EQ(cell.elide, elide);
        }
        EXPECT_TRUE(painted.contains("1234567.25") && painted.contains("98.5")) << painted.join('|').toStdString();
        list->setStyle(nullptr);
    }
}

TEST_F(Look, ChosenOptionButtonShowsAMarkThatStandsOutOnItsDisc)
{
    control.setIntestazioneVisibile(true);
    QWidget* all = child("optTutti");
    ASSERT_TRUE(all->property("Value").toBool()) << "chosen at start";
    const QImage chosen = all->grab().toImage();
    child("optSelezionati")->setProperty("Value", true);
    ASSERT_FALSE(all->property("Value").toBool());
    EXPECT_GE(greatestContrast(chosen, all->grab().toImage()), 3.0) << "the mark must stand out where it is drawn";
}

TEST_F(Look, SortedColumnShowsTheIndicatorInTheListsOrder)
{
    loadAmounts(1);
    EXPECT_FALSE(header().isSortIndicatorShown()) << "not sorted yet";
    // The indicator, and the list's own sort state, each as shown, key, descending.
    const auto state = [&] { return QList<int>({header().isSortIndicatorShown(), header().sortIndicatorSection(),
                                                header().sortIndicatorOrder() == Qt::DescendingOrder}); };
    const auto listState = [&] { return QList<int>({list->Sorted(), list->SortKey(), list->SortOrder()}); };
    for (int k : {2, 2, 1}) {
        clickHeader(k);
        EXPECT_EQ(state(), listState()) << "after a click on header " << k;
    }
    list->setSortOrder(ListView::Descending);
    EXPECT_EQ(state(), QList<int>({1, 0, 1}));
    list->setSortKey(1);
    EXPECT_EQ(state(), QList<int>({1, 1, 1}));
    control.PopulateList();
    EXPECT_EQ(state(), listState()) << "a reload makes the headers again";
    list->setSorted(false);
    EXPECT_FALSE(header().isSortIndicatorShown());
    clickHeader(1);
    EXPECT_EQ(state(), listState()) << "a click sorts again";
}

// The switch above the list is taller than the strip left for it: the headings stay on top.
TEST_F(Look, CollapsedPanelSwitchLeavesTheColumnHeadingsUncovered)
{
    loadAmounts(1);
    QWidget* expand = child("pctEstendi");
    ASSERT_TRUE(expand->isVisible());
    ASSERT_GT(expand->geometry().bottom(), list->geometry().top()) << "the designed boxes overlap";
    const QPoint headingTop(expand->geometry().center().x(), list->geometry().top() + 1);
    QWidget* there = control.childAt(headingTop);
    EXPECT_TRUE(there == list || list->isAncestorOf(there)) << (there ? there->objectName().toStdString() : "");
    QWidget* above = control.childAt(expand->geometry().center().x(), list->geometry().top() - 1);
    EXPECT_EQ(above, expand) << "the strip above the list is still the switch's";
}

namespace {

// A host's dark theme: light text on dark grounds, set on the host's window.
QPalette darkPalette()
{
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        dark.setColor(role, QColor(45, 45, 48));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    return dark;
}

// Every caption, field and page arrow of `control` that is shown stands out on its ground.
QStringList unreadable(QWidget& control)
{
    QStringList found;
    for (QWidget* widget : control.findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->objectName().isEmpty())
            continue;
        const QPalette& colours = widget->palette();
        if (qobject_cast<QLabel*>(widget) && !widget->property("Caption").toString().trimmed().isEmpty()
            && !standsOut(colours.color(QPalette::WindowText), colours.color(QPalette::Window)))
            found << widget->objectName() + " caption";
        if (qobject_cast<QLineEdit*>(widget) && !standsOut(colours.color(QPalette::Text), colours.color(QPalette::Base)))
            found << widget->objectName() + " text";
        if (widget->objectName().startsWith("img")) {
            QImage ground(widget->size(), QImage::Format_ARGB32);
            ground.fill(colours.color(QPalette::Window));
            if (greatestContrast(widget->grab().toImage(), ground) < 3.0)
                found << widget->objectName() + " picture";
        }
    }
    return found;
}

} // namespace

// The designed grounds (the control's pale blue, the panel's blue) stay under a dark palette;
// what is written or drawn on them changes where it would not stand out.
TEST(DarkPalette, EverythingShownStandsOutOnItsGround)
{
    test::MessageBoxRecorder boxes;
    test::TestDatabase database;
    database.createNumbered("orders", 60);
    QWidget host;
    host.setPalette(darkPalette());
    host.resize(700, 300);
    auto* control = new Tessaro(&host);
    control->resize(700, 300);
    control->setIntestazioneVisibile(true);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    EXPECT_EQ(unreadable(*control), QStringList()) << "before a load, on the designed ground";
    control->setDBConnection(database.db());
    control->setQuery("SELECT id, name FROM orders");
    control->setPaged(true);
    control->Init_class("DarkTest", true);
    control->PopulateList();
    control->GoToPage(2);
    EXPECT_TRUE(boxes.messages().empty());
    EXPECT_EQ(unreadable(*control), QStringList()) << "after it, on the list's own ground";
}

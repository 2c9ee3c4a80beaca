#include "support/ShownControl.h"

#include <QPixmap>

using namespace tessaro;

namespace {

// A control with three images, showing rows (id, name, kind, image).
struct Icons : test::ShownControl {
    std::shared_ptr<ImageList> images = std::make_shared<ImageList>();

    Icons()
    {
        showAt(600, 400);
        for (int i = 0; i < 3; ++i)
            images->Add(QIcon(QPixmap(16, 16)));
    }

    // Shows `rows`, the image column numeric when asked, and returns each row's icon number.
    std::vector<int> show(const QString& rows, int imageColumn, bool numeric = false)
    {
        init(QStringLiteral("SELECT * FROM (VALUES %1)").arg(rows), true, QStringLiteral("IconsTest"));
        control.Columns->Item(3)->setTipoCampo(numeric ? 1 : 0);
        control.setColonnaIndiceImmagine(imageColumn);
        control.ImageList = images;
        control.PopulateList();
        std::vector<int> numbers;
        for (ListItem* item : control.ListView->ListItems())
            numbers.push_back(item->SmallIcon());
        return numbers;
    }
};

} // namespace

TEST_F(Icons, EveryRowTakesTheImageNamedByItsColumnWhenThereIsOne)
{
    const QString rows = QStringLiteral("(1, 'a', 'x', 3), (2, 'b', 'y', NULL), (3, 'c', 'z', 2)");
    EXPECT_EQ(show(rows, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(control.ListView->SmallIcons(), nullptr) << "no image column leaves the list alone";
    EXPECT_EQ(show(rows + ") WHERE column1 < 0 AND (1", 2), std::vector<int>{});
    EXPECT_EQ(control.ListView->SmallIcons(), images) << "without rows the list still gets the images";
    EXPECT_EQ(show(rows, 2), (std::vector<int>{3, 1, 2})) << "a Null number shows the first image";
    EXPECT_EQ(show(rows, 2, true), (std::vector<int>{3, 1, 2})) << "right-justified numbers";
    EXPECT_TRUE(boxes.messages().empty());
}

TEST_F(Icons, ABadImageNumberStopsAtItsRow)
{
    for (const auto& [value, message] : {std::pair{"'two'", "Tessaro CaricaIcone Err=13\r\nType mismatch"},
                                         std::pair{"9", "Tessaro CaricaIcone Err=35600\r\nIndex out of bounds"}}) {
        SCOPED_TRACE(value);
        boxes.clear();
        EXPECT_EQ(show(QStringLiteral("(1, 'a', 'x', 2), (2, 'b', 'y', %1), (3, 'c', 'z', 1)").arg(value), 2),
                  (std::vector<int>{2, 0, 0})) << "earlier rows keep their icons";
        // Every fill reports it: the populate's own, and the layout's refill when the page size
        // changed.
        ASSERT_FALSE(boxes.messages().empty());
        for (const auto& shown : boxes.messages())
            EXPECT_EQ(shown.text, QString::fromLatin1(message));
    }
}

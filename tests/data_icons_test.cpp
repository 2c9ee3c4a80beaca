#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QPixmap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

std::shared_ptr<ImageList> threeIcons()
{
    auto images = std::make_shared<ImageList>();
    for (QColor colour : {Qt::red, Qt::green, Qt::blue}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(colour);
        images->Add(QIcon(pixmap));
    }
    return images;
}

struct Icons : ::testing::Test {
    QTemporaryDir folder;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;
    Tessaro control;

    Icons()
    {
        qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
        control.setDBConnection(database.db());
        control.resize(600, 400);
    }

    // Shows `rows` as (id, name, kind, image) with the image column numeric when asked.
    void show(const QString& rows, int imageColumn, bool numeric, std::shared_ptr<ImageList> images)
    {
        control.setQuery(QStringLiteral("SELECT * FROM (VALUES %1)").arg(rows));
        control.setPaged(true);
        control.Init_class(QStringLiteral("IconsTest"), true);
        if (numeric)
            control.Columns->Item(3)->setTipoCampo(1);
        control.setColonnaIndiceImmagine(imageColumn);
        control.ImageList = std::move(images);
        control.PopulateList();
    }

    std::vector<int> icons() const
    {
        std::vector<int> numbers;
        for (ListItem* item : control.ListView->ListItems())
            numbers.push_back(item->SmallIcon());
        return numbers;
    }
};

} // namespace

TEST_F(Icons, EveryRowTakesTheImageNamedByItsColumn)
{
    for (bool numeric : {false, true}) {
        SCOPED_TRACE(numeric ? "right-justified numbers" : "plain numbers");
        show(QStringLiteral("(1, 'a', 'x', 3), (2, 'b', 'y', NULL), (3, 'c', 'z', 2)"), 2, numeric, threeIcons());
        EXPECT_EQ(icons(), (std::vector<int>{3, 1, 2})) << "a Null number shows the first image";
        EXPECT_EQ(control.ListView->SmallIcons(), control.ImageList);
        EXPECT_TRUE(boxes.messages().empty());
    }
}

TEST_F(Icons, ABadImageNumberStopsAtItsRow)
{
    struct Case {
        const char* what;
        const char* rows;
        QString message;
    };
    const Case cases[] = {
        {"not a number", "(1, 'a', 'x', 2), (2, 'b', 'y', 'two'), (3, 'c', 'z', 1)",
         QStringLiteral("Tessaro CaricaIcone Err=13\r\nType mismatch")},
        {"beyond the list", "(1, 'a', 'x', 2), (2, 'b', 'y', 9), (3, 'c', 'z', 1)",
         QStringLiteral("Tessaro CaricaIcone Err=35600\r\nIndex out of bounds")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        show(QString::fromLatin1(c.rows), 2, false, threeIcons());
        // Every fill reports it: the populate's own, and the layout's refill when the page size
        // changed.
        ASSERT_FALSE(boxes.messages().empty());
        for (const auto& message : boxes.messages())
            EXPECT_EQ(message.text, c.message);
        EXPECT_EQ(icons(), (std::vector<int>{2, 0, 0})) << "earlier rows keep their icons";
    }
}

TEST_F(Icons, NoImageColumnOrNoRowsTouchNothingOrOnlyTheList)
{
    auto images = threeIcons();
    show(QStringLiteral("(1, 'a', 'x', 3)"), 0, false, images);
    EXPECT_EQ(control.ListView->SmallIcons(), nullptr);
    EXPECT_EQ(icons(), std::vector<int>{0});

    show(QStringLiteral("(1, 'a', 'x', 3)) WHERE column1 < 0 AND (1"), 2, false, images);
    EXPECT_EQ(control.ListView->ListItems().Count(), 0);
    EXPECT_EQ(control.ListView->SmallIcons(), images);
    EXPECT_TRUE(boxes.messages().empty());
}

#include "support/FormatCases.h"
#include "support/ShownControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

#include <algorithm>

using namespace tessaro;

namespace {

// Five people, shown unpaged in an Italian locale (dates "dd/mm/yyyy", times "HH:MM:SS").
struct ListEvents : test::ShownControl {
    test::LocaleScope italian{"it_IT"};
    ListView* list = nullptr;

    ListEvents()
    {
        database.exec("CREATE TABLE people (id INTEGER PRIMARY KEY, nome TEXT, citta TEXT, nato TEXT)");
        database.exec("INSERT INTO people VALUES (1, 'Rossi', 'Milano', '2023-11-02'), "
                      "(2, 'bianchi', 'Roma', '1999-01-15 08:05:00'), (3, 'Verdi', 'Napoli', NULL), "
                      "(4, 'Abate', 'Torino', '2023-02-28'), (5, 'Colombo', 'Bari', '2010-07-04 23:59:59')");
        showAt(600, 300);
        load("SELECT id, nome, citta, nato FROM people");
    }

    // Loads `query` unpaged with column `dateColumn` marked as a date column, formatted so.
    void load(const QString& query, int dateColumn = 3, const QString& format = QString())
    {
        init(query, false, QStringLiteral("SortTest"));
        control.Columns->Item(dateColumn)->setTipoCampo(2);
        control.Columns->Item(dateColumn)->setFormattazione(format);
        populate();
        list = control.ListView;
    }

    void clickHeader(int k)
    {
        QHeaderView* header = list->header();
        const QPoint at(header->sectionViewportPosition(k - 1) + header->sectionSize(k - 1) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    QList<int> sortState() const { return {list->Sorted(), list->SortKey(), list->SortOrder()}; }
    QStringList column(int k) const
    {
        QStringList texts;
        for (ListItem* item : list->ListItems())
            texts << (k == 1 ? item->Text() : item->SubItems(k - 1));
        return texts;
    }
};

TEST_F(ListEvents, HeaderClicksAlternateTheOrder)
{
    const QStringList descending = {"Verdi", "Rossi", "Colombo", "bianchi", "Abate"};
    const QStringList ascending(descending.rbegin(), descending.rend());
    const QStringList byCity = {"Colombo", "Rossi", "Verdi", "bianchi", "Abate"}; // Bari, Milano, Napoli, Roma, Torino
    for (const auto& [header, order, names] :
        {std::tuple {1, 1, descending}, {1, 0, ascending}, {1, 1, descending}, {2, 0, byCity}}) {
        SCOPED_TRACE(names.join(' ').toStdString());
        clickHeader(header);
        EXPECT_EQ(sortState(), QList<int>({true, header - 1, order}));
        EXPECT_EQ(column(1), names);
    }
    control.PopulateList();
    EXPECT_EQ(column(1), byCity) << "the sort state stays with the list through a reload";
}

TEST_F(ListEvents, DateColumnSortsInTimeOrder)
{
    for (const auto& [format, descending] :
         {std::pair{"", QStringList{"02/11/2023", "28/02/2023", "04/07/2010 23:59:59", "15/01/1999 08:05:00", ""}},
          {"d mmmm yyyy", {"02/11/2023", "28/02/2023", "04/07/2010", "15/01/1999", ""}}}) {
        SCOPED_TRACE(format);
        load("SELECT id, nome, citta, nato FROM people", 3, QString::fromLatin1(format));
        list->setSortOrder(0);
        clickHeader(3);
        EXPECT_EQ(column(3) + column(1), descending + QStringList({"Rossi", "Abate", "Colombo", "bianchi", "Verdi"}));
        clickHeader(3);
        EXPECT_EQ(column(3), QStringList(descending.rbegin(), descending.rend()))
            << "re-sorted from the tags, which keep the texts of the fill, not from the shown texts";
    }
    load("SELECT id, nato, nome FROM people", 1, "dd/mm/yyyy");
    clickHeader(1);
    EXPECT_EQ(column(1), QStringList({"28/02/2023", "15/01/1999", "04/07/2010", "02/11/2023", ""}))
        << "on the first column only the texts, sorted descending as texts, shown as filled";
}

TEST_F(ListEvents, ClicksReachTheHostOnlyWhenTheListHasItems)
{
    std::vector<ListItem*> clicked, doubleClicked;
    QObject::connect(&control, &Tessaro::ClickListItem, [&](ListItem* item) { clicked.push_back(item); });
    QObject::connect(&control, &Tessaro::DoubleClickListItem, [&](ListItem* item) { doubleClicked.push_back(item); });
    const QPoint belowTheRows(10, list->viewport()->height() - 5);
    const auto click = [&](QPoint at, bool twice) {
        twice ? QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at)
              : QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    };
    click(rowCentre(2), false);
    EXPECT_EQ(clicked, std::vector<ListItem*>({list->ListItems().Item(2)}));
    click(rowCentre(3), true);
    click(belowTheRows, false); // clears the selection
    click(belowTheRows, true);
    EXPECT_EQ(doubleClicked, std::vector<ListItem*>({list->ListItems().Item(3), nullptr}));
    EXPECT_EQ(std::count(clicked.begin(), clicked.end(), nullptr), 0) << "a click beside the rows is no item click";

    load("SELECT id, nome, citta, nato FROM people WHERE id < 0");
    ASSERT_EQ(list->ColumnHeaders().Count(), 3) << "an empty result keeps the headers";
    clickHeader(2);
    click(belowTheRows, true);
    EXPECT_EQ(sortState() << int(doubleClicked.size()), QList<int>({false, 0, 0, 2}));
}

TEST_F(ListEvents, DeleteRemovesTheSelectedRowsWhateverTheShiftState)
{
    // Only the shown rows go, never the result's.
    for (Qt::KeyboardModifiers shift : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        SCOPED_TRACE(int(shift));
        control.PopulateList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowCentre(4));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, shift);
        EXPECT_EQ((QVariantList{column(1), list->SelectedItem() == nullptr, control.rst->RecordCount()}),
                  (QVariantList{QStringList({"Rossi", "Colombo"}), true, 5}));
    }
    control.PopulateList();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->ListItems().Count(), 5) << "nothing selected, nothing removed";
}

} // namespace

#include "support/ShownControl.h"
#include "support/TestHelpers.h"

#include <QAccessible>

using namespace tessaro;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text which)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QStringLiteral("<none>");
}

struct Accessibility : test::ShownControl {
    Accessibility()
    {
        database.exec("CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, amount REAL)");
        database.exec("INSERT INTO orders VALUES (7, 'Rossi', 1234567.25), (8, 'Bianchi', 98.5)");
        showAt(600, 300);
        control.setIntestazioneVisibile(true);
    }

    // The name and description of each of the panel's controls, as "name | description".
    QStringList panelTexts() const
    {
        QStringList texts;
        for (const char* name : kPanel)
            texts << accessibleText(child(name), QAccessible::Name) + " | "
                    + accessibleText(child(name), QAccessible::Description);
        return texts;
    }
    static constexpr const char* kPanel[] = {"Label1", "cmbCercaIn", "Label2", "txtRicerca", "cmdTrova",
                                             "cmdSomma", "cmdEsportaInExcel", "optTutti", "optSelezionati"};
};

// Each text of kPanel's controls as both their name and their description.
QStringList namedAndDescribed(const QStringList& texts)
{
    QStringList both;
    for (const QString& text : texts)
        both << text + " | " + text;
    return both;
}

} // namespace

// Captions name their controls; the three picture buttons by their tooltips; a field by the
// labels before it. The texts follow the language.
TEST_F(Accessibility, PanelControlsAreDescribedInTheCurrentLanguage)
{
    EXPECT_EQ(panelTexts(), namedAndDescribed({"in", "Cerca in", "Cerca", "Cerca", "Cerca", "Totali",
                                               "Esporta in un foglio di calcolo", "Tutti", "Selezionati"}));
    EXPECT_EQ(child("cmdSomma")->toolTip(), "Totali");

    useLanguage("LE16=\"All\"\nLE17=\"Selected\"\nLE18=\"in\"\nLE19=\"Search\"\nLE28=\"Totals\"\n"
                "LE30=\"Export to a spreadsheet\"\n");
    EXPECT_EQ(panelTexts(), namedAndDescribed({"in", "Search in", "Search", "Search", "Search", "Totals",
                                               "Export to a spreadsheet", "All", "Selected"}));

    // A host's own language file written before the export button had a text keeps the designed one.
    useLanguage("LE19=\"Search\"\n");
    EXPECT_EQ(child("cmdEsportaInExcel")->toolTip(), "Esporta in un foglio di calcolo");
}

// Every control the user can meet is named: a caption that is only an arrow ("<", ">>") gives
// way to the tooltip, and the page labels' tooltips, set at each page, are read as they are.
TEST_F(Accessibility, EveryChildControlHasAName)
{
    load("SELECT id, customer, amount FROM orders", true, QStringLiteral("AccessibilityTest"));
    for (QWidget* widget : control.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith("qt_") || name == "lstv")
            continue;
        EXPECT_FALSE(accessibleText(widget, QAccessible::Name).trimmed().isEmpty()) << name.toStdString();
    }
    // the arrows by their tooltips, the record count as it stands
    EXPECT_EQ((QStringList{accessibleText(child("lblPrimaPagina"), QAccessible::Name),
                           accessibleText(child("imgUltimaPagina"), QAccessible::Name),
                           accessibleText(child("lblNumRecord"), QAccessible::Name)}),
              (QStringList{"Vai alla prima pagina", "Vai all'ultima pagina", child("lblNumRecord")->property("Caption").toString()}));
}

// The table: one column per shown field (the key is in the items' tags, not a column), cells
// and headings as shown, without the blanks that justify the numbers even where the blanks are
// painted (a left-aligned numeric column).
TEST_F(Accessibility, ListCellsAreReadWithoutTheirPadding)
{
    init("SELECT id, customer, amount FROM orders ORDER BY id", false, QStringLiteral("AccessibilityTest"));
    control.Columns->Item(1)->setIntestazione("Cliente");
    control.Columns->Item(2)->setIntestazione("Importo");
    control.Columns->Item(2)->setTipoCampo(1);
    control.Columns->Item(2)->setAllineamento(0);
    populate();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(control.ListView);
    QAccessibleTableInterface* table = list ? list->tableInterface() : nullptr;
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(QList<int>({table->rowCount(), table->columnCount()}), QList<int>({2, 2}));
    QStringList texts; // the headings, then the cells
    for (int cell = 0; cell < 6; ++cell)
        texts << (cell < 2 ? table->columnDescription(cell) : table->cellAt(cell / 2 - 1, cell % 2)->text(QAccessible::Name));
    EXPECT_EQ(texts, QStringList({"Cliente", "Importo", "Rossi", "1234567.25", "Bianchi", "98.5"}));
    const QString padded = QString(16, ' ') + "98.5";
    EXPECT_EQ(control.ListView->ListItems().Item(2)->SubItems(1), padded) << "the item keeps its text";
    EXPECT_EQ(control.ListView->model()->index(1, 1).data().toString(), padded) << "and shows it so, left-aligned";
}

#include "support/FormatCases.h"
#include "support/ShownControl.h"

#include <QLocale>

#include <functional>

using namespace tessaro;

namespace {

// The language the expected messages are built from.
const QByteArray Language = "LE01=\"Error\"\nLE02=\"Warning\"\nLE04=\"Not a numeric column\"\n"
                            "LE05=\"Choose a column\"\nLE06=\"There are\"\nLE07=\"rows\"\n"
                            "LE20=\"Total of\"\nLE21=\"(all rows):\"\nLE22=\"Blank cells were skipped\"\n"
                            "LE23=\"Values:\"\nLE24=\"Average:\"\nLE25=\"Minimum:\"\nLE26=\"Maximum:\"\n"
                            "LE27=\"(selected rows):\"\nLE28=\"Totals\"\n";

QString sqlLiteral(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return '\'' + value.toString() + '\'';
    return value.isNull() ? QStringLiteral("NULL") : QString::number(value.toDouble(), 'g', 17);
}

// The totals message as the language above lays it out.
QString totalsText(const char* heading, bool allRows, const char* sum, bool blanks, int count, const char* average,
                   const char* minimum, const char* maximum)
{
    return QStringLiteral("Total of %1 %2 %3%4\r\nValues: %5\r\nAverage: %6\r\nMinimum: %7\r\nMaximum: %8")
        .arg(heading, allRows ? "(all rows):" : "(selected rows):", sum, blanks ? "\r\nBlank cells were skipped" : "")
        .arg(count).arg(average, minimum, maximum);
}

// A control over t(id, a, b, name): a and b are summable, name is not. The values under test go
// into the chosen column; the other numeric column holds 1000, 1001, ... so that reading the
// wrong column shows.
struct Totals : test::ShownControl {
    test::LocaleScope english{"en_US"}; // restores the default locale after the test

    Totals()
    {
        useLanguage(Language);
        control.setObjectName(QStringLiteral("totals"));
        control.setIntestazioneVisibile(true);
        showAt(640, 300);
    }

    void load(const char* locale, const QVariantList& values, int column, const QString& format)
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        database.exec("DROP TABLE IF EXISTS t");
        database.exec("CREATE TABLE t (id INTEGER PRIMARY KEY, a, b, name TEXT)");
        for (int i = 0; i < values.size(); ++i) {
            const QString other = QString::number(1000 + i), chosen = sqlLiteral(values[i]);
            database.exec(QStringLiteral("INSERT INTO t VALUES (%1, %2, %3, 'row %1')")
                              .arg(i + 1).arg(column == 0 ? chosen : other, column == 0 ? other : chosen));
        }
        init(QStringLiteral("SELECT id, a, b, name FROM t ORDER BY id"), false, QStringLiteral("TotalsTest"));
        for (int k : {1, 2}) {
            control.Columns->Item(k)->setTipoCampo(1);
            control.Columns->Item(k)->setFormattazione(format);
        }
        populate();
    }

    void choose(int column) { ASSERT_TRUE(child("cmbCercaIn")->setProperty("ListIndex", column)); }
};

TEST_F(Totals, ShowsTheColumnsFiguresOrSaysWhyNot)
{
    using Prepare = std::function<void(Totals&)>;
    const auto selected = [](QList<int> rows) {
        return [rows](Totals& t) {
            for (int row : (t.click("optSelezionati"), rows))
                t.control.ListView->ListItems().Item(row)->setSelected(true);
        };
    };
    const Prepare dropColumns = [](Totals& t) {
        while (t.control.Columns->Count() > 2)
            t.control.Columns->Remove(t.control.Columns->Count());
    };
    const QVariantList twelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, three{5, 2, 9};
    const QString mismatch = QStringLiteral("Tessaro cmdSomma_Click \rErr = 13  Type mismatch");
    const QString subscript = QStringLiteral("Tessaro cmdSomma_Click \rErr = 9  Subscript out of range");
    // The values go into column b, or a when the chosen column (cmbCercaIn's ListIndex, -1: none)
    // is 0; the style is 64 for the totals, 48 a warning, 16 an error; without `prepare`, all rows.
    const struct { const char* name; QVariantList values; int chosen; QString text; int style; const char* format = "";
        Prepare prepare = {}; const char* locale = "en_US"; } cases[] = {
        {"thousands in English", {1234.5, 1000, 0.25}, 1,
            totalsText("b", true, "2,234.75", false, 3, "744.92", "0.25", "1,234.50"), 64, "#,##0.00"},
        {"a single 7", {7}, 1, totalsText("b", true, "7", false, 1, "7", "7", "7"), 64},
        {"a Null and an empty text are skipped", {4, QVariant(), QString(), 6}, 1,
            totalsText("b", true, "10.0", true, 2, "5.0", "4.0", "6.0"), 64, "0.0"},
        {"negative values", {3, -4.5, 1}, 1, totalsText("b", true, "-0.50", false, 3, "-0.17", "-4.50", "3.00"), 64,
            "0.00"},
        {"thousands in Italian", {1234.5, 1000, 0.25}, 1,
            totalsText("b", true, "2.234,75", false, 3, "744,92", "0,25", "1.234,50"), 64, "#,##0.00", {}, "it_IT"},
        {"selected rows", three, 1, totalsText("b", false, "14", false, 2, "7", "5", "9"), 64, "", selected({1, 3})},
        {"no row selected", three, 1, totalsText("b", false, "0", false, 0, "0", "0", "0"), 64, "", selected({})},
        {"the first column", three, 0, totalsText("a", true, "16", false, 3, "5.33333333333333", "2", "9"), 64},
        {"no column chosen, empty list", {}, -1, "Choose a column", 48},
        {"no column chosen, 12 rows", twelve, -1, "Choose a column\r\nThere are 12 rows", 48},
        {"a text column", three, 2, "Not a numeric column\r\nThere are 3 rows", 48},
        {"a text column of an emptied list", three, 2, "Not a numeric column", 48, "", [](Totals& t) { t.control.ListView->ListItems().Clear(); }},
        {"letters in a summable column", {5, "abc", 9}, 1, mismatch, 16},
        {"a column without descriptor", three, 2, subscript, 16, "", dropColumns},
        {"a typed text that names no column", three, -1, subscript, 16, "",
            [](Totals& t) { t.child("cmbCercaIn")->setProperty("Text", QStringLiteral("b")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.locale, c.values, c.chosen == 0 ? 0 : 1, QString::fromLatin1(c.format));
        choose(c.chosen);
        click("optTutti"); // the choice outlives a reload
        if (c.prepare)
            c.prepare(*this);
        click("cmdSomma");
        const char* title = c.style == 64 ? "Totals" : c.style == 48 ? "Warning" : "Error";
        EXPECT_EQ(takeMessages(), QStringList({c.text, QString::number(c.style), title}));
    }
}

} // namespace

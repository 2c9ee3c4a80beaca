#include "support/MessageBoxRecorder.h"
#include "support/TestDatabase.h"
#include "support/TestHelpers.h"

#include <tessaro/Tessaro.h>

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace tessaro;

// Lets the failure messages show texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

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
        .arg(count)
        .arg(average, minimum, maximum);
}

// A control over t(id, a, b, name): a and b are summable, name is not. The values under test go
// into the chosen column; the other numeric column holds 1000, 1001, ... so that reading the
// wrong column shows.
struct Totals : ::testing::Test {
    QLocale savedLocale;
    QTemporaryDir folder;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;
    Tessaro control;

    Totals()
    {
        test::writeTestLanguage(folder.path(), Language);
        control.CambiaLingua(folder.path());
        control.setObjectName(QStringLiteral("totals"));
        control.setIntestazioneVisibile(true);
        control.resize(640, 300);
        control.show();
    }
    ~Totals() override { QLocale::setDefault(savedLocale); }

    void load(const char* locale, const QVariantList& values, int column, const QString& format)
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        database.exec(QStringLiteral("DROP TABLE IF EXISTS t"));
        database.exec(QStringLiteral("CREATE TABLE t (id INTEGER PRIMARY KEY, a, b, name TEXT)"));
        for (int i = 0; i < values.size(); ++i) {
            const QString other = QString::number(1000 + i);
            const QString chosen = sqlLiteral(values[i]);
            database.exec(QStringLiteral("INSERT INTO t VALUES (%1, %2, %3, 'row %1')")
                              .arg(i + 1)
                              .arg(column == 0 ? chosen : other, column == 0 ? other : chosen));
        }
        control.setDBConnection(database.db());
        control.setQuery(QStringLiteral("SELECT id, a, b, name FROM t ORDER BY id"));
        control.Init_class(QStringLiteral("TotalsTest"), true);
        for (int k : {1, 2}) {
            control.Columns->Item(k)->setTipoCampo(1);
            control.Columns->Item(k)->setFormattazione(format);
        }
        control.PopulateList();
        ASSERT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    }

    QWidget* child(const char* name) const { return control.findChild<QWidget*>(QString::fromLatin1(name)); }
    void choose(int column) { ASSERT_TRUE(child("cmbCercaIn")->setProperty("ListIndex", column)); }
    // At the left edge: an option button reacts to its indicator whatever its caption.
    void click(const char* name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(6, child(name)->height() / 2)); }
};

TEST_F(Totals, ShowsSumCountAverageMinimumAndMaximumInTheColumnsFormatOrSaysWhyNot)
{
    using Prepare = std::function<void(Totals&)>;
    const Prepare allRows = [](Totals&) {}; // the loop has chosen all rows
    const auto selected = [](QList<int> rows) {
        return [rows](Totals& t) {
            t.click("optSelezionati");
            ASSERT_FALSE(t.child("optTutti")->property("Value").toBool());
            for (int row : rows)
                t.control.ListView->ListItems().Item(row)->setSelected(true);
        };
    };
    const Prepare dropColumns = [](Totals& t) {
        while (t.control.Columns->Count() > 2)
            t.control.Columns->Remove(t.control.Columns->Count());
    };
    const QVariantList twelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const QString mismatch = QStringLiteral("Tessaro cmdSomma_Click \rErr = 13  Type mismatch");
    const QString subscript = QStringLiteral("Tessaro cmdSomma_Click \rErr = 9  Subscript out of range");
    const struct {
        const char* name;
        const char* locale;
        QVariantList values; // into column b, or a when the chosen column is 0
        const char* format;
        int chosen;          // ListIndex of cmbCercaIn, -1 for none
        Prepare prepare;
        QString text;
        int style;           // 64 for the totals, 48 a warning, 16 an error
    } cases[] = {
        {"thousands in English", "en_US", {1234.5, 1000, 0.25}, "#,##0.00", 1, allRows,
         "Total of b (all rows): 2,234.75\r\nValues: 3\r\nAverage: 744.92\r\nMinimum: 0.25\r\nMaximum: 1,234.50", 64},
        {"a single 7", "en_US", {7}, "", 1, allRows, totalsText("b", true, "7", false, 1, "7", "7", "7"), 64},
        {"equal values", "en_US", {8, 8}, "", 1, allRows, totalsText("b", true, "16", false, 2, "8", "8", "8"), 64},
        {"a Null and an empty text are skipped", "en_US", {4, QVariant(), QString(), 6}, "0.0", 1, allRows,
         totalsText("b", true, "10.0", true, 2, "5.0", "4.0", "6.0"), 64},
        {"negative values", "en_US", {3, -4.5, 1}, "0.00", 1, allRows,
         totalsText("b", true, "-0.50", false, 3, "-0.17", "-4.50", "3.00"), 64},
        {"thousands in Italian", "it_IT", {1234.5, 1000, 0.25}, "#,##0.00", 1, allRows,
         totalsText("b", true, "2.234,75", false, 3, "744,92", "0,25", "1.234,50"), 64},
        {"selected rows", "en_US", {5, 2, 9}, "", 1, selected({1, 3}),
         totalsText("b", false, "14", false, 2, "7", "5", "9"), 64},
        {"no row selected", "en_US", {5, 2, 9}, "", 1, selected({}),
         totalsText("b", false, "0", false, 0, "0", "0", "0"), 64},
        {"the first column", "en_US", {5, 2, 9}, "", 0, allRows,
         totalsText("a", true, "16", false, 3, "5.33333333333333", "2", "9"), 64},
        {"no column chosen, empty list", "en_US", {}, "", -1, allRows, "Choose a column", 48},
        {"no column chosen, 12 rows", "en_US", twelve, "", -1, allRows, "Choose a column\r\nThere are 12 rows", 48},
        {"a text column", "en_US", {5, 2, 9}, "", 2, allRows, "Not a numeric column\r\nThere are 3 rows", 48},
        {"a text column of an emptied list", "en_US", {5, 2, 9}, "", 2,
         [](Totals& t) { t.control.ListView->ListItems().Clear(); }, "Not a numeric column", 48},
        {"letters in a summable column", "en_US", {5, "abc", 9}, "", 1, allRows, mismatch, 16},
        {"a column without descriptor", "en_US", {5, 2, 9}, "", 2, dropColumns, subscript, 16},
        {"a typed text that names no column", "en_US", {5, 2, 9}, "", -1,
         [](Totals& t) { t.child("cmbCercaIn")->setProperty("Text", QStringLiteral("b")); }, subscript, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        load(c.locale, c.values, c.chosen == 0 ? 0 : 1, QString::fromLatin1(c.format));
        choose(c.chosen);
        click("optTutti"); // the choice outlives a reload
        c.prepare(*this);
        click("cmdSomma");
        QStringList shown;
        for (const auto& box : boxes.messages())
            shown << box.text << QString::number(box.style) << box.title;
        const char* title = c.style == 64 ? "Totals" : c.style == 48 ? "Warning" : "Error";
        EXPECT_EQ(shown, QStringList({c.text, QString::number(c.style), title}));
    }
}

} // namespace

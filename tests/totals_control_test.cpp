#include "support/MessageBoxRecorder.h"
#include "support/TestHelpers.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QFile>
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

const QVariant Null{};

QString sqlLiteral(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + value.toString() + QLatin1Char('\'');
    return QString::number(value.toDouble(), 'g', 17);
}

// The totals message as the language above lays it out.
QString totalsText(const QString& heading, bool allRows, const QString& sum, bool blanks, int count,
                   const QString& average, const QString& minimum, const QString& maximum)
{
    return QStringLiteral("Total of ") + heading
        + (allRows ? QStringLiteral(" (all rows): ") : QStringLiteral(" (selected rows): ")) + sum
        + (blanks ? QStringLiteral("\r\nBlank cells were skipped") : QString()) + QStringLiteral("\r\nValues: ")
        + QString::number(count) + QStringLiteral("\r\nAverage: ") + average + QStringLiteral("\r\nMinimum: ") + minimum
        + QStringLiteral("\r\nMaximum: ") + maximum;
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
        boxes.clear();
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
    void click(const char* name)
    {
        QWidget* widget = child(name);
        // At the left edge: an option button reacts to its indicator whatever its caption.
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }
    void chooseSelectedRows(const QList<int>& rows)
    {
        click("optSelezionati");
        ASSERT_FALSE(child("optTutti")->property("Value").toBool());
        for (int row : rows)
            control.ListView->ListItems().Item(row)->setSelected(true);
    }
    test::MessageBoxRecorder::Message total()
    {
        boxes.clear();
        click("cmdSomma");
        EXPECT_EQ(boxes.messages().size(), 1);
        return boxes.messages().empty() ? test::MessageBoxRecorder::Message{} : boxes.messages().front();
    }
};

TEST_F(Totals, ShowsSumCountAverageMinimumAndMaximumInTheColumnsFormat)
{
    struct Case {
        const char* name;
        const char* locale;
        QVariantList values;
        int column;
        QString format;
        bool allRows;
        QList<int> selected;
        QString expected;
    };
    const Case cases[] = {
        {"5, 2, 9", "en_US", {5, 2, 9}, 1, QStringLiteral("#,##0.00"), true, {},
         "Total of b (all rows): 16.00\r\nValues: 3\r\nAverage: 5.33\r\nMinimum: 2.00\r\nMaximum: 9.00"},
        {"5, 2, 9 in Italian", "it_IT", {5, 2, 9}, 1, QStringLiteral("#,##0.00"), true, {},
         totalsText("b", true, "16,00", false, 3, "5,33", "2,00", "9,00")},
        {"a single 7", "en_US", {7}, 1, QString(), true, {},
         totalsText("b", true, "7", false, 1, "7", "7", "7")},
        {"equal values", "en_US", {8, 8}, 1, QString(), true, {},
         totalsText("b", true, "16", false, 2, "8", "8", "8")},
        {"a Null and an empty text are skipped", "en_US", {4, Null, QString(), 6}, 1, QStringLiteral("0.0"), true, {},
         totalsText("b", true, "10.0", true, 2, "5.0", "4.0", "6.0")},
        {"negative values", "en_US", {3, -4.5, 1}, 1, QStringLiteral("0.00"), true, {},
         totalsText("b", true, "-0.50", false, 3, "-0.17", "-4.50", "3.00")},
        {"thousands in English", "en_US", {1234.5, 1000, 0.25}, 1, QStringLiteral("#,##0.00"), true, {},
         totalsText("b", true, "2,234.75", false, 3, "744.92", "0.25", "1,234.50")},
        {"thousands in Italian", "it_IT", {1234.5, 1000, 0.25}, 1, QStringLiteral("#,##0.00"), true, {},
         totalsText("b", true, "2.234,75", false, 3, "744,92", "0,25", "1.234,50")},
        {"selected rows", "en_US", {5, 2, 9}, 1, QString(), false, {1, 3},
         totalsText("b", false, "14", false, 2, "7", "5", "9")},
        {"no row selected", "en_US", {5, 2, 9}, 1, QString(), false, {},
         totalsText("b", false, "0", false, 0, "0", "0", "0")},
        {"the first column", "en_US", {5, 2, 9}, 0, QString(), true, {},
         totalsText("a", true, "16", false, 3, "5.33333333333333", "2", "9")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        database.exec(QStringLiteral("DROP TABLE IF EXISTS t"));
        load(c.locale, c.values, c.column, c.format);
        choose(c.column);
        click("optTutti");
        if (!c.allRows)
            chooseSelectedRows(c.selected);
        const auto message = total();
        EXPECT_EQ(message.text, c.expected);
        EXPECT_EQ(message.style, 64);
        EXPECT_EQ(message.title, QStringLiteral("Totals"));
    }
}

TEST_F(Totals, WarnsOrReportsInsteadOfTotalling)
{
    struct Case {
        const char* name;
        QVariantList values;
        std::function<void(Totals&)> prepare;
        QString text;
        int style;
        QString title;
    };
    const QVariantList twelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const Case cases[] = {
        {"no column chosen, empty list", {}, [](Totals&) {}, QStringLiteral("Choose a column"), 48,
         QStringLiteral("Warning")},
        {"no column chosen, 12 rows", twelve, [](Totals&) {}, QStringLiteral("Choose a column\r\nThere are 12 rows"),
         48, QStringLiteral("Warning")},
        {"a text column", {5, 2, 9}, [](Totals& t) { t.choose(2); },
         QStringLiteral("Not a numeric column\r\nThere are 3 rows"), 48, QStringLiteral("Warning")},
        {"a text column of an emptied list", {5, 2, 9},
         [](Totals& t) {
             t.choose(2);
             t.control.ListView->ListItems().Clear();
         },
         QStringLiteral("Not a numeric column"), 48, QStringLiteral("Warning")},
        {"letters in a summable column", {5, QStringLiteral("abc"), 9}, [](Totals& t) { t.choose(1); },
         QStringLiteral("Tessaro cmdSomma_Click \rErr = 13  Type mismatch"), 16, QStringLiteral("Error")},
        {"a column without descriptor", {5, 2, 9},
         [](Totals& t) {
             t.choose(2);
             while (t.control.Columns->Count() > 2)
                 t.control.Columns->Remove(t.control.Columns->Count());
         },
         QStringLiteral("Tessaro cmdSomma_Click \rErr = 9  Subscript out of range"), 16, QStringLiteral("Error")},
        {"a typed text that names no column", {5, 2, 9},
         [](Totals& t) { t.child("cmbCercaIn")->setProperty("Text", QStringLiteral("b")); },
         QStringLiteral("Tessaro cmdSomma_Click \rErr = 9  Subscript out of range"), 16, QStringLiteral("Error")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        database.exec(QStringLiteral("DROP TABLE IF EXISTS t"));
        load("en_US", c.values, 1, QString());
        c.prepare(*this);
        const auto message = total();
        EXPECT_EQ(message.text, c.text);
        EXPECT_EQ(message.style, c.style);
        EXPECT_EQ(message.title, c.title);
    }
}

} // namespace

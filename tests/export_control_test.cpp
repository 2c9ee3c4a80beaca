#include "export_support.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestHelpers.h"
#include "support/TestDatabase.h"

#include <tessaro/Tessaro.h>

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace tessaro;
using test::XlsxFile;

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QStringList Headings{"Name", "Amount", "Day"};

// Four rows under the headings Name (right-aligned), Amount (numeric, right-aligned, shown with
// thousands and two decimals) and Day (a date column, kept as text).
struct Export : ::testing::Test {
    QLocale savedLocale;
    QTemporaryDir folder;
    test::TestDatabase database;
    test::MessageBoxRecorder boxes;
    Tessaro control;

    Export()
    {
        test::writeTestLanguage(folder.path(), "LE01=\"Error\"\n");
        control.CambiaLingua(folder.path());
        database.exec(QStringLiteral("CREATE TABLE e (id INTEGER PRIMARY KEY, name TEXT, amount REAL, day TEXT)"));
        database.exec(QStringLiteral("INSERT INTO e VALUES (1, 'Alpha', 1234.5, '2024-01-05'),"
                                     " (2, '  Beta  ', -2, '2024-02-10'), (3, 'Gamma', NULL, '2024-03-15'),"
                                     " (4, 'Delta', 0.25, NULL)"));
        control.setIntestazioneVisibile(true);
        control.resize(640, 300);
        control.show();
    }
    ~Export() override { QLocale::setDefault(savedLocale); }

    void load(const char* locale = "en_US")
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        control.setDBConnection(database.db());
        control.setQuery(QStringLiteral("SELECT id, name, amount, day FROM e ORDER BY id"));
        control.Init_class(QStringLiteral("ExportTest"), true);
        for (int k = 1; k <= 3; ++k)
            control.Columns->Item(k)->setIntestazione(Headings[k - 1]);
        control.Columns->Item(1)->setAllineamento(1);
        control.Columns->Item(2)->setTipoCampo(1);
        control.Columns->Item(2)->setAllineamento(1);
        control.Columns->Item(2)->setFormattazione(QStringLiteral("#,##0.00"));
        control.Columns->Item(3)->setTipoCampo(2);
        control.PopulateList();
        ASSERT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    }

    QWidget* child(const char* name) const { return control.findChild<QWidget*>(QString::fromLatin1(name)); }
    void click(const char* name)
    {
        QWidget* widget = child(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
    }
};

TEST_F(Export, WritesBoldHeadingsTrimmedTextsAndNumbersOfTheNumericColumn)
{
    QStringList paths;
    for (const char* locale : {"en_US", "it_IT"}) {
        SCOPED_TRACE(locale);
        test::OpenedWorkbooks opened; // this locale's workbook only
        load(locale);
        click("cmdEsportaInExcel");
        ASSERT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
        ASSERT_EQ(opened.paths().size(), 1);
        const XlsxFile file(opened.paths().front());

        EXPECT_EQ(file.sheetNames(), QStringList{QStringLiteral("Foglio1")});
        EXPECT_EQ(file.row(1, 3), Headings);
        for (int column = 1; column <= 3; ++column) {
            SCOPED_TRACE(column);
            EXPECT_TRUE(file.styleAt(1, column).bold);
            EXPECT_FALSE(file.styleAt(2, column).bold);
        }
        EXPECT_EQ(file.styleAt(1, 1).horizontal, QStringLiteral("right"));
        EXPECT_EQ(file.styleAt(1, 2).horizontal, QStringLiteral("right"));
        EXPECT_EQ(file.styleAt(1, 3).horizontal, QString());

        // Texts as the list shows them, trimmed; the first column's data cells are not aligned.
        EXPECT_EQ(file.lastRow(), 5);
        const QStringList names{"Alpha", "Beta", "Gamma", "Delta"};
        const QStringList days{"2024-01-05", "2024-02-10", "2024-03-15", ""};
        const QVariantList amounts{1234.5, -2.0, QVariant(), 0.25};
        for (int i = 0; i < 4; ++i) {
            const int row = i + 2;
            SCOPED_TRACE(row);
            EXPECT_EQ(file.cell(row, 1).value, names[i]);
            EXPECT_FALSE(file.cell(row, 1).number);
            EXPECT_EQ(file.styleAt(row, 1).horizontal, QString());
            EXPECT_EQ(file.styleAt(row, 1).formatCode, QStringLiteral("@"));
            EXPECT_EQ(file.cell(row, 3).value, days[i]);
            EXPECT_FALSE(file.cell(row, 3).number);
            EXPECT_EQ(file.styleAt(row, 3).formatCode, QStringLiteral("@"));
            // The amount's text ("1,234.50" or "1.234,50") became a number cell in "General".
            EXPECT_EQ(file.cell(row, 2).number, !amounts[i].isNull());
            if (!amounts[i].isNull())
                EXPECT_DOUBLE_EQ(file.cell(row, 2).value.toDouble(), amounts[i].toDouble());
            EXPECT_EQ(file.styleAt(row, 2).formatCode, QStringLiteral("General"));
            EXPECT_EQ(file.styleAt(row, 2).horizontal, QStringLiteral("right"));
        }
        EXPECT_EQ(file.style(file.column(2).style).formatCode, QStringLiteral("General"));
        EXPECT_EQ(file.style(file.column(1).style).formatCode, QStringLiteral("@"));
        EXPECT_EQ(file.style(file.column(3).style).formatCode, QStringLiteral("@"));
        EXPECT_TRUE(file.column(1).customWidth); // the columns were fitted

        paths << opened.paths().front();
        const QFileInfo info(opened.paths().front());
        EXPECT_EQ(info.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        EXPECT_EQ(QFileInfo(info.absolutePath()).permissions() & (QFileDevice::ReadOther | QFileDevice::ExeOther),
                  QFileDevice::Permissions());
    }
    EXPECT_NE(QFileInfo(paths[0]).absolutePath(), QFileInfo(paths[1]).absolutePath())
        << "each export in a folder of its own";
}

TEST_F(Export, ExportsTheChosenRowsWithoutGaps)
{
    struct Case {
        const char* name;
        bool allRows;
        QList<int> selected;
        bool emptyList;
        QStringList names; // sheet rows 2 on, column 1
    };
    const Case cases[] = {
        {"all rows, two selected", true, {2, 4}, false, {"Alpha", "Beta", "Gamma", "Delta"}},
        {"selected rows 2 and 4", false, {2, 4}, false, {"Beta", "Delta"}},
        {"selected rows, none selected", false, {}, false, {}},
        {"an empty list", true, {}, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::OpenedWorkbooks opened;
        load();
        click(c.allRows ? "optTutti" : "optSelezionati");
        ASSERT_EQ(child("optTutti")->property("Value").toBool(), c.allRows);
        for (int row : c.selected)
            control.ListView->ListItems().Item(row)->setSelected(true);
        if (c.emptyList)
            control.ListView->ListItems().Clear();
        click("cmdEsportaInExcel");
        ASSERT_EQ(opened.paths().size(), 1);
        const XlsxFile file(opened.paths().front());
        EXPECT_EQ(file.row(1, 3), Headings);
        EXPECT_EQ(file.lastRow(), 1 + c.names.size());
        for (int i = 0; i < c.names.size(); ++i)
            EXPECT_EQ(file.cell(i + 2, 1).value, c.names[i]);
    }
}

TEST_F(Export, AFailureIsReportedAndWhatWasWrittenIsKept)
{
    struct Case {
        const char* name;
        std::function<void(Export&)> prepare;
        QString text;
        int lastRow;      // of the workbook handed to the user, -1 when none is
        int lastHeading;  // the heading row's last column
    };
    const QString plainFile = folder.filePath(QStringLiteral("plain-file"));
    const Case cases[] = {
        {"a temporary location that cannot be written",
         [plainFile](Export&) { qputenv("TMPDIR", plainFile.toUtf8()); },
         QStringLiteral("Tessaro cmdEsportaInExcel \rErr = 75  Path/File access error"), -1, 0},
        {"a list column without descriptor",
         [](Export& e) {
             while (e.control.Columns->Count() > 2)
                 e.control.Columns->Remove(e.control.Columns->Count());
         },
         QStringLiteral("Tessaro cmdEsportaInExcel \rErr = 9  Subscript out of range"), 1, 2},
        {"a text too long for a cell in the second row",
         [](Export& e) { e.control.ListView->ListItems().Item(2)->setText(QString(40000, QLatin1Char('x'))); },
         QStringLiteral("Tessaro cmdEsportaInExcel \rErr = 1004  A cell holds at most 32767 characters"), 2, 3},
    };
    QFile plain(plainFile);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const bool tmpdirWasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::OpenedWorkbooks opened;
        load();
        c.prepare(*this);
        click("cmdEsportaInExcel");
        tmpdirWasSet ? qputenv("TMPDIR", tmpdir) : qunsetenv("TMPDIR");
        ASSERT_EQ(boxes.messages().size(), 1);
        EXPECT_EQ(boxes.messages().front().text, c.text);
        EXPECT_EQ(boxes.messages().front().style, 16);
        EXPECT_EQ(boxes.messages().front().title, QStringLiteral("Error"));
        boxes.clear();
        ASSERT_EQ(opened.paths().size(), c.lastRow < 0 ? 0 : 1);
        if (c.lastRow < 0)
            continue;
        const XlsxFile file(opened.paths().front());
        EXPECT_EQ(file.lastRow(), c.lastRow);
        EXPECT_TRUE(file.has(1, c.lastHeading));
        EXPECT_FALSE(file.has(1, c.lastHeading + 1));
        if (c.lastRow > 1)
            EXPECT_EQ(file.row(2, 3), (QStringList{"Alpha", "1234.5", "2024-01-05"}));
    }
}

} // namespace

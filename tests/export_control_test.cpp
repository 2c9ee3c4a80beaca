#include "export_support.h"
#include "support/FormatCases.h"
#include "support/ShownControl.h"
#include "support/TestHelpers.h"

#include <QLocale>

#include <functional>

using namespace tessaro;
using test::XlsxFile;

namespace {

const QStringList Headings{"Name", "Amount", "Day"};

// Each cell of a sheet row as "<value>|<format>|<alignment>|<b when bold>", the value marked "#"
// when the cell is a number.
QStringList looks(const XlsxFile& file, int row)
{
    QStringList all;
    for (int c = 1; c <= 3; ++c) {
        const XlsxFile::Style s = file.style(file.cell(row, c).style);
        all << (file.cell(row, c).number ? "#" : "") + file.cell(row, c).value + '|' + s.formatCode + '|' + s.horizontal
                + (s.bold ? "|b" : "|");
    }
    return all;
}

// Four rows under the headings Name (right-aligned), Amount (numeric, right-aligned, shown with
// thousands and two decimals) and Day (a date column, kept as text, one day padded with blanks).
struct Export : test::ShownControl {
    test::LocaleScope english{"en_US"}; // restores the default locale after the test

    Export()
    {
        useLanguage("LE01=\"Error\"\n");
        database.exec(QStringLiteral("CREATE TABLE e (id INTEGER PRIMARY KEY, name TEXT, amount REAL, day TEXT)"));
        database.exec(QStringLiteral("INSERT INTO e VALUES (1, 'Alpha', 1234.5, '2024-01-05'),"
                                     " (2, '  Beta  ', -2, '  2024-02-10 '), (3, 'Gamma', NULL, '2024-03-15'),"
                                     " (4, 'Delta', 0.25, NULL)"));
        control.setIntestazioneVisibile(true);
        showAt(640, 300);
    }

    void load(const char* locale = "en_US")
    {
        QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
        init(QStringLiteral("SELECT id, name, amount, day FROM e ORDER BY id"), false, QStringLiteral("ExportTest"));
        const auto column = [this](int k) { return control.Columns->Item(k); };
        for (int k = 1; k <= 3; ++k)
            column(k)->setIntestazione(Headings[k - 1]);
        column(1)->setAllineamento(1);
        column(2)->setAllineamento(1);
        column(2)->setTipoCampo(1);
        column(3)->setTipoCampo(2);
        column(2)->setFormattazione(QStringLiteral("#,##0.00"));
        populate();
    }
    // The error box of a failed export.
    static QStringList failure(const QString& error) { return {"Tessaro cmdEsportaInExcel \r" + error, "16", "Error"}; }
};

TEST_F(Export, WritesEachCellTrimmedInItsColumnsFormatUnderBoldHeadings)
{
    QStringList folders;
    for (const char* locale : {"en_US", "it_IT"}) {
        SCOPED_TRACE(locale);
        test::OpenedWorkbooks opened; // this locale's workbook only
        load(locale);
        click("cmdEsportaInExcel");
        ASSERT_EQ(takeMessages(), QStringList());
        ASSERT_EQ(opened.paths().size(), 1);
        const XlsxFile file(opened.paths().front());
        EXPECT_EQ(file.sheetNames(), QStringList{QStringLiteral("Foglio1")});
        // Every cell starts as text, the numeric column is "General" throughout, its heading too;
        // texts as the list shows them, trimmed; the amount's text ("1,234.50" or "1.234,50")
        // became a number; the first column's data cells are not aligned.
        QList<QStringList> rows;
        for (int row = 1; row <= file.lastRow(); ++row)
            rows << looks(file, row);
        EXPECT_EQ(rows,
            QList<QStringList>({{"Name|@|right|b", "Amount|General|right|b", "Day|@||b"},
                {"Alpha|@||", "#1234.5|General|right|", "2024-01-05|@||"},
                {"Beta|@||", "#-2|General|right|", "2024-02-10|@||"},
                {"Gamma|@||", "|General|right|", "2024-03-15|@||"}, {"Delta|@||", "#0.25|General|right|", "|@||"}}));
        // The whole columns' formats as their data, and the columns fitted.
        QStringList columns;
        for (int column = 1; column <= 3; ++column)
            columns << file.style(file.column(column).style).formatCode;
        EXPECT_EQ(columns << QString::number(file.column(1).customWidth), QStringList({"@", "General", "@", "1"}));

        // Private to the user: the workbook and its folder.
        const QFileInfo info(opened.paths().front());
        folders << info.absolutePath();
        EXPECT_FALSE(info.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther)
            || QFileInfo(info.absolutePath()).permissions() & (QFileDevice::ReadOther | QFileDevice::ExeOther));
    }
    EXPECT_NE(folders[0], folders[1]) << "each export in a folder of its own";
}

// The default opener finds no program under the offscreen platform: the workbook is kept and the
// user is told where it is, in the designed text where the host's language file lacks one. A
// host's opener is told of every workbook and no box shows (the other tests).
TEST_F(Export, AWorkbookNoProgramOpensIsShownToTheUserByItsPath)
{
    load();
    const SpreadsheetOpener host = setSpreadsheetOpener({});
    click("cmdEsportaInExcel");
    setSpreadsheetOpener(host);
    const QStringList shown = takeMessages();
    const QString lead = QString::fromUtf8(
        "Il foglio di calcolo \u00e8 stato salvato, ma nessun programma lo ha aperto. Si trova in:\r\n");
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown.mid(1), QStringList({"64", "Esporta in un foglio di calcolo"}));
    ASSERT_TRUE(shown[0].startsWith(lead)) << shown[0].toStdString();
    const QString path = shown[0].mid(lead.size());
    EXPECT_EQ(XlsxFile(path).cell(2, 1).value, "Alpha");
    QFileInfo(path).dir().removeRecursively();
}

// What lands in the workbook for the rows chosen, and how much of it stays when the export fails.
TEST_F(Export, ExportsTheChosenRowsWithoutGaps)
{
    const auto choose = [](const char* option, QList<int> rows) {
        return [=](Export& e) {
            for (int row : (e.click(option), rows))
                e.control.ListView->ListItems().Item(row)->setSelected(true);
        };
    };
    // Headings: row 1 up to its last cell, none when no workbook was handed over; names: sheet rows 2 on, column 1.
    const struct { const char* name; std::function<void(Export&)> prepare; QStringList headings, names; QString error;
    } cases[] = {
        {"all rows, two selected", choose("optTutti", {2, 4}), Headings, {"Alpha", "Beta", "Gamma", "Delta"}, {}},
        {"selected rows 2 and 4", choose("optSelezionati", {2, 4}), Headings, {"Beta", "Delta"}, {}},
        {"selected rows, none selected", choose("optSelezionati", {}), Headings, {}, {}},
        {"an empty list", [](Export& e) { e.control.ListView->ListItems().Clear(); }, Headings, {}, {}},
        {"a list column without descriptor",
            [](Export& e) {
                while (e.control.Columns->Count() > 2)
                    e.control.Columns->Remove(e.control.Columns->Count());
            },
            {"Name", "Amount"}, {}, "Err = 9  Subscript out of range"},
        {"a text too long for a cell in the second row",
            [](Export& e) { e.control.ListView->ListItems().Item(2)->setText(QString(40000, QLatin1Char('x'))); },
            Headings, {"Alpha"}, "Err = 1004  A cell holds at most 32767 characters"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::OpenedWorkbooks opened;
        // optTutti first: the choice outlives a reload
        load();
        click("optTutti");
        c.prepare(*this);
        click("cmdEsportaInExcel");
        EXPECT_EQ(takeMessages(), c.error.isEmpty() ? QStringList() : failure(c.error));
        ASSERT_EQ(opened.paths().size(), c.headings.isEmpty() ? 0 : 1);
        if (opened.paths().isEmpty())
            continue;
        const XlsxFile file(opened.paths().front());
        QStringList headings, names;
        for (int column = 1; file.has(1, column); ++column)
            headings << file.cell(1, column).value;
        for (int row = 2; row <= file.lastRow(); ++row)
            names << file.cell(row, 1).value;
        EXPECT_EQ(QList<QStringList>({headings, names}), QList<QStringList>({c.headings, c.names}));
    }
}

// Exports with TMPDIR naming an existing folder, a plain file, then folders that do not exist
// (absolute, under a missing parent, and relative to the working folder): the workbook's folder
// is made directly inside an existing one; anything else is refused, and nothing is made
// anywhere, neither the missing folders nor a folder at the filesystem root.
TEST_F(Export, AWorkbookIsMadeOnlyInsideAnExistingTemporaryFolder)
{
    const QString existing = folder.filePath(QStringLiteral("temporary"));
    ASSERT_TRUE(QDir().mkpath(existing));
    const QString plainFile = folder.filePath(QStringLiteral("plain-file"));
    test::writeFile(plainFile, QByteArray());
    const struct { const char* name; QString tmpdir, mustNotExist; } cases[] = {
        {"an existing folder", existing, {}}, {"a plain file", plainFile, {}},
        {"a folder that does not exist", folder.filePath("missing"), folder.filePath("missing")},
        {"a folder under a missing parent", folder.filePath("gone/deeper"), folder.filePath("gone")},
        {"a relative folder that does not exist", "tessaro-no-such-folder",
            QDir::current().filePath("tessaro-no-such-folder")},
    };
    const auto atRoot = [] {
        return QDir(QStringLiteral("/")).entryList({QStringLiteral("tessaro-*")}, QDir::AllEntries | QDir::Hidden);
    };
    const QStringList rootBefore = atRoot();
    const bool tmpdirWasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    load();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::OpenedWorkbooks opened;
        qputenv("TMPDIR", QFile::encodeName(c.tmpdir));
        click("cmdEsportaInExcel");
        tmpdirWasSet ? qputenv("TMPDIR", tmpdir) : qunsetenv("TMPDIR");
        const bool made = c.tmpdir == existing;
        EXPECT_EQ(takeMessages(), made ? QStringList() : failure("Err = 75  Path/File access error"));
        ASSERT_EQ(opened.paths().size(), made ? 1 : 0);
        if (made) // the workbook's folder directly inside the temporary one
            EXPECT_EQ(QFileInfo(QFileInfo(opened.paths().front()).absolutePath()).dir().canonicalPath(),
                      QDir(existing).canonicalPath());
        EXPECT_FALSE(!c.mustNotExist.isEmpty() && QFileInfo::exists(c.mustNotExist));
        EXPECT_EQ(atRoot(), rootBefore);
    }
}

} // namespace

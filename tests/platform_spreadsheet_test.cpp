#include "export_support.h"
#include "platform/spreadsheet/Spreadsheet.h"
#include "platform/spreadsheet/TypedNumber.h"
#include "support/TestHelpers.h"

#include <tessaro/Error.h>

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace tessaro;
using namespace tessaro::spreadsheet;
using test::XlsxFile;

namespace {

TEST(Spreadsheet, TypedNumbersReadAsTheLocaleReadsThem)
{
    const char* texts[] = {"1,234", "1.234", "1,234,567.5", "1.234.567,5", ",123", "0,123", "1234,567", "1,2345",
                           "12,34", "-0.5", "-0,5", ".5", "5.", "+1,234", "00012", "-", "+", "", "1.2.3", "1e5",
                           "1,234.", "  42  ", "-1.234,50", "1,234.50", "1'234.5", "1\u2019234.5", "1 234,5",
                           "123456789012345678901234567890123456789012345678901234567890123456789", "inf", "nan"};
    for (const char* name : {"en_US", "it_IT", "de_CH", "fr_FR"}) {
        const QLocale locale{QString::fromLatin1(name)};
        const TypedNumber numbers(locale);
        for (const char* t : texts) {
            const QString text = QString::fromUtf8(t);
            SCOPED_TRACE(std::string(name) + " '" + text.toStdString() + "'");
            bool ok = false;
            const double expected = locale.toDouble(text.trimmed(), &ok);
            const std::optional<double> read = numbers.read(text);
            EXPECT_EQ(read.has_value(), ok && std::isfinite(expected));
            if (read && ok)
                EXPECT_EQ(*read, expected);
        }
    }
}

TEST(Spreadsheet, RefusesWhatTheSheetCannotHoldAndKeepsTheRest)
{
    test::OpenedWorkbooks opened;
    Application excel;
    EXPECT_EQ(test::errorNumberOf([&] { excel.Selection(); }), 91);
    Workbook& book = excel.WorkbooksAdd();
    EXPECT_EQ(test::errorNumberOf([&] { book.Worksheets(QStringLiteral("Sheet1")); }), 9);
    Worksheet& sheet = book.Worksheets(QStringLiteral("Foglio1"));
    excel.setVisible(true);
    sheet.Cells(1, 1).setValue(QStringLiteral("kept"));
    sheet.Cells(3, 1).setValue(QStringLiteral("kept too"));

    const struct {
        const char* what;
        std::function<void()> call;
    } refused[] = {
        {"a row already written", [&] { sheet.Cells(2, 1).setValue(QStringLiteral("late")); }},
        {"row 0", [&] { sheet.Cells(0, 1); }},
        {"past the last row", [&] { sheet.Cells(MaxRows + 1, 1); }},
        {"past the last column", [&] { sheet.Columns(MaxColumns + 1); }},
        {"a text over 32767 characters", [&] { sheet.Cells(3, 2).setValue(QString(32768, QLatin1Char('x'))); }},
        {"an unknown alignment", [&] { sheet.Cells(3, 1).setHorizontalAlignment(2); }},
        {"bold on a column", [&] { sheet.Columns(1).setBold(true); }},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(test::errorNumberOf(r.call), 1004);
    }
    sheet.Cells(3, 2).setValue(QString(32767, QLatin1Char('y')));
    excel.release();

    ASSERT_EQ(opened.paths().size(), 1);
    const XlsxFile file(opened.paths().front());
    EXPECT_EQ(file.row(1, 2), (QStringList{QStringLiteral("kept"), QString()}));
    EXPECT_FALSE(file.has(2, 1));
    EXPECT_EQ(file.row(3, 2), (QStringList{QStringLiteral("kept too"), QString(32767, QLatin1Char('y'))}));
    EXPECT_EQ(file.lastRow(), 3);
}

TEST(Spreadsheet, OnlyAVisibleApplicationLeavesItsWorkbookToTheUser)
{
    test::OpenedWorkbooks opened;
    QString hiddenFolder;
    {
        Application hidden;
        hiddenFolder = QFileInfo(hidden.WorkbooksAdd().FullName()).absolutePath();
        EXPECT_TRUE(QDir(hiddenFolder).exists());
    }
    EXPECT_FALSE(QDir(hiddenFolder).exists());
    EXPECT_TRUE(opened.paths().isEmpty());

    // Work cut short: the application goes without release() and keeps what was written.
    {
        Application cut;
        Worksheet& sheet = cut.WorkbooksAdd().Worksheets(QStringLiteral("Foglio1"));
        cut.setVisible(true);
        sheet.Cells(1, 1).setValue(QStringLiteral("partial"));
    }
    ASSERT_EQ(opened.paths().size(), 1);
    EXPECT_EQ(XlsxFile(opened.paths().front()).cell(1, 1).value, QStringLiteral("partial"));
}

} // namespace

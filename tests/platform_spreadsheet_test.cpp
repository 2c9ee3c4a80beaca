#include "export_support.h"
#include "platform/spreadsheet/Spreadsheet.h"
#include "platform/spreadsheet/TypedNumber.h"
#include "support/TestHelpers.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace tessaro;
using namespace tessaro::spreadsheet;
using test::XlsxFile;
using test::errorNumberOf;

TEST(Spreadsheet, TypedNumbersReadAsTheLocaleReadsThem)
{
    const QString texts = QStringLiteral(
        "1,234|1.234|1,234,567.5|1.234.567,5|,123|0,123|1234,567|1,2345|12,34|-0.5|-0,5|.5|5.|+1,234|00012|-|+||1.2.3|"
        "1e5|1,234.|  42  |-1.234,50|1,234.50|1'234.5|1\u2019234.5|1 234,5|inf|nan|"
        "123456789012345678901234567890123456789012345678901234567890123456789");
    for (const char* name : {"en_US", "it_IT", "de_CH", "fr_FR"}) {
        const QLocale locale{QString::fromLatin1(name)};
        const TypedNumber numbers(locale);
        for (const QString& text : texts.split(u'|')) {
            SCOPED_TRACE(std::string(name) + " '" + text.toStdString() + "'");
            bool ok = false;
            const double expected = locale.toDouble(text.trimmed(), &ok);
            EXPECT_EQ(numbers.read(text), ok && std::isfinite(expected) ? std::optional(expected) : std::nullopt);
        }
    }
}

TEST(Spreadsheet, RefusesWhatTheSheetCannotHoldKeepingTheRest)
{
    test::OpenedWorkbooks opened;
    Application excel;
    EXPECT_EQ(errorNumberOf([&] { excel.Selection(); }), 91);
    Workbook& book = excel.WorkbooksAdd();
    EXPECT_EQ(errorNumberOf([&] { book.Worksheets(QStringLiteral("Sheet1")); }), 9);
    Worksheet& sheet = book.Worksheets(QStringLiteral("Foglio1"));
    excel.setVisible(true);
    sheet.Cells(1, 1).setValue(QStringLiteral("kept"));
    sheet.Cells(3, 1).setValue(QStringLiteral("kept too"));
    const std::pair<const char*, std::function<void()>> refused[] = {
        {"a row already written", [&] { sheet.Cells(2, 1).setValue(QStringLiteral("late")); }},
        {"row 0", [&] { sheet.Cells(0, 1); }}, {"past the last row", [&] { sheet.Cells(MaxRows + 1, 1); }},
        {"past the last column", [&] { sheet.Columns(MaxColumns + 1); }},
        {"over 32767 characters", [&] { sheet.Cells(3, 2).setValue(QString(32768, QLatin1Char('x'))); }},
        {"an unknown alignment", [&] { sheet.Cells(3, 1).setHorizontalAlignment(2); }},
        {"bold on a column", [&] { sheet.Columns(1).setBold(true); }},
    };
    for (const auto& [what, call] : refused) {
        SCOPED_TRACE(what);
        EXPECT_EQ(errorNumberOf(call), 1004);
    }
    sheet.Cells(3, 2).setValue(QString(32767, QLatin1Char('y')));
    excel.release();

    ASSERT_EQ(opened.paths().size(), 1);
    const XlsxFile file(opened.paths().front());
    EXPECT_EQ(file.row(1, 2) + file.row(3, 2), (QStringList{"kept", "", "kept too", QString(32767, u'y')}));
    EXPECT_TRUE(!file.has(2, 1) && file.lastRow() == 3);
}

// A visible application that goes without release() keeps what was written; the export's
// failures check that.
TEST(Spreadsheet, AHiddenApplicationTakesItsWorkbookWithIt)
{
    test::OpenedWorkbooks opened;
    auto hidden = std::make_unique<Application>();
    const QDir hiddenFolder = QFileInfo(hidden->WorkbooksAdd().FullName()).absoluteDir();
    EXPECT_TRUE(hiddenFolder.exists());
    hidden.reset();
    EXPECT_FALSE(hiddenFolder.exists());
    EXPECT_TRUE(opened.paths().empty()) << "the hidden workbook is not handed over";
}

// Value-to-text and the number, named and string formats, in American English and Italian.
#include "platform/format/Format.h"
#include "platform/format/NumberText.h"
#include "platform/format/ValueText.h"

#include "support/FormatCases.h"

#include <tessaro/Error.h>

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>

using namespace tessaro;
using test::LocaleScope;
using test::expectFormats;

namespace {

const QVariant nullValue;
const QString nbsp = QString(QChar(0x00A0));

} // namespace

TEST(ValueText, NumbersUseTheLocaleSeparatorAndTheShortestFifteenDigitForm)
{
    struct Row {
        const char* locale;
        QVariant value;
        QString expected;
    };
    const std::vector<Row> rows{
        {"en_US", qlonglong(-42), "-42"},
        {"it_IT", 123456789, "123456789"}, // integers never grouped
        {"en_US", 0.1 + 0.2, "0.3"},        // 0.30000000000000004 at 15 digits
        {"it_IT", 0.1 + 0.2, "0,3"},
        {"en_US", 2.0 / 3.0, "0.666666666666667"},
        {"it_IT", -1234.5, "-1234,5"},
        {"en_US", 123456789012345.0, "123456789012345"}, // exponent 14: still plain
        {"en_US", 1e15, "1E+15"},                         // exponent 15 reaches the digit count
        {"en_US", 1e20, "1E+20"},
        {"en_US", 0.0001, "0.0001"}, // exponent -4: plain
        {"en_US", 0.00001, "1E-05"}, // exponent -5: scientific
        {"en_US", 1.5e-7, "1.5E-07"},
        {"it_IT", 1.5e-7, "1,5E-07"},
        {"en_US", 1e100, "1E+100"},
        {"en_US", QVariant(0.1f), "0.1"}, // a single keeps 7 digits: 0.100000001 -> 0.1
        {"en_US", 0.0, "0"},
        {"en_US", -0.0, "0"},
    };
    for (const Row& row : rows) {
        LocaleScope locale(row.locale);
        SCOPED_TRACE(QStringLiteral("%1 | %2").arg(QLatin1String(row.locale), row.value.toString()).toStdString());
        EXPECT_EQ(CStr(row.value).toStdString(), row.expected.toStdString());
    }
}

// The fill writes plain doubles its own way; it must write exactly CStr's text, or leave the
// number to CStr when that text is scientific.
TEST(ValueText, TheFillsPlainNumberTextIsCStrsOrStepsAside)
{
    std::mt19937_64 random(20261205);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 17);
    std::vector<double> values{0.0, -0.0, 0.1 + 0.2, 1e15, 999999999999999.0, 1e-4, 1e-5, 0.5, -2.5e-5,
                               123456789012345.6, 95617813862541.25 /* a tie at 15 digits */,
                               std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min()};
    for (int i = 0; i < 20000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (const char* name : {"en_US", "it_IT"}) {
        LocaleScope locale(name);
        const std::string point = QLocale().decimalPoint().toStdString();
        int plainInCStr = 0;
        int leftToCStr = 0;
        for (double value : values) {
            const QString expected = CStr(value);
            std::string written = "kept ";
            const bool plain = format::appendPlainDoubleText(written, value, point);
            ASSERT_EQ(plain, written != "kept ") << "nothing written when it steps aside";
            if (plain)
                ASSERT_EQ(written, "kept " + expected.toStdString()) << name << " " << value;
            if (!expected.contains(u'E') && std::isfinite(value)) {
                ++plainInCStr;
                leftToCStr += plain ? 0 : 1;
            }
        }
        // Only a number halfway between two fifteen-digit ones is left to CStr without need.
        EXPECT_LT(leftToCStr * 100, plainInCStr) << name;
    }
}

TEST(ValueText, DatesUseTheShortDateWithFourDigitYearsAndTheLongTime)
{
    const QDateTime afternoon(QDate(2024, 3, 15), QTime(15, 4, 5));
    {
        LocaleScope locale("en_US");
        EXPECT_EQ(CStr(QDate(2024, 3, 15)), QStringLiteral("3/15/2024")); // M/d/yy widened to M/d/yyyy
        EXPECT_EQ(CStr(afternoon), QStringLiteral("3/15/2024 3:04:05 PM"));  // long time without zone
        EXPECT_EQ(CStr(QDateTime(QDate(2024, 3, 15), QTime(0, 0))), QStringLiteral("3/15/2024"));
        EXPECT_EQ(CStr(QTime(9, 5, 7)), QStringLiteral("9:05:07 AM"));
        // The classic day zero carries no date of its own.
        EXPECT_EQ(CStr(QDateTime(QDate(1899, 12, 30), QTime(10, 0))), QStringLiteral("10:00:00 AM"));
    }
    {
        LocaleScope locale("it_IT");
        EXPECT_EQ(CStr(QDate(2024, 3, 15)), QStringLiteral("15/03/2024"));
        EXPECT_EQ(CStr(afternoon), QStringLiteral("15/03/2024 15:04:05"));
        EXPECT_EQ(CStr(QTime(9, 5, 7)), QStringLiteral("09:05:07"));
        EXPECT_EQ(CStr(QTime(10, 0, 0, 600)), QStringLiteral("10:00:01")); // to the nearest second
        EXPECT_EQ(CStr(QDateTime(QDate(2024, 3, 15), QTime(23, 59, 59, 500))), QStringLiteral("16/03/2024"));
    }
}

TEST(ValueText, OtherTypesAndNull)
{
    LocaleScope locale("en_US");
    EXPECT_EQ(CStr(true), QStringLiteral("True"));
    EXPECT_EQ(CStr(false), QStringLiteral("False"));
    EXPECT_EQ(CStr(QStringLiteral(" abc ")), QStringLiteral(" abc "));
    EXPECT_EQ(CStr(QByteArray("caf\xc3\xa9")), QStringLiteral("caf\u00e9"));
    EXPECT_EQ(CStr(nullValue), QString());
    EXPECT_EQ(CStr(QVariant(QMetaType::fromType<double>())), QString()); // a database's typed Null
    EXPECT_EQ(CStr(QVariant(std::numeric_limits<qulonglong>::max())), QStringLiteral("18446744073709551615"));
    // An invalid date or time holds no value to show, under any pattern.
    EXPECT_EQ(CStr(QDate()), QString());
    EXPECT_EQ(CStr(QTime()), QString());
    EXPECT_EQ(Format(QDateTime(), QStringLiteral("dd/mm/yyyy")), QString());
    EXPECT_EQ(Format(QDate(), QStringLiteral("0.00")), QString());
    try {
        CStr(QVariantList{1, 2});
        ADD_FAILURE() << "a list has no text";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), Error::TypeMismatch);
    }
}

TEST(NumberFormat, DigitPlaceholdersRoundHalfAwayFromZeroOnDecimalDigits)
{
    expectFormats({
        {"en_US", 0.5, "0", "1"},
        {"en_US", -0.5, "0", "-1"},
        {"en_US", 2.5, "0", "3"},        // not to even
        {"en_US", 2.675, "0.00", "2.68"}, // binary 2.67499999... but the decimal digits are 2.675
        {"en_US", 1.005, "0.00", "1.01"},
        {"en_US", 1234.5, "0", "1235"},
        {"en_US", 5, "000", "005"},
        {"en_US", 1234, "0", "1234"},    // more digits than placeholders all show
        {"en_US", 0, "#", ""},           // '#' shows no insignificant digit
        {"en_US", 0, "#,##0", "0"},
        {"en_US", 0.5, "#.00", ".50"},
        {"en_US", 12.5, ".00", "12.50"}, // integer digits stand before the point
        {"en_US", 1, "#.##", "1."},      // the point stays even with no fraction digit
        {"en_US", 1.5, "0.##", "1.5"},
        {"en_US", 1.05, "0.#0", "1.05"}, // a '#' before a significant digit shows its zero
        {"en_US", 1.0, "0.#0", "1.0"},
        {"it_IT", 2.675, "0.00", "2,68"},
        {"it_IT", 0.5, "#.00", ",50"},
        {"en_US", -0.001, "0.00", "-0.00"}, // the sign of the value survives rounding to zero
        {"en_US", 0.1 + 0.2, "0.00000000000000000", "0.30000000000000000"}, // 15 digits of a double
    });
}

TEST(NumberFormat, GroupingScalingAndPercent)
{
    expectFormats({
        {"en_US", 1234567.891, "#,##0.00", "1,234,567.89"},
        {"it_IT", 1234567.891, "#,##0.00", "1.234.567,89"},
        {"en_US", 5, "#,##0", "5"},
        {"en_US", 1234567, "#,#", "1,234,567"}, // digits beyond the placeholders are grouped too
        {"en_US", 1234567, "0,0", "1,234,567"},
        {"en_US", 12, "000,000", "000,012"},  // the zeros of '0' placeholders are grouped
        {"en_US", 5551234, "000-0000", "555-1234"},
        {"en_US", 1234, "0\\,0", "123,4"},    // an escaped comma is a literal, not grouping
        {"en_US", 1234567890, "#,##0,,", "1,235"}, // two trailing commas: millions, rounded
        {"it_IT", 1234567890, "#,##0,,", "1.235"},
        {"en_US", 1500, "0,", "2"},           // 1.5 thousands
        {"en_US", 1234, "0,.0", "1.2"},       // a comma right before the point scales too
        {"en_US", 0.1234, "0.0%", "12.3%"},
        {"it_IT", 0.1234, "0.0%", "12,3%"},
        {"en_US", 0.5, "%0", "%50"},
    });
}

TEST(NumberFormat, ScientificNotation)
{
    expectFormats({
        {"en_US", 1234.5, "0.00E+00", "1.23E+03"},
        {"it_IT", 1234.5, "0.00E+00", "1,23E+03"},
        {"en_US", 0.000123, "0.00E-00", "1.23E-04"},
        {"en_US", 1234.5, "0.00E-00", "1.23E03"},    // E- shows only a minus
        {"en_US", 9.999, "0.00E+00", "1.00E+01"},    // rounding carries into the exponent
        {"en_US", 1234.5, "00.00E+00", "12.35E+02"}, // two integer digits in the mantissa
        {"en_US", 0, "0.00E+00", "0.00E+00"},
        {"en_US", 1.5e-7, "0.0e+0", "1.5e-7"},
        {"en_US", 1e100, "0E+0", "1E+100"},          // the exponent widens as needed
        {"en_US", -1234.5, "0.0E+00", "-1.2E+03"},
        {"en_US", 5, "0E", "5E"},                    // 'E' without sign and digits is literal
    });
}

TEST(NumberFormat, LiteralsQuotesAndEscapes)
{
    expectFormats({
        {"en_US", 5, "\\$0.00", "$5.00"},
        {"en_US", -5, "$0.00", "-$5.00"},   // the sign stands before everything
        {"en_US", 5, "0 kg", "5 kg"},       // letters that are no date token are literal
        {"en_US", 7, "0\" items\"", "7 items"}, // quoted letters never make a date pattern
        {"en_US", 5, "+0", "+5"},
        {"en_US", 5, "\\x", "x"},           // literals alone still form a number pattern
        {"en_US", 5, "\"a;b\"0", "a;b5"},   // a quoted ';' separates nothing
    });
}

TEST(NumberFormat, SectionsChooseByTheSignOfTheValue)
{
    expectFormats({
        {"en_US", -5, "0;(0)", "(5)"},       // the negative section drops the sign
        {"en_US", 5, "0;(0)", "5"},
        {"en_US", 0, "0;(0)", "0"},          // two sections: zero takes the first
        {"en_US", 0, "0;(0);\\z\\e\\r\\o", "zero"},
        {"en_US", -5, "0;;\\z", "-5"},       // an empty negative section falls back with its sign
        {"en_US", 0, "0;-0;", "0"},          // an empty zero section falls back
        {"en_US", 0.001, "0.00;-0.00;\\z", "0.00"}, // zero means the value, not its rounding
        {"en_US", -0.001, "0.00;(0.00)", "(0.00)"},
        {"en_US", 5, ";0", "5"},             // an empty first section: the general text
        {"it_IT", 2.5, ";0", "2,5"},
        {"en_US", nullValue, "0;-0;\\z;\\n\\u\\l\\l", "null"},
        {"en_US", nullValue, "0;-0;\\z", ""},
        {"en_US", nullValue, "0.00", ""},
        {"en_US", nullValue, "0;-0;0;\\N;\\X", "N"}, // a fifth section is ignored
        {"en_US", -1234.5, "#,##0.00;(#,##0.00)", "(1,234.50)"},
        {"it_IT", -1234.5, "#,##0.00;(#,##0.00)", "(1.234,50)"},
    });
}

TEST(NumberFormat, ValuesFromTheDatabaseAndOtherTypes)
{
    expectFormats({
        {"en_US", QStringLiteral("1234.5"), "#,##0.00", "1,234.50"},
        {"it_IT", QStringLiteral("1234.5"), "#,##0.00", "1.234,50"}, // invariant '.' read first
        {"it_IT", QStringLiteral("1234,5"), "#,##0.00", "1.234,50"}, // then the locale's form
        {"en_US", QStringLiteral("1,234.5"), "0.0", "1234.5"},
        {"en_US", QStringLiteral("1234,5"), "0.00", "1234,5"},       // no number in en_US: as is
        {"en_US", QStringLiteral(" 42 "), "000", "042"},
        // A NUMERIC text keeps every digit: no double could hold this one.
        {"en_US", QStringLiteral("12345678901234567.125"), "0.00", "12345678901234567.13"},
        {"en_US", qlonglong(9007199254740993LL), "0", "9007199254740993"},
        {"en_US", QStringLiteral("abc"), "0.00", "abc"},
        {"en_US", QString(), "0.00", ""},
        {"en_US", QStringLiteral("2024-03-15"), "0", "2024-03-15"}, // a date text is no number
        {"en_US", true, "0", "-1"},
        {"en_US", false, "0.0", "0.0"},
        // Dates count days from 30 December 1899: 1 January 2024 is 45292, plus 31 + 29 + 14.
        {"en_US", QDate(2024, 3, 15), "0", "45366"},
        {"en_US", QDateTime(QDate(2024, 3, 15), QTime(18, 0)), "0.00", "45366.75"},
        {"en_US", QVariant(2.5f), "0.00", "2.50"},
    });
}

TEST(NamedFormats, NumberNames)
{
    const QString euro = nbsp + QStringLiteral("\u20ac");
    expectFormats({
        {"en_US", 1234567.891, "General Number", "1234567.891"},
        {"it_IT", 1234567.891, "general number", "1234567,891"},
        {"en_US", qlonglong(100000000000000000LL), "General Number", "100000000000000000"},
        {"en_US", 1234.565, "Currency", "$1,234.57"},     // halves away from zero first
        {"en_US", -1234.565, "Currency", "($1,234.57)"},  // the locale's negative currency form
        {"it_IT", 1234.565, "Currency", "1.234,57" + euro},
        {"en_US", 1234.567, "Fixed", "1234.57"},
        {"en_US", -0.5, "FIXED", "-0.50"},
        {"it_IT", 1234.567, " Standard ", "1.234,57"},
        {"en_US", 1234.567, "Standard", "1,234.57"},
        {"en_US", 0.125, "Percent", "12.50%"},
        {"it_IT", 0.125, "Percent", "12,50%"},
        {"en_US", 12345, "Scientific", "1.23E+04"},
        {"it_IT", 12345, "Scientific", "1,23E+04"},
        {"en_US", 0, "Yes/No", "No"},
        {"en_US", 5, "YES/NO", "Yes"},
        {"en_US", -1, "True/False", "True"},
        {"en_US", 0.0, "On/Off", "Off"},
        {"en_US", QStringLiteral("0.5"), "On/Off", "On"},
        {"en_US", QStringLiteral("abc"), "Fixed", "abc"},
        {"en_US", nullValue, "Fixed", ""},
        {"en_US", nullValue, "Yes/No", ""},
    });
}

TEST(NamedFormats, DateNames)
{
    const QDateTime afternoon(QDate(2024, 3, 5), QTime(14, 30)); // a Tuesday
    expectFormats({
        {"en_US", afternoon, "Short Date", "3/5/2024"},
        {"it_IT", afternoon, "short date", "05/03/2024"},
        {"en_US", afternoon, "Long Date", "Tuesday, March 5, 2024"},
        {"it_IT", afternoon, "Long Date", "marted\u00ec 5 marzo 2024"},
        {"en_US", afternoon, "Medium Date", "05-Mar-24"},
        {"it_IT", afternoon, "Medium Date", "05-mar-24"},
        {"en_US", afternoon, "General Date", "3/5/2024 2:30:00 PM"},
        {"it_IT", afternoon, "General Date", "05/03/2024 14:30:00"},
        {"en_US", afternoon, "Long Time", "2:30:00 PM"},
        {"it_IT", afternoon, "Long Time", "14:30:00"},
        {"it_IT", afternoon, "Medium Time", "02:30 PM"}, // the designators are the pattern's own
        {"en_US", afternoon, "Short Time", "14:30"},
        {"en_US", QStringLiteral("2024-03-05"), "Short Date", "3/5/2024"},
        {"en_US", QStringLiteral("abc"), "Short Date", "abc"},
        {"en_US", nullValue, "Long Date", ""},
    });
}

TEST(StringFormat, PlaceholdersFillFromTheRightUnlessBang)
{
    expectFormats({
        {"en_US", QStringLiteral("abc"), "@@@@@", "  abc"},
        {"en_US", QStringLiteral("abc"), "!@@@@@", "abc  "},
        {"en_US", QStringLiteral("abc"), "&&&&&", "abc"},
        {"en_US", QStringLiteral("1234567890"), "(@@@) @@@-@@@@", "(123) 456-7890"},
        // Ten placeholders for five characters: the first five stay blank.
        {"en_US", QStringLiteral("12345"), "(@@@) @@@-@@@@", "(   )   1-2345"},
        {"en_US", QStringLiteral("12345"), "!(@@@) @@@-@@@@", "(123) 45 -    "},
        {"en_US", QStringLiteral("abcdef"), "@-@@", "abcd-ef"}, // extra characters lead
        {"en_US", QStringLiteral("abcdef"), "!@-@@", "a-bcdef"}, // or trail with '!'
        {"en_US", QStringLiteral("Hello"), ">", "HELLO"},
        {"en_US", QStringLiteral("Hello"), "<", "hello"},
        {"en_US", QStringLiteral("abc"), ">@@@@@@", "   ABC"},
        {"en_US", QStringLiteral("ab"), "\\@@@", "@ab"},
        {"en_US", QStringLiteral(""), "@@@", "   "},
        {"en_US", QStringLiteral(""), "@;\\(\\e\\m\\p\\t\\y\\)", "(empty)"},
        {"en_US", nullValue, "@;\\(\\e\\m\\p\\t\\y\\)", "(empty)"},
        {"en_US", nullValue, "@@@", ""},
        {"en_US", 42, "@@@@", "  42"},
        {"it_IT", 3.5, "@@@@@", "  3,5"},
    });
}

TEST(Format, EmptyExpressionIsTheValueText)
{
    expectFormats({
        {"en_US", 3.5, "", "3.5"},
        {"it_IT", 3.5, "", "3,5"},
        {"en_US", true, "", "True"},
        {"en_US", nullValue, "", ""},
        {"it_IT", QDate(2024, 3, 5), "", "05/03/2024"},
    });
}

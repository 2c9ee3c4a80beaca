// Value-to-text, text-to-number and the number, named and string formats, in American English and
// Italian. Format with an empty expression is CStr itself, so the value-text rows check both.
#include "platform/format/Conversions.h"
#include "platform/format/Format.h"
#include "platform/format/NumberText.h"
#include "platform/format/ShortDateWriter.h"
#include "platform/format/ValueText.h"

#include "support/FormatCases.h"
#include "support/TestHelpers.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <random>

using namespace tessaro;
using test::errorNumberOf;
using test::expectFormats;

namespace {

const char* const en = "en_US";
const char* const it = "it_IT";
const QVariant null;

} // namespace

TEST(ValueText, EachTypeShowsInItsGeneralForm)
{
    const QDate ides(2024, 3, 15);
    const QDateTime afternoon(ides, QTime(15, 4, 5));
    expectFormats({
        // Integers are never grouped. 0.1 + 0.2 is 0.30000000000000004, 0.3 at 15 digits.
        {en, qlonglong(-42), "", "-42"}, {it, 123456789, "", "123456789"}, {en, 0.1 + 0.2, "", "0.3"},
        {en, 2.0 / 3.0, "", "0.666666666666667"}, {it, -1234.5, "", "-1234,5"}, {en, -0.0, "", "0"},
        // Plain from exponent -4 to 14, scientific from the digit count on and below -4.
        {en, 123456789012345.0, "", "123456789012345"}, {en, 1e15, "", "1E+15"}, {en, 1e100, "", "1E+100"},
        {en, 0.0001, "", "0.0001"}, {en, 0.00001, "", "1E-05"}, {en, 1.5e-7, "", "1.5E-07"},
        // The decimal comma also in scientific form; a single keeps 7 digits, so 0.100000001 shows as 0.1.
        {it, 1.5e-7, "", "1,5E-07"}, {en, QVariant(0.1f), "", "0.1"}, {en, true, "", "True"}, {en, false, "", "False"},
        // Texts as they are, bytes as UTF-8; a Null, even a database's typed one, is empty.
        {en, " abc ", "", " abc "}, {en, QByteArray("caf\xc3\xa9"), "", "caf\u00e9"}, {en, null, "", ""},
        {en, QVariant(QMetaType::fromType<double>()), "", ""},
        {en, QVariant(std::numeric_limits<qulonglong>::max()), "", "18446744073709551615"},
        // An invalid date or time holds no value to show, under any pattern.
        {en, QDate(), "", ""}, {en, QTime(), "", ""}, {en, QDateTime(), "dd/mm/yyyy", ""}, {en, QDate(), "0.00", ""},
        // M/d/yy widened to M/d/yyyy; the long time without zone; day zero carries no date of its own.
        {en, ides, "", "3/15/2024"}, {en, afternoon, "", "3/15/2024 3:04:05 PM"}, {it, QTime(9, 5, 7), "", "09:05:07"},
        {en, QDateTime(ides, QTime(0, 0)), "", "3/15/2024"}, {it, afternoon, "", "15/03/2024 15:04:05"},
        {en, QDateTime(QDate(1899, 12, 30), QTime(10, 0)), "", "10:00:00 AM"},
        // To the nearest second, which may be the next day.
        {it, QTime(10, 0, 0, 600), "", "10:00:01"}, {it, QDateTime(ides, QTime(23, 59, 59, 500)), "", "16/03/2024"},
    });
    EXPECT_EQ(errorNumberOf([] { CStr(QVariantList{1, 2}); }), Error::TypeMismatch) << "a list has no text";
}

// The fill writes plain doubles its own way; it must write exactly CStr's text, or leave the
// number to CStr when that text is scientific.
TEST(ValueText, TheFillsPlainNumberTextIsCStrsOrStepsAside)
{
    std::mt19937_64 random(20261205);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 17);
    std::vector<double> values{0.0, -0.0, 0.1 + 0.2, 1e15, 999999999999999.0, 1e-4, 1e-5, -2.5e-5, 123456789012345.6,
        95617813862541.25 /* a tie at 15 digits */, std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min()};
    for (int i = 0; i < 20000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (const char* name : {en, it}) {
        test::LocaleScope locale(name);
        const std::string point = QLocale().decimalPoint().toStdString();
        int plainInCStr = 0, leftToCStr = 0;
        for (double value : values) {
            const QString expected = CStr(value);
            std::string written = "kept ";
            const bool plain = format::appendPlainDoubleText(written, value, point);
            ASSERT_EQ(written, plain ? "kept " + expected.toStdString() : "kept ") << name << " " << value;
            const bool plainInCStrsText = !expected.contains(u'E') && std::isfinite(value);
            plainInCStr += plainInCStrsText, leftToCStr += plainInCStrsText && !plain;
        }
        // Only a number halfway between two fifteen-digit ones is left to CStr without need.
        EXPECT_LT(leftToCStr * 100, plainInCStr) << name;
    }
}

// The fill writes plain dates its own way too: exactly CStr's text, or it leaves the date to CStr.
TEST(ValueText, TheFillsDateTextIsCStrsOrStepsAside)
{
    const QDate dates[] = {QDate(2024, 3, 5), QDate(2024, 12, 31), QDate(1, 1, 1), QDate(999, 7, 4), QDate(9999, 12, 31),
        QDate(1899, 12, 30) /* day zero: a time */, QDate(1899, 12, 31), QDate(-44, 3, 15), QDate(10000, 1, 1), QDate()};
    // Day-month-year with zeros, month first without, year first, dots, a narrow space, non-ASCII
    // digits, a month's name (C).
    for (const char* name : {en, it, "C", "de_DE", "ja_JP", "fi_FI", "bg_BG", "ar_EG", "fa_IR", "sv_SE"}) {
        test::LocaleScope locale(name);
        const format::ShortDateWriter writer;
        for (const QDate& date : dates) {
            SCOPED_TRACE(std::string(name) + " " + date.toString(Qt::ISODate).toStdString());
            std::string written = "kept ";
            const bool quick = writer.append(written, date);
            EXPECT_EQ(written, quick ? "kept " + CStr(date).toStdString() : "kept ");
            const bool usual = date.isValid() && date.year() > 0 && date.year() < 10000 && date != QDate(1899, 12, 30);
            if (QString(name) == en || QString(name) == it || QString(name) == "C")
                EXPECT_EQ(quick, usual);
        }
    }
}

TEST(NumberFormat, PatternsLayOutTheDigits)
{
    expectFormats({
        // Halves away from zero, not to even; 2.675 is 2.67499999... in binary but its decimal digits are 2.675.
        {en, -0.5, "0", "-1"}, {en, 2.5, "0", "3"}, {en, 2.675, "0.00", "2.68"}, {en, 5, "000", "005"},
        // '#' shows no insignificant digit but keeps the point; integer digits stand before the
        // point; a '#' before a significant digit shows its zero.
        {en, 0, "#", ""}, {en, 0, "#,##0", "0"}, {en, 0.5, "#.00", ".50"}, {it, 0.5, "#.00", ",50"},
        {en, 12.5, ".00", "12.50"}, {en, 1, "#.##", "1."}, {en, 1.5, "0.##", "1.5"}, {en, 1.05, "0.#0", "1.05"},
        {en, 1.0, "0.#0", "1.0"},
        // The sign of the value survives rounding to zero; a double gives 15 digits, then zeros.
        {en, -0.001, "0.00", "-0.00"}, {en, 0.1 + 0.2, "0.00000000000000000", "0.30000000000000000"},
        // Digits beyond the placeholders are grouped too, and so are the zeros of '0' placeholders;
        // an escaped comma is a literal; commas before the point or the end scale by thousands, rounded.
        {en, 1234567.891, "#,##0.00", "1,234,567.89"}, {it, 1234567.891, "#,##0.00", "1.234.567,89"},
        {en, 1234567, "#,#", "1,234,567"}, {en, 12, "000,000", "000,012"}, {en, 5551234, "000-0000", "555-1234"},
        {en, 1234, "0\\,0", "123,4"}, {en, 1234567890, "#,##0,,", "1,235"}, {en, 1500, "0,", "2"},
        {en, 1234, "0,.0", "1.2"}, {en, 0.1234, "0.0%", "12.3%"}, {en, 0.5, "%0", "%50"},
        // E- shows only a minus; rounding carries into the exponent, which widens as needed; 'E'
        // without sign and digits is literal.
        {en, 1234.5, "0.00E+00", "1.23E+03"}, {en, 0.000123, "0.00E-00", "1.23E-04"},
        {en, 1234.5, "0.00E-00", "1.23E03"}, {en, 9.999, "0.00E+00", "1.00E+01"}, {en, 0, "0.00E+00", "0.00E+00"},
        {en, 1234.5, "00.00E+00", "12.35E+02"}, {en, 1.5e-7, "0.0e+0", "1.5e-7"}, {en, 1e100, "0E+0", "1E+100"},
        {en, -1234.5, "0.0E+00", "-1.2E+03"}, {en, 5, "0E", "5E"},
        // The sign stands before everything; letters that are no date token, and quoted ones, are
        // literal; literals alone still form a number pattern; a quoted ';' separates nothing.
        {en, 5, "\\$0.00", "$5.00"}, {en, -5, "$0.00", "-$5.00"}, {en, 5, "0 kg", "5 kg"}, {en, 5, "+0", "+5"},
        {en, 7, "0\" items\"", "7 items"}, {en, 5, "\\x", "x"}, {en, 5, "\"a;b\"0", "a;b5"},
    });
}

TEST(NumberFormat, SectionsChooseByTheSignOfAValueOfAnyType)
{
    expectFormats({
        // The negative section drops the sign; with two sections zero takes the first.
        {en, -5, "0;(0)", "(5)"}, {en, 0, "0;(0)", "0"}, {en, 0, "0;(0);\\z\\e\\r\\o", "zero"},
        // An empty negative section falls back with its sign, an empty zero section falls back.
        {en, -5, "0;;\\z", "-5"}, {en, 0, "0;-0;", "0"}, {en, -1234.5, "#,##0.00;(#,##0.00)", "(1,234.50)"},
        // Zero means the value, not its rounding. An empty first section gives the general text.
        {en, 0.001, "0.00;-0.00;\\z", "0.00"}, {en, -0.001, "0.00;(0.00)", "(0.00)"}, {it, 2.5, ";0", "2,5"},
        // A Null shows only through a fourth section; a fifth is ignored.
        {en, null, "0;-0;\\z;\\n\\u\\l\\l", "null"}, {en, null, "0;-0;\\z", ""}, {en, null, "0;-0;0;\\N;\\X", "N"},
        // The invariant '.' is read first, then the locale's own form, whose group separators
        // count wherever they stand before the decimal point; text that is no number (in this
        // locale, or a date) stays as it is.
        {it, "1234.5", "#,##0.00", "1.234,50"}, {it, "1234,5", "#,##0.00", "1.234,50"},
        {en, "1,234.5", "0.0", "1234.5"}, {en, "1234,5", "0.00", "12345.00"}, {en, " 42 ", "000", "042"},
        {en, "abc", "0.00", "abc"}, {en, QString(), "0.00", ""}, {en, "2024-03-15", "0", "2024-03-15"},
        // A NUMERIC text keeps every digit: no double could hold this one.
        {en, "12345678901234567.125", "0.00", "12345678901234567.13"},
        {en, qlonglong(9007199254740993LL), "0", "9007199254740993"}, {en, true, "0", "-1"},
        {en, QVariant(2.5f), "0.00", "2.50"},
        // Dates count days from 30 December 1899: 1 January 2024 is 45292, plus 31 + 29 + 14.
        {en, QDate(2024, 3, 15), "0", "45366"}, {en, QDateTime(QDate(2024, 3, 15), QTime(18, 0)), "0.00", "45366.75"},
    });
}

// A name, in any case and with blanks around it, stands for a pattern checked above or with the
// date tokens; here each name's choice of pattern and what only names do. Locale texts that carry
// no-break spaces show plain ones.
TEST(NamedFormats, NamesStandForTheirPatternsOrTheLocalesOwnFormsWithPlainSpaces)
{
    const QDateTime afternoon(QDate(2024, 3, 5), QTime(14, 30)); // a Tuesday
    expectFormats({
        {en, 1234567.891, "General Number", "1234567.891"}, {it, 1234567.891, "general number", "1234567,891"},
        {en, qlonglong(100000000000000000LL), "General Number", "100000000000000000"},
        // Halves away from zero first; the locale's negative currency form.
        {en, 1234.565, "Currency", "$1,234.57"}, {en, -1234.565, "Currency", "($1,234.57)"},
        {it, 1234.565, "Currency", "1.234,57 \u20ac"}, {en, 1234.567, "Fixed", "1234.57"},
        {en, -0.5, "FIXED", "-0.50"}, {it, 1234.567, " Standard ", "1.234,57"}, {en, 0.125, "Percent", "12.50%"},
        {it, 12345, "Scientific", "1,23E+04"}, {en, 0, "Yes/No", "No"}, {en, 5, "YES/NO", "Yes"},
        {en, -1, "True/False", "True"}, {en, 0.0, "On/Off", "Off"}, {en, "0.5", "On/Off", "On"},
        {en, "abc", "Fixed", "abc"}, {en, null, "Fixed", ""}, {en, null, "Yes/No", ""},
        {en, afternoon, "Medium Date", "05-Mar-24"}, {en, afternoon, "Long Date", "Tuesday, March 5, 2024"},
        {en, afternoon, "General Date", "3/5/2024 2:30:00 PM"}, {en, afternoon, "Short Time", "14:30"},
        {it, afternoon, "short date", "05/03/2024"}, {it, afternoon, "Long Time", "14:30:00"},
        {en, "2024-03-05", "Short Date", "3/5/2024"}, {en, "abc", "Short Date", "abc"}, {en, null, "Long Date", ""},
        // The designators are the pattern's own.
        {it, afternoon, "Medium Time", "02:30 PM"},
        // A currency amount, and locales that group digits with a (narrow) no-break space.
        {"it_IT", -1234.5, "Currency", "-1.234,50 \u20ac"}, {"de_DE", 2.5, "Currency", "2,50 \u20ac"},
        {"fr_FR", 1234567.5, "Standard", "1 234 567,50"}, {"ru_RU", 1234.5, "#,##0", "1 235"},
        {"fr_FR", 1234.5, "Currency", "1 234,50 \u20ac"}, {"sv_SE", 1234, "#,##0 \"x\"", "1 234 x"},
    });
    for (const char* locale : {"cs_CZ", "fr_CH", "fr_FR", "ru_RU"}) {
        test::LocaleScope scope(locale);
        for (const QString& text : {Format(-1234567.25, QStringLiteral("Currency")),
                 Format(QDate(2024, 3, 5), QStringLiteral("Long Date")), Format(QTime(14, 7), QStringLiteral("Long Time"))})
            EXPECT_FALSE(text.contains(QChar(0x00A0)) || text.contains(QChar(0x202F))) << locale << ": " << qPrintable(text);
    }
}

TEST(StringFormat, PlaceholdersFillFromTheRightUnlessBang)
{
    expectFormats({
        {en, "abc", "@@@@@", "  abc"}, {en, "abc", "!@@@@@", "abc  "}, {en, "abc", "&&&&&", "abc"},
        {en, "abc", ">@@@@@@", "   ABC"}, {en, "1234567890", "(@@@) @@@-@@@@", "(123) 456-7890"},
        // Ten placeholders for five characters: the first five stay blank, or the last five with
        // '!'. Extra characters lead, or trail with '!'.
        {en, "12345", "(@@@) @@@-@@@@", "(   )   1-2345"}, {en, "12345", "!(@@@) @@@-@@@@", "(123) 45 -    "},
        {en, "abcdef", "@-@@", "abcd-ef"}, {en, "abcdef", "!@-@@", "a-bcdef"},
        {en, "Hello", ">", "HELLO"}, {en, "Hello", "<", "hello"}, {en, "ab", "\\@@@", "@ab"}, {en, "", "@@@", "   "},
        {en, null, "@@@", ""}, {en, 42, "@@@@", "  42"}, {it, 3.5, "@@@@@", "  3,5"},
        {en, "", "@;\\(\\e\\m\\p\\t\\y\\)", "(empty)"}, {en, null, "@;\\(\\e\\m\\p\\t\\y\\)", "(empty)"},
    });
}

// Hexadecimal and octal texts are whole numbers of 16 or 32 bits; group separators before the
// decimal point are ignored wherever they stand, after it they are no number; only the locale's
// own separators count, and a number that does not fit is an overflow.
TEST(Conversions, NumberTextsReadWithRadixPrefixesOrGroupSeparators)
{
    const struct { const char* locale; const char* text; double expected; int error = 0; } cases[] = {
        {en, "&H10", 16}, {en, "&h1f", 31}, {en, "&O17", 15}, {en, "&o17", 15}, {en, "&17", 15},
        {en, " &HFFFF ", -1}, {en, "&HFFFFFFFF", -1}, {en, "&H8000", -32768}, {en, "&H7FFF", 32767},
        {en, "&H10000", 65536}, {en, "&H0FFFF", -1}, {en, "&H80000000", -2147483648.0},
        {en, "&O177777", -1}, {en, "&O100000", -32768}, {en, "&O200000", 65536}, {it, "&HA", 10},
        {en, "1,234,5", 12345}, {en, "1,234.5", 1234.5}, {en, ",1,,2", 12}, {en, "-1,2.5e1", -125},
        {it, "1.234.5", 12345}, {it, "-1.2.3,5", -123.5}, {it, " -1.234,5 ", -1234.5},
        {"fr_FR", "1 234,5", 1234.5}, {"fr_FR", "1\u00a0234\u202f5", 12345}, {"ru_RU", "12 345", 12345},
        {en, "&H100000000", 0, Error::Overflow}, {it, "1e400", 0, Error::Overflow}, {it, "-1.000e999", 0, Error::Overflow},
        {en, "&H", 0, Error::TypeMismatch}, {en, "&O8", 0, Error::TypeMismatch}, {en, "&18", 0, Error::TypeMismatch},
        {en, "&HG", 0, Error::TypeMismatch}, {en, "-&H10", 0, Error::TypeMismatch}, {en, "&H 10", 0, Error::TypeMismatch},
        {en, "&", 0, Error::TypeMismatch}, {en, "1.5,0", 0, Error::TypeMismatch}, {it, "1,5.0", 0, Error::TypeMismatch},
        {en, "1e1,0", 0, Error::TypeMismatch}, {en, "1 234", 0, Error::TypeMismatch},
        {en, "   -12.50", -12.5}, {it, "3,25 ", 3.25}, {it, "3.25", 325}, {en, "-", 0, Error::TypeMismatch},
        {en, "12.", 12}, {en, "00042", 42},
        {it, "-1,234.5", 0, Error::TypeMismatch}, {it, "nan", 0, Error::TypeMismatch}, {it, "inf", 0, Error::TypeMismatch},
    };
    for (const auto& c : cases) {
        test::LocaleScope scope(c.locale);
        SCOPED_TRACE(std::string(c.locale) + " " + c.text);
        // The reader of many cells reads each text as CDbl does.
        double value = 0, read = 0;
        EXPECT_EQ(errorNumberOf([&] { value = CDbl(QString::fromUtf8(c.text)); }), c.error);
        EXPECT_EQ(errorNumberOf([&] { read = NumberTextReader().read(c.text); }), c.error);
        EXPECT_EQ(std::pair(value, read), std::pair(c.expected, c.expected));
    }
    // Format reads a numeric text by the same rules.
    expectFormats({{en, "&HFF", "0", "255"}, {en, "1,234,5", "#,##0", "12,345"}, {it, "1.234.5", "0", "12345"}});
}

TEST(Conversions, WholeNumbersRoundHalvesToEven)
{
    const struct { const char* locale; QVariant value; int expected, error = 0; } cases[] = {
        {en, 2.5, 2}, {en, 3.5, 4}, {en, -2.5, -2}, {en, "  7 ", 7}, {en, true, -1}, {en, "0.5", 0}, {en, "1.5", 2},
        {it, "2,5", 2}, {en, 3e9, 0, Error::Overflow}, {en, "abc", 0, Error::TypeMismatch},
        {en, QVariant(), 0, Error::TypeMismatch},
    };
    for (const auto& c : cases) {
        test::LocaleScope scope(c.locale);
        int value = 0;
        EXPECT_EQ(std::pair(errorNumberOf([&] { value = CLng(c.value); }), value), std::pair(c.error, c.expected))
            << c.value.toString().toStdString();
    }
}

TEST(Conversions, TruthTakesTheLocalesNumbers)
{
    test::LocaleScope locale(it);
    EXPECT_TRUE(CBool(QStringLiteral("true")) && !CBool(QStringLiteral("0")));
    EXPECT_EQ(errorNumberOf([] { CBool(QStringLiteral("maybe")); }), Error::TypeMismatch);
}

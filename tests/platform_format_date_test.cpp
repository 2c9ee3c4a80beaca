// Reading dates (CDate) and the date and time patterns of Format, in American English, Italian
// and German.
#include "platform/format/DateConversion.h"
#include "platform/format/Format.h"

#include "support/FormatCases.h"
#include "support/TestHelpers.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace tessaro;
using test::expectFormats;

namespace {

const char* const en = "en_US";
const char* const it = "it_IT";
// Tuesday 5 March 2024, the 65th day of the year (31 + 29 + 5), in its first quarter.
const QDateTime tuesday(QDate(2024, 3, 5), QTime(14, 7, 9));

} // namespace

// Weeks start on Sunday, and week one is the one that holds 1 January.
TEST(DateFormat, TokensShowTheirPartOfTheMoment)
{
    expectFormats({
        {en, tuesday, "d dd ddd dddd", "5 05 Tue Tuesday"}, {en, tuesday, "ddddd", "3/5/2024"},
        {en, tuesday, "dddddd", "Tuesday, March 5, 2024"}, {en, tuesday, "m mm mmm mmmm", "3 03 Mar March"},
        {it, tuesday, "ddd dddd mmm mmmm", "mar marted\u00ec mar marzo"}, {it, tuesday, "ddddd", "05/03/2024"},
        {it, tuesday, "dddddd", "marted\u00ec 5 marzo 2024"}, {en, tuesday, "q y yy yyyy", "1 65 24 2024"},
        // 2024 is a leap year.
        {en, QDate(2024, 11, 30), "q", "4"}, {en, QDate(2005, 1, 1), "yy", "05"}, {en, QDate(2024, 12, 31), "y", "366"},
        // Sunday 1, Monday 2, Tuesday 3, whatever the locale's own first weekday. Week 1 runs Sunday
        // 31 Dec 2023 to Saturday 6 Jan; Sunday 3 March is 8 weeks after 7 Jan.
        {en, tuesday, "w ww", "3 10"}, {it, tuesday, "w ww", "3 10"}, {en, tuesday, "DD/MM/YYYY", "05/03/2024"},
        // 1 Jan 2022 is a Saturday: week 1 is that one day, and Sunday 2 Jan opens week 2.
        {en, QDate(2022, 1, 1), "w ww", "7 1"}, {en, QDate(2022, 1, 2), "w ww", "1 2"},
        // 2000 began on a Saturday and has 366 days: Sunday 31 December opens week 54.
        {en, QDate(2000, 12, 31), "w ww", "1 54"},
        // "yyyy" pads early years to four digits as the short date does; "yy" keeps two.
        {en, QDate(100, 1, 2), "yyyy", "0100"}, {en, QDate(999, 5, 6), "yyyy/yy", "0999/99"},
        {it, QDate(100, 1, 2), "dd-mm-yyyy", "02-01-0100"}, {en, QDate(100, 1, 2), "", "1/2/0100"},
        {en, tuesday, "h hh n nn s ss", "14 14 7 07 9 09"}, {en, QTime(5, 3, 1), "hh:nn:ss", "05:03:01"},
        // After an hour or before seconds m is minutes, whatever literal stands between; elsewhere,
        // and as a month name, it is a month.
        {en, tuesday, "h:m", "14:7"}, {en, tuesday, "hh \\h mm", "14 h 07"}, {en, tuesday, "mm:ss", "07:09"},
        {en, tuesday, "mm/dd hh", "03/05 14"}, {en, tuesday, "hh mmm", "14 Mar"},
        {en, tuesday, "ttttt", "2:07:09 PM"}, {it, tuesday, "ttttt", "14:07:09"},
        // Designators keep their written case; AMPM is the locale's own; the midnight hour is 12;
        // without a designator the clock has 24 hours.
        {en, tuesday, "h AM/PM", "2 PM"}, {it, tuesday, "h AM/PM", "2 PM"}, {en, tuesday, "h A/P a/p", "2 P p"},
        {en, tuesday, "hh:nn am/pm", "02:07 pm"}, {en, tuesday, "h Am/Pm", "2 Pm"}, {en, tuesday, "h AMPM", "2 PM"},
        {en, QTime(0, 30), "h:nn AM/PM", "12:30 AM"}, {en, QTime(12, 30), "h:nn AM/PM", "12:30 PM"},
        {en, QTime(11, 59), "h:nn a/p", "11:59 a"}, {en, QTime(0, 30), "h:nn", "0:30"},
        // Midnight shows the date alone, day zero the time alone.
        {en, tuesday, "c", "3/5/2024 2:07:09 PM"}, {it, tuesday, "c", "05/03/2024 14:07:09"},
        {it, QDate(2024, 3, 5), "c", "05/03/2024"}, {it, QTime(14, 7, 9), "c", "14:07:09"},
        // '/' is the locale's date separator; only the first section counts.
        {"de_DE", tuesday, "dd/mm/yyyy hh:nn", "05.03.2024 14:07"}, {en, tuesday, "dd;mm", "05"},
        {en, tuesday, "dd \"de\" mmmm", "05 de March"}, {en, tuesday, "\\d\\a\\y d", "day 5"},
        {en, tuesday, "dd-mm-yyyy (x)", "05-03-2024 (x)"},
    });
}

// Reading date texts is shared with CDate and checked below; here how Format takes them, and
// numbers.
TEST(DateFormat, DatesComeFromTextsOrFromDaysSince30December1899)
{
    expectFormats({
        {en, QStringLiteral("2024-03-15 10:30:00"), "dd/mm/yyyy hh:nn", "15/03/2024 10:30"},
        // The wall time as stored; to the nearest second.
        {en, QStringLiteral("2024-03-15T10:30:00Z"), "hh:nn", "10:30"},
        {en, QStringLiteral("2024-03-15 10:30:00.700"), "ss", "01"},
        {en, QStringLiteral("2:30 PM"), "hh:nn", "14:30"}, {en, QStringLiteral("10:30"), "hh:nn AM/PM", "10:30 AM"},
        // Two-digit years read as 1930-2029; a day that does not exist is no date.
        {it, QStringLiteral("15/03/29"), "yyyy", "2029"}, {it, QStringLiteral("15/03/30"), "yyyy", "1930"},
        {en, QStringLiteral("2024-02-30"), "dd/mm/yyyy", "2024-02-30"}, {en, QStringLiteral("hello"), "dd", "hello"},
        {en, QStringLiteral(""), "dd/mm/yyyy", ""},
        // 45292 is 1 January 2024, plus 31 + 29 + 14; day zero shows as a time.
        {it, 45366, "dd/mm/yyyy", "15/03/2024"}, {it, QStringLiteral("45366"), "dd/mm/yyyy", "15/03/2024"},
        {it, 45366.75, "hh:nn", "18:00"}, {it, 1, "dd/mm/yyyy", "31/12/1899"}, {it, 0, "c", "00:00:00"},
        {en, 0, "c", "12:00:00 AM"}, {it, QTime(14, 7, 9), "dd/mm/yyyy hh:nn", "30/12/1899 14:07"},
        // The fraction counts forwards; True is -1.
        {it, -1.25, "dd/mm/yyyy hh:nn", "29/12/1899 06:00"}, {it, true, "dd/mm/yyyy", "29/12/1899"},
        {it, QVariant(), "dd/mm/yyyy", ""}, {it, QVariant(QMetaType::fromType<QDateTime>()), "dd/mm/yyyy", ""},
        // The last and first days of the range, 31 December 9999 and 1 January 100.
        {en, 2958465.5, "yyyy-mm-dd hh", "9999-12-31 12"}, {en, -657434.0, "yyyy-mm-dd", "0100-01-01"},
    });
    for (const double serial : {1e10, 2958466.0, -657435.0})
        EXPECT_EQ(test::errorNumberOf([&] { Format(serial, QStringLiteral("dd/mm/yyyy")); }), Error::Overflow) << serial;
}

TEST(CDate, ReadsTheLocalesOwnAndIsoDateForms)
{
    const QDate ides(2024, 3, 15);
    const QDateTime day(ides, QTime(0, 0));
    const struct { const char* locale; QVariant value; QDateTime expected; } cases[] = {
        // Day first in Italian, month first in English; two-digit years; the nearest second.
        {"it_IT", "15/03/2024", day}, {"en_US", "3/15/2024", day}, {"it_IT", "15-3-24 10:30", {ides, QTime(10, 30)}},
        {"it_IT", "2024-03-15T10:30:15.6", {ides, QTime(10, 30, 16)}},
        // Month names, full or short, with or without a weekday, in the locale's language or English.
        {"it_IT", "15 marzo 2024", day}, {"it_IT", "venerdì 15 mar. 2024", day}, {"en_US", "15-Mar-24", day},
        {"it_IT", "March 15, 2024 10:30 PM", {ides, QTime(22, 30)}}, {"en_US", "Friday, March 15, 2024", day},
        {"en_US", "2024 mar 15", day}, {"en_US", "March 2024", {QDate(2024, 3, 1), QTime(0, 0)}},
        // A time alone falls on day zero; a date serial counts days from it.
        {"en_US", "10:30", {QDate(1899, 12, 30), QTime(10, 30)}}, {"en_US", ides, day},
        {"en_US", QDate(1899, 12, 30).daysTo(ides) + 0.75, {ides, QTime(18, 0)}},
    };
    for (const auto& c : cases) {
        test::LocaleScope locale(c.locale);
        const QDateTime moment = CDate(c.value);
        EXPECT_EQ(QDateTime(moment.date(), moment.time()), c.expected) // the wall time, whatever its zone
            << c.locale << " " << qPrintable(c.value.toString());
    }
}

TEST(CDate, AnythingElseIsATypeMismatch)
{
    test::LocaleScope locale("it_IT");
    const QVariant notDates[] = {QVariant(), QVariant(QMetaType(QMetaType::QString)), "", "abc", "12",
                                 "31 febbraio 2024", "15 marzo aprile 2024", "marzo", "15 marzo 2024 ore 10"};
    for (const QVariant& value : notDates)
        EXPECT_EQ(test::errorNumberOf([&] { CDate(value); }), 13) << qPrintable(value.toString());
    EXPECT_EQ(test::errorNumberOf([] { CDate(1e9); }), 6) << "a serial beyond the year 9999";
}

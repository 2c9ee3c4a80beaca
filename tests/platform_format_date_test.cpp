// The date and time patterns of Format, in American English, Italian and German.
#include "platform/format/Format.h"

#include "support/FormatCases.h"

#include <tessaro/Error.h>

#include <QDateTime>
#include <QLocale>
#include <gtest/gtest.h>

using namespace tessaro;
using test::LocaleScope;
using test::expectFormats;

namespace {

// Tuesday 5 March 2024, the 65th day of the year (31 + 29 + 5), in its first quarter.
const QDateTime tuesday(QDate(2024, 3, 5), QTime(14, 7, 9));

} // namespace

TEST(DateFormat, DayMonthYearAndQuarterTokens)
{
    expectFormats({
        {"en_US", tuesday, "d", "5"},
        {"en_US", tuesday, "dd", "05"},
        {"en_US", tuesday, "ddd", "Tue"},
        {"en_US", tuesday, "dddd", "Tuesday"},
        {"en_US", tuesday, "ddddd", "3/5/2024"},
        {"en_US", tuesday, "dddddd", "Tuesday, March 5, 2024"},
        {"it_IT", tuesday, "ddd dddd", "mar marted\u00ec"},
        {"it_IT", tuesday, "ddddd", "05/03/2024"},
        {"it_IT", tuesday, "dddddd", "marted\u00ec 5 marzo 2024"},
        {"en_US", tuesday, "m", "3"},
        {"en_US", tuesday, "mm", "03"},
        {"en_US", tuesday, "mmm", "Mar"},
        {"en_US", tuesday, "mmmm", "March"},
        {"it_IT", tuesday, "mmm mmmm", "mar marzo"},
        {"en_US", tuesday, "q", "1"},
        {"en_US", QDate(2024, 11, 30), "q", "4"},
        {"en_US", tuesday, "y", "65"},
        {"en_US", QDate(2024, 12, 31), "y", "366"}, // a leap year
        {"en_US", tuesday, "yy", "24"},
        {"en_US", QDate(2005, 1, 1), "yy", "05"},
        {"en_US", tuesday, "yyyy", "2024"},
        {"en_US", tuesday, "DD/MM/YYYY", "05/03/2024"}, // tokens in any case
    });
}

TEST(DateFormat, WeeksStartOnSundayAndWeekOneHoldsFirstJanuary)
{
    expectFormats({
        {"en_US", tuesday, "w", "3"},            // Sunday 1, Monday 2, Tuesday 3
        {"it_IT", tuesday, "w", "3"},            // whatever the locale's own first weekday
        // Week 1 runs Sunday 31 Dec 2023 to Saturday 6 Jan; Sunday 3 March is 8 weeks after 7 Jan.
        {"en_US", tuesday, "ww", "10"},
        {"it_IT", tuesday, "ww", "10"},
        {"en_US", QDate(2022, 1, 1), "w ww", "7 1"}, // a Saturday: week 1 is that one day
        {"en_US", QDate(2022, 1, 2), "w ww", "1 2"}, // the next day, a Sunday, opens week 2
        // 2000 began on a Saturday and has 366 days: Sunday 31 December opens week 54.
        {"en_US", QDate(2000, 12, 31), "w ww", "1 54"},
    });
}

TEST(DateFormat, TimeTokensAndMinutesBesideHoursOrSeconds)
{
    expectFormats({
        {"en_US", tuesday, "h hh", "14 14"},
        {"en_US", tuesday, "n nn", "7 07"},
        {"en_US", tuesday, "s ss", "9 09"},
        {"en_US", QTime(5, 3, 1), "hh:nn:ss", "05:03:01"},
        {"en_US", tuesday, "h:m", "14:7"},       // after an hour, m is minutes
        {"en_US", tuesday, "hh:mm", "14:07"},
        {"en_US", tuesday, "mm:ss", "07:09"},    // before seconds too
        {"en_US", tuesday, "mm/dd hh", "03/05 14"}, // elsewhere a month
        {"en_US", tuesday, "hh \\h mm", "14 h 07"}, // literals between do not matter
        {"en_US", tuesday, "hh mmm", "14 Mar"},  // a month name stays a month
        {"en_US", tuesday, "ttttt", "2:07:09 PM"},
        {"it_IT", tuesday, "ttttt", "14:07:09"},
    });
}

TEST(DateFormat, TwelveHourClockDesignators)
{
    expectFormats({
        {"en_US", tuesday, "h AM/PM", "2 PM"},
        {"en_US", tuesday, "hh:nn am/pm", "02:07 pm"},
        {"en_US", tuesday, "h A/P", "2 P"},
        {"en_US", tuesday, "h a/p", "2 p"},
        {"en_US", tuesday, "h Am/Pm", "2 Pm"},      // written case kept
        {"en_US", tuesday, "h AMPM", "2 PM"},       // the locale's own designator
        {"it_IT", tuesday, "h AM/PM", "2 PM"},
        {"en_US", QTime(0, 30), "h:nn AM/PM", "12:30 AM"}, // midnight hour is 12
        {"en_US", QTime(12, 30), "h:nn AM/PM", "12:30 PM"},
        {"en_US", QTime(11, 59), "h:nn a/p", "11:59 a"},
        {"en_US", QTime(0, 30), "h:nn", "0:30"},    // no designator: 24 hours
    });
}

TEST(DateFormat, GeneralDateSeparatorsAndLiterals)
{
    expectFormats({
        {"en_US", tuesday, "c", "3/5/2024 2:07:09 PM"},
        {"it_IT", tuesday, "c", "05/03/2024 14:07:09"},
        {"it_IT", QDate(2024, 3, 5), "c", "05/03/2024"},         // midnight: the date alone
        {"it_IT", QTime(14, 7, 9), "c", "14:07:09"},            // day zero: the time alone
        {"de_DE", tuesday, "dd/mm/yyyy hh:nn", "05.03.2024 14:07"}, // '/' is the locale's separator
        {"it_IT", tuesday, "dd/mm/yyyy", "05/03/2024"},
        {"en_US", tuesday, "dd \"de\" mmmm", "05 de March"},
        {"en_US", tuesday, "\\d\\a\\y d", "day 5"},
        {"en_US", tuesday, "dd-mm-yyyy (x)", "05-03-2024 (x)"},
        {"en_US", tuesday, "dd;mm", "05"},                       // only the first section
    });
}

TEST(DateFormat, TextsThatReadAsDates)
{
    expectFormats({
        {"en_US", QStringLiteral("2024-03-15 10:30:00"), "dd/mm/yyyy hh:nn", "15/03/2024 10:30"},
        {"it_IT", QStringLiteral("2024-03-15 10:30:00"), "dd/mm/yyyy hh:nn", "15/03/2024 10:30"},
        {"en_US", QStringLiteral("2024-03-15T10:30:00Z"), "hh:nn", "10:30"},    // wall time as stored
        {"en_US", QStringLiteral("2024-03-15 10:30:00.700"), "ss", "01"},        // to the nearest second
        {"en_US", QStringLiteral("2024-03-15"), "dddd", "Friday"},
        {"it_IT", QStringLiteral("15/03/2024"), "mmmm", "marzo"},               // day first in Italian
        {"en_US", QStringLiteral("3/15/2024"), "mmmm", "March"},                // month first in English
        {"it_IT", QStringLiteral("15/03/29"), "yyyy", "2029"},                  // two-digit years: 1930-2029
        {"it_IT", QStringLiteral("15/03/30"), "yyyy", "1930"},
        {"it_IT", QStringLiteral("15/03/2024 08:05"), "hh:nn", "08:05"},
        {"en_US", QStringLiteral("2:30 PM"), "hh:nn", "14:30"},
        {"en_US", QStringLiteral("10:30"), "hh:nn AM/PM", "10:30 AM"},
        {"en_US", QStringLiteral("2024-02-30"), "dd/mm/yyyy", "2024-02-30"},    // no such day: as is
        {"en_US", QStringLiteral("hello"), "dd/mm/yyyy", "hello"},
        {"en_US", QStringLiteral(""), "dd/mm/yyyy", ""},
    });
}

TEST(DateFormat, NumbersAreDateSerials)
{
    expectFormats({
        {"it_IT", 45366, "dd/mm/yyyy", "15/03/2024"}, // 45292 is 1 January 2024, plus 31 + 29 + 14
        {"it_IT", QStringLiteral("45366"), "dd/mm/yyyy", "15/03/2024"},
        {"it_IT", 45366.75, "hh:nn", "18:00"},
        {"it_IT", 1, "dd/mm/yyyy", "31/12/1899"},
        {"it_IT", 0, "c", "00:00:00"},                 // day zero shows as a time
        {"en_US", 0, "c", "12:00:00 AM"},
        {"it_IT", -1.25, "dd/mm/yyyy hh:nn", "29/12/1899 06:00"}, // the fraction counts forwards
        {"it_IT", true, "dd/mm/yyyy", "29/12/1899"},   // True is -1
        {"it_IT", QTime(14, 7, 9), "dd/mm/yyyy hh:nn", "30/12/1899 14:07"},
        {"it_IT", QVariant(), "dd/mm/yyyy", ""},
        {"it_IT", QVariant(QMetaType::fromType<QDateTime>()), "dd/mm/yyyy", ""},
    });
}

TEST(DateFormat, SerialsBeyondTheClassicDatesOverflow)
{
    LocaleScope locale("en_US");
    for (const double serial : {1e10, 2958466.0, -657435.0}) {
        SCOPED_TRACE(serial);
        try {
            Format(serial, QStringLiteral("dd/mm/yyyy"));
            ADD_FAILURE() << "expected an overflow";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), Error::Overflow);
        }
    }
    // The last and first days of the range still format: 31 December 9999 and 1 January 100.
    EXPECT_EQ(Format(2958465.5, QStringLiteral("yyyy-mm-dd hh")), QStringLiteral("9999-12-31 12"));
    EXPECT_EQ(Format(-657434.0, QStringLiteral("yyyy-mm-dd")), QStringLiteral("100-01-01"));
}

#include "platform/format/DateConversion.h"
#include "support/FormatCases.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace tessaro;
using test::LocaleScope;

TEST(CDate, ReadsTheLocalesShortDateIsoFormsAndMonthNames)
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
        SCOPED_TRACE(qPrintable(QLatin1String(c.locale) + u' ' + c.value.toString()));
        LocaleScope locale(c.locale);
        const QDateTime moment = CDate(c.value);
        EXPECT_EQ(QDateTime(moment.date(), moment.time()), c.expected); // the wall time, whatever its zone
    }
}

TEST(CDate, AnythingElseIsATypeMismatch)
{
    LocaleScope locale("it_IT");
    const QVariant notDates[] = {QVariant(), QVariant(QMetaType(QMetaType::QString)), "", "abc", "12",
                                 "31 febbraio 2024", "15 marzo aprile 2024", "marzo", "15 marzo 2024 ore 10"};
    for (const QVariant& value : notDates) {
        SCOPED_TRACE(qPrintable(value.toString()));
        EXPECT_EQ(test::errorNumberOf([&] { CDate(value); }), 13);
    }
    EXPECT_EQ(test::errorNumberOf([] { CDate(1e9); }), 6) << "a serial beyond the year 9999";
}

// The text itself, with the time only when it is not midnight, is that of CStr and checked there.
TEST(GeneralDate, ShowsAMomentAsCStrDoesAndNothingForNone)
{
    LocaleScope locale("en_US");
    EXPECT_EQ(GeneralDate(CDate("2024-03-05 21:05")), QStringLiteral("3/5/2024 9:05:00 PM"));
    EXPECT_EQ(GeneralDate(QDateTime()), QString());
}

#include "platform/DateConversion.h"
#include "support/TestHelpers.h"

#include <tessaro/Error.h>

#include <QLocale>
#include <gtest/gtest.h>

using namespace tessaro;

namespace {

struct InLocale {
    explicit InLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~InLocale() { QLocale::setDefault(QLocale::c()); }
};

const QLocale italian(QLocale::Italian, QLocale::Italy);
const QLocale american(QLocale::English, QLocale::UnitedStates);

int errorNumberOf(const QVariant& value)
{
    return tessaro::test::errorNumberOf([&] { CDate(value); });
}

TEST(CDate, ReadsTheLocalesShortDateIsoFormsAndMonthNames)
{
    const QDate ides(2024, 3, 15);
    const struct {
        QLocale locale;
        QVariant value;
        QDateTime expected;
    } cases[] = {
        {italian, "15/03/2024", QDateTime(ides, QTime(0, 0))},
        {american, "3/15/2024", QDateTime(ides, QTime(0, 0))},
        {italian, "15-3-24 10:30", QDateTime(ides, QTime(10, 30))},
        {italian, "2024-03-15T10:30:15.6", QDateTime(ides, QTime(10, 30, 16))},
        {italian, "15 marzo 2024", QDateTime(ides, QTime(0, 0))},
        {italian, "venerdì 15 mar. 2024", QDateTime(ides, QTime(0, 0))},
        {italian, "March 15, 2024 10:30 PM", QDateTime(ides, QTime(22, 30))},
        {american, "Friday, March 15, 2024", QDateTime(ides, QTime(0, 0))},
        {american, "15-Mar-24", QDateTime(ides, QTime(0, 0))},
        {american, "2024 mar 15", QDateTime(ides, QTime(0, 0))},
        {american, "March 2024", QDateTime(QDate(2024, 3, 1), QTime(0, 0))},
        {american, "10:30", QDateTime(QDate(1899, 12, 30), QTime(10, 30))},
        {american, QDate(2024, 3, 15), QDateTime(ides, QTime(0, 0))},
        {american, QDate(1899, 12, 30).daysTo(ides) + 0.75, QDateTime(ides, QTime(18, 0))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.locale.name() + u' ' + c.value.toString()));
        InLocale locale(c.locale);
        const QDateTime moment = CDate(c.value);
        EXPECT_EQ(moment.date(), c.expected.date());
        EXPECT_EQ(moment.time(), c.expected.time());
    }
}

TEST(CDate, AnythingElseIsATypeMismatch)
{
    InLocale locale(italian);
    const QVariant notDates[] = {QVariant(), QVariant(QMetaType(QMetaType::QString)), "", "abc", "12",
                                 "31 febbraio 2024", "15 marzo aprile 2024", "marzo", "15 marzo 2024 ore 10"};
    for (const QVariant& value : notDates) {
        SCOPED_TRACE(qPrintable(value.toString()));
        EXPECT_EQ(errorNumberOf(value), 13);
    }
    EXPECT_EQ(errorNumberOf(1e9), 6) << "a serial beyond the year 9999";
}

TEST(GeneralDate, ShowsTheTimeOnlyWhenItIsNotMidnight)
{
    InLocale locale(italian);
    EXPECT_EQ(GeneralDate(QDateTime(QDate(2024, 3, 5), QTime(0, 0))), QStringLiteral("05/03/2024"));
    EXPECT_EQ(GeneralDate(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7))), QStringLiteral("05/03/2024 09:05:07"));
    EXPECT_EQ(GeneralDate(QDateTime(QDate(1899, 12, 30), QTime(9, 5))), QStringLiteral("09:05:00"));
    EXPECT_EQ(GeneralDate(QDateTime()), QString());
    InLocale us(american);
    EXPECT_EQ(GeneralDate(CDate("2024-03-05 21:05")), QStringLiteral("3/5/2024 9:05:00 PM"));
}

} // namespace

#include "platform/Conversions.h"
#include "platform/Failure.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestHelpers.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace tessaro;

TEST(ErrorReport, FormsAAndBSpellTheMessageExactly)
{
    const Error error(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    EXPECT_EQ(errorReportText(ReportForm::A, QStringLiteral("PopulateList"), error),
              QStringLiteral("Tessaro PopulateList Err=3704\r\nOperation is not allowed when the object is closed."));
    EXPECT_EQ(errorReportText(ReportForm::B, QStringLiteral("cmdSomma_Click"), error),
              QStringLiteral("Tessaro cmdSomma_Click \rErr = 3704  Operation is not allowed when the object is closed."));
    // The fill puts the row number (possibly empty) and a blank before the description.
    EXPECT_EQ(errorReportText(ReportForm::B, QStringLiteral("RiempiListView"), Error::fromNumber(9), QStringLiteral("4")),
              QStringLiteral("Tessaro RiempiListView \rErr = 9  4 Subscript out of range"));
    EXPECT_EQ(errorReportText(ReportForm::B, QStringLiteral("RiempiListView"), Error::fromNumber(9), QString()),
              QStringLiteral("Tessaro RiempiListView \rErr = 9   Subscript out of range"));
}

TEST(ErrorReport, TrapAndReportStopsTheBodyAndShowsOneCriticalMessage)
{
    test::MessageBoxRecorder boxes;
    int stepsRun = 0;
    const bool completed = trapAndReport(ReportForm::A, QStringLiteral("MoveToNextPage"), [&] {
        ++stepsRun;
        raiseError(Error::DivisionByZero);
        ++stepsRun;
    });
    EXPECT_FALSE(completed);
    EXPECT_EQ(stepsRun, 1);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].style, 16);
    EXPECT_EQ(boxes.messages()[0].text, QStringLiteral("Tessaro MoveToNextPage Err=11\r\nDivision by zero"));

    EXPECT_TRUE(trapAndReport(ReportForm::A, QStringLiteral("x"), [] {}));
    EXPECT_EQ(boxes.messages().size(), 1u);
}

TEST(ErrorReport, SkippedStepsLetTheNextOneRunAndForeignFailuresGetRuntimeNumbers)
{
    int after = 0;
    EXPECT_FALSE(skipFailure([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(skipFailure([&] { ++after; }));
    EXPECT_EQ(after, 1);

    auto numberOf = [](auto thrower) {
        try {
            thrower();
        } catch (...) {
            return currentError().number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf([] { throw std::bad_alloc(); }), Error::OutOfMemory);
    EXPECT_EQ(numberOf([] { throw std::out_of_range("x"); }), Error::SubscriptOutOfRange);
    EXPECT_EQ(numberOf([] { throw Error(-2147467259, QStringLiteral("driver")); }), -2147467259);
}

TEST(Conversions, WholeNumbersRoundHalvesToEvenAndReportBadValues)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Case {
        QVariant value;
        int expected; // the number, or the error number when `fails`
        bool fails;
    };
    const Case cases[] = {
        {2.5, 2, false},
        {3.5, 4, false},
        {-2.5, -2, false},
        {QStringLiteral("  7 "), 7, false},
        {QStringLiteral("0.5"), 0, false},
        {QStringLiteral("1.5"), 2, false},
        {true, -1, false},
        {QStringLiteral("abc"), Error::TypeMismatch, true},
        {QVariant(), Error::TypeMismatch, true},
        {3e9, Error::Overflow, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString());
        try {
            const int value = CLng(c.value);
            EXPECT_FALSE(c.fails) << "converted to " << value;
            EXPECT_EQ(value, c.expected);
        } catch (const Error& e) {
            EXPECT_TRUE(c.fails);
            EXPECT_EQ(e.number(), c.expected);
        }
    }
}

TEST(Conversions, NumbersInTextFollowTheLocale)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_DOUBLE_EQ(CDbl(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(CLng(QStringLiteral("2,5")), 2);
    EXPECT_TRUE(CBool(QStringLiteral("true")));
    EXPECT_FALSE(CBool(QStringLiteral("0")));
    EXPECT_THROW(CBool(QStringLiteral("maybe")), Error);
    // Only the locale's own separators count; a number that does not fit is an overflow.
    const std::pair<const char*, int> refused[] = {
        {"-1,234.5", Error::TypeMismatch}, {"nan", Error::TypeMismatch}, {"inf", Error::TypeMismatch},
        {"1e400", Error::Overflow},        {"-1.000e999", Error::Overflow},
    };
    for (const auto& [text, number] : refused) {
        SCOPED_TRACE(text);
        EXPECT_EQ(test::errorNumberOf([&] { CDbl(QString::fromLatin1(text)); }), number);
    }
    EXPECT_DOUBLE_EQ(CDbl(QStringLiteral(" -1.234,5 ")), -1234.5);
    QLocale::setDefault(QLocale::c());
}

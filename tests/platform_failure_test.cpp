#include "language/ErrorReport.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestHelpers.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

using namespace tessaro;
using test::errorNumberOf;

// The message texts of both forms, with and without the fill's row number, are checked where the
// control's routines report them. Here the body stops at the failure and one critical box shows,
// titled by whoever traps; a handler that throws is skipped, so nothing escapes.
TEST(ErrorReport, TrapAndReportStopsTheBodyAtTheFailureWithOneCriticalMessage)
{
    test::MessageBoxRecorder boxes;
    int stepsRun = 0;
    const auto steps = [&] { ++stepsRun; raiseError(Error::DivisionByZero); ++stepsRun; };
    const ReportTitle title = [] { return QStringLiteral("Trapped"); };
    EXPECT_FALSE(trapAndReport(title, ReportForm::DescriptionBelow, QStringLiteral("MoveToNextPage"), steps));
    EXPECT_EQ(stepsRun, 1);
    EXPECT_TRUE(trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("x"), [] {}));
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(std::pair(boxes.messages()[0].style, boxes.messages()[0].title), std::pair(16, QStringLiteral("Trapped")));
    const MessageBoxHandler previous = setMessageBoxHandler([](const QString&, int, const QString&) -> int {
        throw std::runtime_error("handler");
    });
    EXPECT_FALSE(trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("op"), [] { raiseError(Error::Overflow); }));
    setMessageBoxHandler(previous);
}

TEST(ErrorReport, ASkippedStepLetsTheNextOneRun)
{
    const SkipFailures skip("SkippingRoutine");
    int after = 0;
    EXPECT_FALSE(skip([] { throw std::bad_alloc(); }));
    EXPECT_TRUE(skip([&] { ++after; }) && after == 1);
}

TEST(ErrorReport, ForeignFailuresGetRuntimeNumbers)
{
    const auto errorOf = [](auto thrower) {
        try { thrower(); } catch (...) { return currentError(); }
        return Error(0, QString());
    };
    EXPECT_EQ(errorOf([] { throw std::bad_alloc(); }).number(), Error::OutOfMemory);
    // Index errors come from the control's own checks; a standard one is foreign like any other.
    const Error foreign = errorOf([] { throw std::out_of_range("map key"); });
    EXPECT_EQ(std::pair(foreign.number(), foreign.description()), std::pair(int(Error::InvalidProcedureCall), QStringLiteral("map key")));
    EXPECT_EQ(errorOf([] { throw Error(-2147467259, QStringLiteral("driver")); }).number(), -2147467259);
}

// A skipped failure leaves one trace, with its routine and error, once its category is on.
TEST(ErrorReport, ASkippedFailureIsTracedOnceWhenItsCategoryIsOn)
{
    static QStringList traced;
    traced.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context,
                                                                const QString& text) {
        if (QLatin1String(context.category) == QLatin1String("tessaro.skipped"))
            traced << text;
    });
    const SkipFailures skip("SkippingRoutine");
    skip([] { raiseError(Error::DivisionByZero); });
    EXPECT_TRUE(traced.isEmpty()) << "off by default";
    QLoggingCategory::setFilterRules(QStringLiteral("tessaro.skipped.debug=true"));
    skip([] { raiseError(Error::DivisionByZero); });
    skip([] {});
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    ASSERT_EQ(traced.size(), 1);
    EXPECT_EQ(traced.front(), QStringLiteral("SkippingRoutine: skipped Err=%1 %2")
                                  .arg(Error::DivisionByZero).arg(Error::fromNumber(Error::DivisionByZero).description()));
}

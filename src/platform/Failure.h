#pragma once

// The three ways a routine of the control deals with a failing step:
//   trap and report  - trapAndReport(): the routine ends and the user sees a critical message;
//   skip             - a `const SkipFailures skip("Routine");` at the routine's top, then
//                      skip(step): the failing step is dropped and the next one runs, leaving
//                      a trace in the logging category "tessaro.skipped" (see traceSkipped);
//   pass on          - no helper: the tessaro::Error simply propagates to the caller.
// The control's routines trap through language/ErrorReport.h, which titles the box.

#include <tessaro/Error.h>

#include <QString>
#include <optional>
#include <utility>

namespace tessaro {

/// Where a trapped-error message puts the description.
enum class ReportForm {
    DescriptionBelow,  ///< "Tessaro <op> Err=<n>\r\n<description>"
    DescriptionBeside, ///< "Tessaro <op> \rErr = <n>  <description>"
};

/// Gives the error box's title; asked only when a failure is reported.
using ReportTitle = QString (*)();

/// The error being handled, as a tessaro::Error; call only inside a catch block. Failures that
/// are not tessaro::Error get the nearest runtime number: 7 for a failed allocation, otherwise
/// 5 with the failure's own text when it has one.
Error currentError();

/// Shows a trapped-error message in the critical message box titled `title`. `detail`, when
/// given, stands between the number and the description, followed by one blank (the fill puts
/// its row number there).
void reportError(const QString& title, ReportForm form, const QString& operation, const Error& error,
                 const std::optional<QString>& detail = std::nullopt);

/// Leaves the trace of a skipped failure: `routine` and the error being handled, logged once at
/// debug level in the category "tessaro.skipped". The category is off by default; the rule
/// "tessaro.skipped.debug=true" (QT_LOGGING_RULES) turns it on. Call only inside a catch block;
/// never throws.
void traceSkipped(const char* routine) noexcept;
/// The same trace for a failure found without raising it.
void traceSkipped(const char* routine, const Error& error) noexcept;

/// Runs one step of `routine` whose failure is skipped, with its trace. Returns whether it ran.
template <class Step>
bool skipFailure(const char* routine, Step&& step) noexcept
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        traceSkipped(routine);
        return false;
    }
}

/// Declared once at the top of a routine whose failing steps are skipped, with the routine's
/// name for the trace: skip(step) runs one.
class SkipFailures {
public:
    explicit constexpr SkipFailures(const char* routine) : m_routine(routine) {}
    template <class Step>
    bool operator()(Step&& step) const noexcept { return skipFailure(m_routine, std::forward<Step>(step)); }

private:
    const char* m_routine;
};

/// Runs `body`; a failure is reported in the given form with a detail between the error number
/// and the description (`detail()` is asked only then; the fill gives its current row number),
/// and ends it. Returns whether it completed. Never throws: should the report itself fail (a
/// message-box handler that throws), it is skipped.
template <class Detail, class Body>
bool trapAndReport(ReportTitle title, ReportForm form, const QString& operation, Detail&& detail,
                   Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        skipFailure("trapAndReport", [&] {
            reportError(title(), form, operation, currentError(), std::optional<QString>(detail()));
        });
        return false;
    }
}

/// As above, without a detail.
template <class Body>
bool trapAndReport(ReportTitle title, ReportForm form, const QString& operation, Body&& body) noexcept
{
    const auto noDetail = [] { return std::optional<QString>(); };
    return trapAndReport(title, form, operation, noDetail, std::forward<Body>(body));
}

/// Raises the runtime error `number` with its own description (the pass-on style).
[[noreturn]] inline void raiseError(int number)
{
    throw Error::fromNumber(number);
}

} // namespace tessaro

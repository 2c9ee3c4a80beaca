#pragma once

// The three ways a routine of the control deals with a failing step:
//   trap and report  - trapAndReport(): the routine ends and the user sees a critical message;
//   skip             - skipFailure():  the failing step is dropped and the next one runs;
//   pass on          - no helper: the tessaro::Error simply propagates to the caller.

#include <tessaro/Error.h>

#include <QString>
#include <optional>
#include <utility>

namespace tessaro {

/// The shape of a trapped-error message.
enum class ReportForm {
    A, ///< "Tessaro <op> Err=<n>\r\n<description>"
    B, ///< "Tessaro <op> \rErr = <n>  <description>"
};

/// The error being handled, as a tessaro::Error; call only inside a catch block. Failures that
/// are not tessaro::Error (allocation, standard library) get the nearest runtime number.
Error currentError();

/// The text of a trapped-error message. `detail`, when given, stands between the number and the
/// description, followed by one blank (the fill puts its row number there).
QString errorReportText(ReportForm form, const QString& operation, const Error& error,
                        const std::optional<QString>& detail = std::nullopt);

/// Shows errorReportText() in the critical message box titled with the string LE01.
void reportError(ReportForm form, const QString& operation, const Error& error,
                 const std::optional<QString>& detail = std::nullopt);

/// Runs `body`; a failure is reported in the given form and ends it. Returns whether it completed.
template <class Body>
bool trapAndReport(ReportForm form, const QString& operation, Body&& body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        reportError(form, operation, currentError());
        return false;
    }
}

/// As above, with a detail shown between the error number and the description: `detail()` is
/// asked for it only when a failure is reported (the fill gives its current row number).
template <class Detail, class Body>
bool trapAndReport(ReportForm form, const QString& operation, Detail&& detail, Body&& body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (...) {
        reportError(form, operation, currentError(), QString(detail()));
        return false;
    }
}

/// Runs one step of a routine whose failing steps are skipped silently. Returns whether it ran.
template <class Step>
bool skipFailure(Step&& step) noexcept
{
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

/// Raises the runtime error `number` with its own description (the pass-on style).
[[noreturn]] inline void raiseError(int number)
{
    throw Error::fromNumber(number);
}

} // namespace tessaro

#include "platform/Failure.h"

#include <tessaro/MessageBox.h>

#include <QLoggingCategory>

#include <new>
#include <stdexcept>

namespace tessaro {
namespace {

// Off unless asked for: a skipped failure is the documented behaviour, not a fault to report.
Q_LOGGING_CATEGORY(lcSkipped, "tessaro.skipped", QtInfoMsg)

} // namespace

// Only the control's own checks raise index errors: a standard library failure carries no
// number of its own, whatever its kind.
Error currentError()
{
    try {
        throw;
    } catch (const Error& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return Error::fromNumber(Error::OutOfMemory);
    } catch (const std::exception& e) {
        return Error(Error::InvalidProcedureCall, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return Error::fromNumber(Error::InvalidProcedureCall);
    }
}

void traceSkipped(const char* routine) noexcept
{
    try {
        traceSkipped(routine, currentError());
    } catch (...) {
        // A trace that cannot be written is not worth a failure of its own.
    }
}

void traceSkipped(const char* routine, const Error& error) noexcept
{
    try {
        qCDebug(lcSkipped).noquote().nospace() << routine << ": skipped Err=" << error.number() << ' '
                                               << error.description();
    } catch (...) {
        // A trace that cannot be written is not worth a failure of its own.
    }
}

void reportError(const QString& title, ReportForm form, const QString& operation, const Error& error,
                 const std::optional<QString>& detail)
{
    const QString description = detail ? *detail + QLatin1Char(' ') + error.description()
                                       : error.description();
    const QString text = form == ReportForm::DescriptionBelow
        ? QStringLiteral("Tessaro ") + operation + QStringLiteral(" Err=") + QString::number(error.number())
            + QStringLiteral("\r\n") + description
        : QStringLiteral("Tessaro ") + operation + QStringLiteral(" \rErr = ") + QString::number(error.number())
            + QStringLiteral("  ") + description;
    MsgBox(text, MessageStyle::Critical, title);
}

} // namespace tessaro

#include "platform/sql/DatabaseError.h"

#include <QLoggingCategory>
#include <QSqlError>

namespace tessaro::sql {

namespace {

// Warnings on, as Qt's own categories: a host silences them with the rule
// "tessaro.sql.warning=false".
Q_LOGGING_CATEGORY(lcSql, "tessaro.sql", QtWarningMsg)

// What a data provider reports for a failure without a number of its own (E_FAIL).
constexpr int kProviderFailure = -2147467259;

Error databaseError(const QSqlError& error)
{
    bool numeric = false;
    const int native = error.nativeErrorCode().toInt(&numeric);
    QString message = error.databaseText().trimmed();
    if (message.isEmpty())
        message = error.text().trimmed();
    if (message.isEmpty())
        message = QStringLiteral("Unspecified error");
    // PostgreSQL reports five-character SQLSTATE codes; those with letters (42P01) cannot be a
    // number and take the generic one, the message still says what failed.
    return Error(numeric ? native : kProviderFailure, message);
}

} // namespace

Error resultSetError(int number)
{
    switch (number) {
    case ArgumentsOutOfRange:
        return Error(number, QStringLiteral("Arguments are of the wrong type, are out of acceptable "
                                            "range, or are in conflict with one another."));
    case ItemNotFound:
        return Error(number, QStringLiteral("Item cannot be found in the collection corresponding "
                                            "to the requested name or ordinal."));
    case ObjectOpen:
        return Error(number, QStringLiteral("Operation is not allowed when the object is open."));
    case ConnectionUnusable:
        return Error(number, QStringLiteral("The connection cannot be used to perform this "
                                            "operation. It is either closed or invalid in this context."));
    case NotSupported:
        return Error(number, QStringLiteral("Operation is not supported for this type of object."));
    default: return Error::fromNumber(number);
    }
}


DatabaseFailure::DatabaseFailure(const QSqlError& error) : Error(databaseError(error)), m_sqlError(error) {}

DatabaseFailure databaseFailure(const QSqlError& error, const QString& statement)
{
    if (statement.isEmpty())
        qCWarning(lcSql).noquote() << "The database failed:" << error.text().trimmed();
    else
        qCWarning(lcSql).noquote() << "The database failed:" << error.text().trimmed() << "\nStatement:" << statement;
    return DatabaseFailure(error);
}

} // namespace tessaro::sql

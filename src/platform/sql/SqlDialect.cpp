#include "platform/sql/SqlDialect.h"

#include "platform/sql/SqlText.h"

#include <QSqlDriver>

namespace tessaro::sql {

namespace {

// SQLite and PostgreSQL: LIMIT ... OFFSET, and both keep a subquery's order in the outer select.
class LimitDialect : public SqlDialect {
protected:
    QString rowWindow(int limit, qint64 offset) const override
    {
        return QStringLiteral(" LIMIT ") + QString::number(limit) + QStringLiteral(" OFFSET ") + QString::number(offset);
    }
};

// MariaDB and MySQL drop an ORDER BY inside a derived table that has no LIMIT of its own. A query
// that ends in its ORDER BY takes the row window itself, so its order applies to the page; one
// with its own LIMIT keeps its order inside the derived table.
class MariadbDialect final : public LimitDialect {
public:
    QString page(const QString& body, int limit, qint64 offset) const override
    {
        if (!endsWithOrdering(body))
            return LimitDialect::page(body, limit, offset);
        return body + QLatin1Char('\n') + rowWindow(limit, offset);
    }
};

// The SQL standard's form, for ODBC targets and drivers that know no LIMIT.
class StandardDialect final : public SqlDialect {
protected:
    QString rowWindow(int limit, qint64 offset) const override
    {
        return QStringLiteral(" OFFSET ") + QString::number(offset) + QStringLiteral(" ROWS FETCH NEXT ")
            + QString::number(limit) + QStringLiteral(" ROWS ONLY");
    }
};

} // namespace

std::shared_ptr<const SqlDialect> SqlDialect::forConnection(const QSqlDatabase& connection)
{
    const QSqlDriver* driver = connection.driver();
    const QSqlDriver::DbmsType type = driver ? driver->dbmsType() : QSqlDriver::UnknownDbms;
    if (type == QSqlDriver::MySqlServer)
        return std::make_shared<MariadbDialect>();
    if (type == QSqlDriver::SQLite || type == QSqlDriver::PostgreSQL)
        return std::make_shared<LimitDialect>();
    return std::make_shared<StandardDialect>();
}

QString SqlDialect::page(const QString& body, int limit, qint64 offset) const
{
    return QStringLiteral("SELECT * FROM ") + subquery(body) + rowWindow(limit, offset);
}

QString SqlDialect::count(const QString& body) const
{
    return QStringLiteral("SELECT COUNT(*) FROM ") + subquery(body);
}

// The body goes on lines of its own: a trailing "-- comment" in it must not swallow the
// closing parenthesis. The alias is required by PostgreSQL.
QString SqlDialect::subquery(const QString& body)
{
    return QStringLiteral("(\n") + body + QStringLiteral("\n) AS tessaro_rows");
}

} // namespace tessaro::sql

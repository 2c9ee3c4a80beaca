#include "platform/sql/SqlDialect.h"

#include "platform/sql/SqlText.h"

#include <QSqlDriver>
#include <QStringList>

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

// MariaDB and MySQL drop an ORDER BY inside a derived table that has no LIMIT of its own, and
// refuse a derived table whose fields repeat a name (a key shown as a column too). A query
// without a row limit of its own takes the row window itself, so its order applies to the page;
// one with its own LIMIT keeps its order inside the derived table. The count names the fields
// afresh in a common table expression, so that repeated names count as well.
class MariadbDialect final : public LimitDialect {
public:
    QString page(const QString& body, int limit, qint64 offset) const override
    {
        if (hasRowLimit(body))
            return LimitDialect::page(body, limit, offset);
        return body + QLatin1Char('\n') + rowWindow(limit, offset);
    }

    // No NULLS LAST here: Nulls are put last by a term of their own.
    QString sorted(const QString& body, int field, const QString& quotedName, bool descending) const override
    {
        const QString direction = descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
        return QStringLiteral("SELECT * FROM ") + subquery(body) + QStringLiteral("\nORDER BY tessaro_rows.") + quotedName
            + QStringLiteral(" IS NULL") + direction + QStringLiteral(", ") + QString::number(field + 1) + direction
            + QStringLiteral(", 1") + direction;
    }

    QString count(const QString& body, int fields) const override
    {
        if (fields <= 0)
            return LimitDialect::count(body, fields);
        QStringList names;
        for (int i = 0; i < fields; ++i)
            names << QStringLiteral("c") + QString::number(i);
        return QStringLiteral("WITH tessaro_rows (") + names.join(QLatin1Char(',')) + QStringLiteral(") AS (\n") + body
            + QStringLiteral("\n) SELECT COUNT(*) FROM tessaro_rows");
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

// At the top level, where the ordering's terms may name columns the query does not select.
QString SqlDialect::pageFromEnd(const QString& reversedBody, int limit, qint64 offset) const
{
    return reversedBody + QLatin1Char('\n') + rowWindow(limit, offset);
}

// By position, which names the field whatever the query calls it; the key's position breaks ties.
QString SqlDialect::sorted(const QString& body, int field, const QString&, bool descending) const
{
    const QString position = QString::number(field + 1);
    const QString order = descending ? QStringLiteral(" DESC NULLS FIRST, 1 DESC") : QStringLiteral(" ASC NULLS LAST, 1 ASC");
    return QStringLiteral("SELECT * FROM ") + subquery(body) + QStringLiteral("\nORDER BY ") + position + order;
}

QString SqlDialect::count(const QString& body, int) const
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

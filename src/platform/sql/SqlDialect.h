#pragma once

// How the result set's own statements over the host's query are written on one database. The
// dialect is chosen once, when the result set opens, from the connection's driver.
//
// Every form keeps the rows in the query's own order. New reads (a sort over the whole result, a
// page read backwards from the end) are added as forms here, built from the same pieces: the
// query as a subquery, an outer ORDER BY, and rowWindow().

#include <QSqlDatabase>
#include <QString>

#include <memory>

namespace tessaro::sql {

class SqlDialect {
public:
    virtual ~SqlDialect() = default;

    /// The dialect for `connection`'s driver: SQLite, PostgreSQL and MariaDB/MySQL have their
    /// own; any other driver gets the standard OFFSET ... FETCH form. Never null.
    static std::shared_ptr<const SqlDialect> forConnection(const QSqlDatabase& connection);

    /// At most `limit` rows of `body` (a statement without its ending semicolons) from row
    /// `offset` (0-based), in the order `body` gives them.
    virtual QString page(const QString& body, int limit, qint64 offset) const;

    /// The number of rows of `body`, as one row with one column. `fields` is the number of
    /// fields `body` gives (0 when not known); a dialect may need it to name them.
    virtual QString count(const QString& body, int fields) const;

    /// At most `limit` rows of `reversedBody` (a body whose final ordering reverseOrdering()
    /// turned round) from row `offset`: the body's last rows, last first.
    QString pageFromEnd(const QString& reversedBody, int limit, qint64 offset) const;

    /// Every row of `body` ordered by field `field` (0-based, the key being 0) of `fields`, named
    /// `quotedName` (quoted for this database), then by the key, so that rows with equal values
    /// keep one order and pages never overlap: ascending with Nulls last, or exactly the reverse.
    virtual QString sorted(const QString& body, int field, const QString& quotedName, bool descending) const;

protected:
    /// The clause that keeps rows `offset` .. `offset + limit - 1` of an ordered select.
    virtual QString rowWindow(int limit, qint64 offset) const = 0;
    /// `body` as a derived table named tessaro_rows.
    static QString subquery(const QString& body);
};

} // namespace tessaro::sql

#pragma once

#include <QString>

namespace tessaro::sql {

/// `statement` without the semicolons and blanks that end it, so that it can stand inside
/// parentheses as a subquery.
QString subqueryBody(const QString& statement);

/// `body` without its final top-level ORDER BY clause (a LIMIT or OFFSET after it is kept), or
/// `body` itself when it has none. The row count does not depend on the order, and a database
/// sorts an ordered subquery even to count it.
QString withoutFinalOrdering(const QString& body);

/// At most `limit` rows of `body` from row `offset` (0-based), in the order `body` gives them.
QString boundedQuery(const QString& body, int limit, qint64 offset);

/// The number of rows of `body`, as one row with one column.
QString countQuery(const QString& body);

} // namespace tessaro::sql

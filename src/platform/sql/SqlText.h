#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tessaro::sql {

/// `statement` without the semicolons and blanks that end it, so that it can stand inside
/// parentheses as a subquery.
QString subqueryBody(const QString& statement);

/// What a statement is made of, read outside quoted text, quoted names and comments.
struct SqlShape {
    QStringList words;     ///< every word at any depth, lower-case, in order
    int semicolons = 0;    ///< statement separators
    /// A `#`, a `--` without a blank after it, or a `/*!` comment: MariaDB and MySQL read these
    /// differently from other databases, so no reading of the text can be trusted.
    bool unreadable = false;
};
SqlShape sqlShape(const QString& sql);

/// `body` without its final top-level ORDER BY clause (a LIMIT or OFFSET after it is kept), or
/// `body` itself when it has none. The row count does not depend on the order, and a database
/// sorts an ordered subquery even to count it.
QString withoutFinalOrdering(const QString& body);

/// Whether `body` ends in a top-level ORDER BY clause with no row limit after it.
bool endsWithOrdering(const QString& body);

/// `body` ordered from its last row backwards: its final ORDER BY with every term reversed (ASC
/// and DESC swapped, NULLS FIRST and LAST swapped; an unstated null placement follows the
/// direction on SQLite, PostgreSQL and MariaDB, so it stays unstated). Only an order that is
/// total can be read backwards row for row: its last term must be the key, the first field
/// (`key` by name, qualified or not, or as position 1). Nothing otherwise, and for a body with a
/// row limit of its own, comments in the clause or a term ordered USING an operator.
std::optional<QString> reversedOrdering(const QString& body, const QString& key);

/// Whether `body` limits its own rows at the top level (LIMIT, OFFSET or FETCH), so that
/// another row window cannot simply follow it.
bool hasRowLimit(const QString& body);

} // namespace tessaro::sql

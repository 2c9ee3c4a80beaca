#pragma once

// The control's own proof that a statement only reads, for databases that cannot be asked to
// refuse every change themselves (MariaDB inside a host's transaction, ODBC and other drivers).
// It is deliberately narrow: what it cannot prove a single read is refused, even a harmless
// statement in a rarer form.

#include <QString>

#include <optional>

namespace tessaro::sql {

enum class StatementDoubt {
    SeveralStatements, ///< a semicolon other than the trailing ones
    NotARead,          ///< does not begin with SELECT, WITH or VALUES
    MayWrite,          ///< INTO, FOR UPDATE / LOCK, a procedure call, a data-modifying part, a sequence step
    Unreadable,        ///< text the check cannot read the way the server would (server-executed comments, `#`)
};

/// Why `statement` is not proven a single read, or nothing when it is. Quoted text, quoted names
/// and comments are skipped; semicolons and blanks ending the statement are allowed.
std::optional<StatementDoubt> statementDoubt(const QString& statement);

} // namespace tessaro::sql

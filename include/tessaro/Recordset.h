#pragma once

#include <tessaro/tessaro_export.h>

#include <QSqlError>
#include <QString>
#include <QVariant>
#include <memory>

class QSqlDatabase;

namespace tessaro {

class Recordset;

namespace sql {
class RecordsetRows;
}

/// One column of a result set. A light handle, valid while its Recordset lives; `Value()` reads
/// the record the cursor stands on at the time of the call.
class TESSARO_EXPORT Field {
public:
    /// The field's name as the query gives it.
    QString Name() const;
    /// A database Null is a null QVariant. Fails with 3021 when the cursor has no current record.
    QVariant Value() const;

private:
    friend class FieldCollection;
    Field(const Recordset& owner, int index) : m_owner(&owner), m_index(index) {}

    const Recordset* m_owner;
    int m_index;
};

/// The columns of a result set, in the query's order, counted from 0.
class TESSARO_EXPORT FieldCollection {
public:
    /// The number of fields.
    int Count() const;
    /// Fails with 3265 when `index` is not between 0 and Count() - 1.
    Field Item(int index) const;

private:
    friend class Recordset;
    explicit FieldCollection(const Recordset& owner) : m_owner(&owner) {}

    const Recordset* m_owner;
};

/// A static, read-only result set over an SQL text on a Qt SQL connection.
///
/// Rows are read on demand in bounded blocks (`LIMIT`/`OFFSET` over the query as a subquery) into
/// a small cache shared with every clone, so positioning on a page never reads the whole result;
/// `RecordCount` is one `COUNT(*)` over the query, taken when first asked and shared by clones.
/// A statement that cannot stand as a subquery (a PRAGMA, say) is read whole into memory instead.
///
/// Every operation on a closed set fails with tessaro::Error 3704, except reading and setting
/// `PageSize`. Database failures carry the driver's native error number and message; the
/// database's own error stays readable through LastDatabaseError(), and each one is logged as a
/// warning, with the statement that failed, in the logging category "tessaro.sql" (on by
/// default; a host silences it with the filter rule "tessaro.sql.warning=false").
///
/// The set never changes the database. Every statement it runs (the open, the count, each block,
/// a read of every row) runs read-only: on SQLite under `PRAGMA query_only`, set back afterwards;
/// on PostgreSQL inside `BEGIN READ ONLY` ... `ROLLBACK`, or, when the connection has a
/// transaction open, inside a read-only savepoint that is rolled back to and released, so that
/// the host's transaction stays open with its own changes, never aborted by the set. A `Source`
/// that would write (INSERT, UPDATE, DELETE, DDL, more than one statement, a data-modifying WITH,
/// a call of a function that writes) or that returns no columns (transaction control, settings)
/// is refused before anything is written: Open fails with the database's refusal. Other drivers
/// have no such guard.
///
/// On PostgreSQL a forward-only QSqlQuery of the host that is still half read on the same
/// connection loses its remaining rows when the set reads, as it would on any other statement; the
/// set reads as usual. A host that still needs those rows finishes its query first.
class TESSARO_EXPORT Recordset {
public:
    /// A closed set.
    Recordset();
    /// Destroys the set; its clones stay usable.
    ~Recordset();
    /// Not copyable: see Clone().
    Recordset(const Recordset&) = delete;
    /// Not copyable.
    Recordset& operator=(const Recordset&) = delete;

    /// Runs `Source` on `ActiveConnection` and stands on the first row; its first PageSize() + 1
    /// rows are read at once (the first page, and whether another follows), the rest as they are
    /// reached. The cursor and lock types
    /// and the options are accepted for compatibility: the set is always static and read-only.
    /// Fails with 3705 when the set is already open, 3709 when the connection is not open, or
    /// the database's error (the set stays closed; LastDatabaseError() keeps it).
    void Open(const QString& Source, const QSqlDatabase& ActiveConnection, int CursorType = 3,
              int LockType = 1, int Options = -1);
    /// Fails with 3704 when the set is already closed.
    void Close();
    /// State() values.
    enum : int { StateClosed = 0, StateOpen = 1 };
    /// StateClosed or StateOpen.
    int State() const;
    /// A second open cursor over the same rows, standing on the first row, with the default page
    /// size. It stays usable after this set is closed. `LockType` is accepted for compatibility.
    std::shared_ptr<Recordset> Clone(int LockType = -1) const;

    /// Before the first row: true only for an empty result (the cursor never moves backwards).
    bool Bof() const;
    /// After the last row; true for an empty result.
    bool Eof() const;
    /// Stands on the first row.
    void MoveFirst();
    /// Fails with 3021 at Eof.
    void MoveNext();

    /// The fields, in the query's order, counted from 0.
    FieldCollection Fields() const;
    /// The number of fields.
    int FieldCount() const;
    /// Fails with 3265 for an index out of range.
    QString FieldName(int index) const;
    /// The value in the current row; a database Null is a null QVariant. Fails with 3265 for an
    /// index out of range and 3021 when there is no current row.
    QVariant FieldValue(int index) const;

    /// Rows per page, 10 until set. Fails with 3001 for a value below 1.
    int PageSize() const;
    /// Sets the page size; readable and settable on a closed set too.
    void setPageSize(int rows);
    /// Pages at the current page size: 0 for an empty result.
    int PageCount() const;
    /// The page of the current row; -2 before the first row, -3 after the last.
    int AbsolutePage() const;
    /// Stands on the first row of `page`. Fails with 3001 unless 1 <= page <= PageCount().
    void setAbsolutePage(int page);
    /// The number of rows: one `COUNT(*)` over the query, taken when first asked and shared
    /// with the clones.
    int RecordCount() const;

    /// The database's own error of this set's last database failure: the one an Open failed
    /// with (for a connection that is not open, the connection's last error, or a connection
    /// error saying so), or one a later read met. Kept until the next Open starts, and readable
    /// whether the set is open or closed. An invalid QSqlError when there was none.
    QSqlError LastDatabaseError() const;

private:
    friend class sql::RecordsetRows;
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace tessaro

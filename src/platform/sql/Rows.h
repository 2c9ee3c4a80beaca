#pragma once

// Rows as the result set hands them on: one row type per back end (BlockRow over the cache,
// QueryRow over Qt's query, SqliteRow over SQLite's own interface), all seen as RowValues.

#include <QVariant>
#include <QVector>
#include <functional>
#include <string_view>

namespace tessaro::sql {

/// Consecutive rows of a result, read by one query.
struct RowBlock {
    qint64 offset = 0;  ///< position of the first row in the result, from 0
    int rows = 0;
    int limit = 0;      ///< the row limit it was read with: the basis of the next sequential block
    QVector<QVariant> cells; ///< row after row, one cell per field

    qint64 end() const { return offset + rows; }
    bool contains(qint64 position) const { return position >= offset && position < end(); }
};

/// A field's value as the database stored it, without a QVariant, when a reader has it at hand.
struct StoredValue {
    enum class Kind { Null, Integer, Real, Text, Other };
    Kind kind = Kind::Other; ///< Other: only RowValues::value() has it
    qint64 integer = 0;
    double real = 0;
    std::string_view text;   ///< UTF-8; valid until the reader moves to the next row
};

/// One row of a result as it is read: its values by field index, from 0; a database Null is a
/// null QVariant. Valid only during the call it is handed to.
class RowValues {
public:
    virtual ~RowValues() = default;
    virtual QVariant value(int field) const = 0;
    /// The same value without building a QVariant, where the reader can; Kind::Other otherwise.
    virtual StoredValue stored(int) const { return {}; }
};

using RowVisitor = std::function<void(const RowValues&)>;

/// A row of a cached block; moveTo() picks which (it must be in the block).
class BlockRow final : public RowValues {
public:
    BlockRow(const RowBlock& block, int fieldCount) : m_block(block), m_fieldCount(fieldCount) {}
    void moveTo(qint64 position) { m_first = (position - m_block.offset) * m_fieldCount; }
    QVariant value(int field) const override { return m_block.cells.at(m_first + field); }

private:
    const RowBlock& m_block;
    int m_fieldCount;
    qint64 m_first = 0;
};

} // namespace tessaro::sql

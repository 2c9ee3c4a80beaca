#pragma once

// Reading every row of a result set as the list would show it, without filling the list.

#include "platform/controls/WholeRows.h"

#include <memory>

namespace tessaro {

class Recordset;
class collColonne;

namespace data {

/// Hands the text of field `field` (from 1) of each row from row `from` (from 0) on, at most
/// `maxRows` of them (WholeRows::kToTheEnd: every row), formatted
/// by descriptor `field` of `columns` exactly as the fill writes the list's cells, to `visit`,
/// until the rows end or `visit` returns false. The rows are read in one
/// forward-only pass, nothing kept. Fails with the database's error, a value that cannot be
/// formatted, or what `visit` throws.
void scanField(const Recordset& set, collColonne& columns, int field, qint64 from, qint64 maxRows,
               const CellVisitor& visit);

/// The same for every shown field (1 .. last) of every row from the first.
void scanShownFields(const Recordset& set, collColonne& columns, const RowTextsVisitor& visit);

} // namespace data
} // namespace tessaro

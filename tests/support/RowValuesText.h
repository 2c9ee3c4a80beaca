#pragma once

// What the direct row readers' tests compare with QSqlQuery: each value described in full, and a
// stored value held against the value it stands for.

#include "platform/sql/Rows.h"

#include <QString>
#include <QVariant>

namespace tessaro::test {

/// A value's type, nullness and exact value in one text: QVariant's own equality takes 2 for 2.0,
/// and a date-time's zone would be lost.
QString describe(const QVariant& value);

/// A stored value that is not Other must mean what value() means (a gtest expectation).
void expectStoredAgrees(const sql::RowValues& row, int field);

} // namespace tessaro::test

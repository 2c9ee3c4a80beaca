// Reading SQLite rows through SQLite itself must give what QSqlQuery gives, or step aside.
#include "platform/sql/SqliteRows.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace tessaro;
using Kind = sql::StoredValue::Kind;

namespace {

const QString kEveryClass = QStringLiteral(
    "SELECT NULL, 42, -7, 2.5, -0.75, 'città', '', X'00FF41', 9007199254740993 "
    "UNION ALL SELECT 1, 'x', 3.0, NULL, 1e300, 5, 'y', NULL, 'z'");

// Type, nullness and value of the 9 fields in one text each, so that whole rows compare at once:
// QVariant's own equality takes 2 for 2.0 and a null text for an empty one.
template <class Value>
QStringList describeRow(Value value)
{
    QStringList row;
    for (int i = 0; i < 9; ++i) {
        const QVariant v = value(i);
        const bool bytes = v.metaType() == QMetaType::fromType<QByteArray>();
        row << QStringLiteral("%1%2 %3").arg(v.typeName(), v.isNull() ? " null" : "",
                                             bytes ? QString::fromLatin1(v.toByteArray().toHex()) : v.toString());
    }
    return row;
}

} // namespace

TEST(SqliteRows, ValuesAreThoseOfQSqlQueryUnderEveryPrecisionPolicy)
{
    test::TestDatabase database;
    for (QSql::NumericalPrecisionPolicy policy :
         {QSql::LowPrecisionDouble, QSql::HighPrecision, QSql::LowPrecisionInt32, QSql::LowPrecisionInt64}) {
        SCOPED_TRACE(policy);
        database.db().setNumericalPrecisionPolicy(policy);
        std::vector<QStringList> expected, rows;
        QSqlQuery query(kEveryClass, database.db());
        while (query.next())
            expected.push_back(describeRow([&](int i) { return query.value(i); }));
        EXPECT_EQ(sql::readSqliteRows(database.db(), kEveryClass, 10, [&](const sql::RowValues& row) {
                      rows.push_back(describeRow([&](int i) { return row.value(i); }));
                  }),
                  2);
        EXPECT_EQ(rows, expected);
    }
}

TEST(SqliteRows, StoredValuesSpareTheVariantOnlyWhereTheyMeanTheSame)
{
    test::TestDatabase database;
    const auto firstRowUnder = [&](QSql::NumericalPrecisionPolicy policy) {
        database.db().setNumericalPrecisionPolicy(policy);
        std::vector<Kind> kinds;
        sql::readSqliteRows(database.db(), kEveryClass, 1, [&](const sql::RowValues& row) {
            for (int i = 0; i < 9; ++i)
                kinds.push_back(row.stored(i).kind);
            EXPECT_EQ(row.stored(8).integer, 9007199254740993) << "beyond a double's exact integers";
            EXPECT_EQ(std::string(row.stored(5).text), "città") << "valid while the row is visited";
        });
        return kinds;
    };
    EXPECT_EQ(firstRowUnder(QSql::LowPrecisionDouble),
              (std::vector<Kind>{Kind::Null, Kind::Integer, Kind::Integer, Kind::Real, Kind::Real, Kind::Text,
                                 Kind::Text, Kind::Other, Kind::Integer}));
    // A real read as a whole number is no longer the stored value.
    EXPECT_EQ(firstRowUnder(QSql::LowPrecisionInt32).at(3), Kind::Other);
}

TEST(SqliteRows, StepsAsideWhereQSqlQueryMustSpeak)
{
    test::TestDatabase database;
    const auto read = [](const QSqlDatabase& db, const QString& sql, qint64 maxRows) {
        return sql::readSqliteRows(db, sql, maxRows, [](const sql::RowValues&) {});
    };
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELEC 1"), 5)) << "its own error message";
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELECT 1; SELECT 2"), 5)) << "two statements";
    EXPECT_FALSE(read(QSqlDatabase(), QStringLiteral("SELECT 1"), 5)) << "no connection";
    EXPECT_EQ(read(database.db(), kEveryClass, 1), 1) << "stops at the limit";
    database.db().close();
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELECT 1"), 5)) << "a closed connection";
}

// Reading SQLite rows through SQLite itself must give what QSqlQuery gives, or step aside.
#include "platform/sql/SqliteRows.h"
#include "support/TestDatabase.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

using namespace tessaro;
using Kind = sql::StoredValue::Kind;

namespace {

const QString kEveryClass = QStringLiteral(
    "SELECT NULL, 42, -7, 2.5, -0.75, 'città', '', X'00FF41', 9007199254740993 "
    "UNION ALL SELECT 1, 'x', 3.0, NULL, 1e300, 5, 'y', NULL, 'z'");

std::vector<QVariantList> queryRows(const QSqlDatabase& db, const QString& sql)
{
    std::vector<QVariantList> rows;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    EXPECT_TRUE(query.exec(sql));
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(SqliteRows, ValuesAreThoseOfQSqlQueryUnderEveryPrecisionPolicy)
{
    test::TestDatabase database;
    for (QSql::NumericalPrecisionPolicy policy :
         {QSql::LowPrecisionDouble, QSql::HighPrecision, QSql::LowPrecisionInt32, QSql::LowPrecisionInt64}) {
        SCOPED_TRACE(policy);
        database.db().setNumericalPrecisionPolicy(policy);
        const std::vector<QVariantList> expected = queryRows(database.db(), kEveryClass);
        std::vector<QVariantList> read;
        const std::optional<qint64> handed =
            sql::readSqliteRows(database.db(), kEveryClass, 10, [&](const sql::RowValues& row) {
                QVariantList values;
                for (int i = 0; i < 9; ++i)
                    values << row.value(i);
                read.push_back(values);
            });
        ASSERT_TRUE(handed.has_value());
        EXPECT_EQ(*handed, 2);
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t r = 0; r < read.size(); ++r) {
            for (int i = 0; i < 9; ++i) {
                SCOPED_TRACE(QStringLiteral("row %1 field %2").arg(r).arg(i).toStdString());
                EXPECT_EQ(read[r][i].metaType(), expected[r][i].metaType());
                EXPECT_EQ(read[r][i].isNull(), expected[r][i].isNull());
                EXPECT_EQ(read[r][i], expected[r][i]);
            }
        }
    }
}

TEST(SqliteRows, StoredValuesSpareTheVariantOnlyWhereTheyMeanTheSame)
{
    test::TestDatabase database;
    const auto kindsUnder = [&](QSql::NumericalPrecisionPolicy policy) {
        database.db().setNumericalPrecisionPolicy(policy);
        std::vector<sql::StoredValue> first;
        std::string text;
        sql::readSqliteRows(database.db(), kEveryClass, 1, [&](const sql::RowValues& row) {
            for (int i = 0; i < 9; ++i)
                first.push_back(row.stored(i));
            text = std::string(first[5].text);
        });
        EXPECT_EQ(text, "città");
        return first;
    };
    const std::vector<sql::StoredValue> doubles = kindsUnder(QSql::LowPrecisionDouble);
    ASSERT_EQ(doubles.size(), 9u);
    const Kind kinds[] = {Kind::Null, Kind::Integer, Kind::Integer, Kind::Real, Kind::Real,
                          Kind::Text, Kind::Text,    Kind::Other,   Kind::Integer};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(doubles[std::size_t(i)].kind, kinds[i]) << "field " << i;
    EXPECT_EQ(doubles[1].integer, 42);
    EXPECT_EQ(doubles[8].integer, 9007199254740993) << "beyond a double's exact integers";
    EXPECT_EQ(doubles[4].real, -0.75);
    // A real read as a whole number is no longer the stored value.
    EXPECT_EQ(kindsUnder(QSql::LowPrecisionInt32)[3].kind, Kind::Other);
}

TEST(SqliteRows, StepsAsideWhereQSqlQueryMustSpeak)
{
    test::TestDatabase database;
    const auto read = [&](const QSqlDatabase& db, const QString& sql, qint64 maxRows) {
        return sql::readSqliteRows(db, sql, maxRows, [](const sql::RowValues&) {});
    };
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELEC 1"), 5)) << "its own error message";
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELECT 1; SELECT 2"), 5)) << "two statements";
    EXPECT_FALSE(read(QSqlDatabase(), QStringLiteral("SELECT 1"), 5)) << "no connection";
    EXPECT_EQ(read(database.db(), kEveryClass, 1), 1) << "stops at the limit";
    database.db().close();
    EXPECT_FALSE(read(database.db(), QStringLiteral("SELECT 1"), 5)) << "a closed connection";
}

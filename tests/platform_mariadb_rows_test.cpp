// Reading MariaDB rows through the client library must give what QSqlQuery gives.
#include "platform/sql/DatabaseError.h"
#include "platform/sql/MariadbRows.h"
#include "platform/sql/ReadOnlyScope.h"
#include "support/MariadbServer.h"
#include "support/RowValuesText.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

using namespace tessaro;
using Kind = sql::StoredValue::Kind;
using test::describe;
using test::expectStoredAgrees;

namespace {

// One row of awkward values of every common type, one of plain ones, one of Nulls.
const QString kTable = QStringLiteral(
    "CREATE TABLE every_type (ti TINYINT, tu TINYINT UNSIGNED, si SMALLINT, mi MEDIUMINT, i INT, iu INT UNSIGNED, "
    "bi BIGINT, bu BIGINT UNSIGNED, de DECIMAL(30,5), fl FLOAT, do DOUBLE, bt BIT(10), y YEAR, d DATE, t TIME(3), "
    "dt DATETIME(3), ts TIMESTAMP NULL, c CHAR(4), vc VARCHAR(20), tx TEXT, vb VARBINARY(8), bl BLOB, "
    "e ENUM('a','b'), j JSON)");
const QString kRows = QStringLiteral(
    "INSERT INTO every_type VALUES "
    "(-128, 255, -32768, -8388608, -2147483648, 4294967295, -9223372036854775808, 18446744073709551615, "
    " '-1234567890123456789012345.12345', 1.1, 1e300, b'1010101010', 2024, '2024-02-29', '-838:59:59.000', "
    " '2024-02-29 12:34:56.789', '2038-01-19 03:14:07', 'ab', 'città', 'a''b\\nc', x'00ff41', x'5c4e', 'b', '{\"k\": [1, 2]}'),"
    "(0, 0, 1, 2, 3, 4, 5, 6, 0, 0, -2.5e-300, b'0', 1901, '0000-00-00', '00:00:00', '1000-01-01 00:00:00', "
    " '1970-01-01 00:00:01', '', '', '', x'', x'', 'a', '[]'),"
    "(NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
    " NULL, NULL, NULL, NULL, NULL, NULL)");
constexpr int kFields = 24;

class MariadbRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        TESSARO_REQUIRE_MARIADB();
        auto& server = test::MariadbServer::instance();
        ASSERT_TRUE(server.execute(QStringLiteral("DROP TABLE IF EXISTS every_type")) && server.execute(kTable)
                    && server.execute(kRows));
        db = server.connection(m_name);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    }
    void TearDown() override { db.close(), db = QSqlDatabase(), QSqlDatabase::removeDatabase(m_name); }

    // The rows `statement` gives through the reader, or through Qt, each as its fields described
    // and joined.
    std::vector<std::string> read(const QString& statement, qint64 maxRows, int fields, bool throughQt = false)
    {
        std::vector<std::string> rows;
        const auto visit = [&](const auto& value) {
            QStringList described;
            for (int i = 0; i < fields; ++i)
                described << describe(value(i));
            rows.push_back(described.join(QStringLiteral(" | ")).toStdString());
        };
        if (throughQt) {
            for (QSqlQuery query(statement, db); query.next();)
                visit([&](int i) { return query.value(i); });
            return rows;
        }
        sql::ReadOnlyQuery run(db);
        EXPECT_TRUE(run.admit(statement)) << run.error().text().toStdString();
        const auto handed = sql::readWithMariadb(db, run, maxRows, [&](const sql::RowValues& row) {
            visit([&](int i) { return expectStoredAgrees(row, i), row.value(i); });
        });
        EXPECT_EQ(handed, qint64(rows.size()));
        return rows;
    }

    QSqlDatabase db;

private:
    QString m_name = QUuid::createUuid().toString();
};

} // namespace

TEST_F(MariadbRows, ValuesAreThoseOfQSqlQueryUnderEveryPrecisionPolicy)
{
    const QString statement = QStringLiteral("SELECT * FROM every_type");
    for (QSql::NumericalPrecisionPolicy policy :
         {QSql::LowPrecisionDouble, QSql::HighPrecision, QSql::LowPrecisionInt32, QSql::LowPrecisionInt64}) {
        SCOPED_TRACE(policy);
        db.setNumericalPrecisionPolicy(policy);
        const std::vector<std::string> expected = read(statement, 0, kFields, true);
        ASSERT_EQ(expected.size(), 3u);
        EXPECT_EQ(read(statement, 10, kFields), expected);
    }
}

TEST_F(MariadbRows, StoredValuesSpareTheVariantForNumbersAndTexts)
{
    const auto kindsUnder = [&](QSql::NumericalPrecisionPolicy policy) {
        db.setNumericalPrecisionPolicy(policy);
        std::vector<Kind> kinds;
        sql::ReadOnlyQuery run(db);
        run.admit(QStringLiteral("SELECT bi, vc, de, do, d, bl FROM every_type ORDER BY bi DESC LIMIT 1"));
        sql::readWithMariadb(db, run, 1, [&](const sql::RowValues& row) {
            for (int i = 0; i < 6; ++i)
                kinds.push_back(row.stored(i).kind);
        });
        return kinds;
    };
    EXPECT_EQ(kindsUnder(QSql::LowPrecisionDouble),
              (std::vector<Kind>{Kind::Integer, Kind::Text, Kind::Real, Kind::Real, Kind::Other, Kind::Other}));
    EXPECT_EQ(kindsUnder(QSql::HighPrecision).at(2), Kind::Text) << "a decimal keeps the server's digits";
}

// Rows past maxRows are read and dropped; a throw from the visitor, or a failing statement, leaves
// the connection ready for the next statement.
TEST_F(MariadbRows, HandsAtMostMaxRowsLeavingTheConnectionReady)
{
    const QString numbers = QStringLiteral("SELECT seq FROM seq_1_to_3000");
    for (const qint64 maxRows : {qint64(0), qint64(1), qint64(3000), qint64(5000)}) {
        SCOPED_TRACE(maxRows);
        EXPECT_EQ(read(numbers, maxRows, 1).size(), std::size_t(std::min<qint64>(maxRows, 3000)));
    }
    sql::ReadOnlyQuery run(db);
    ASSERT_TRUE(run.admit(numbers));
    EXPECT_THROW(sql::readWithMariadb(db, run, 3000, [](const sql::RowValues&) { throw std::runtime_error("host"); }),
                 std::runtime_error);
    ASSERT_TRUE(run.admit(QStringLiteral("SELECT no_such_field FROM every_type")));
    try {
        sql::readWithMariadb(db, run, 1, [](const sql::RowValues&) {});
        ADD_FAILURE() << "the statement ran";
    } catch (const sql::DatabaseFailure& failure) {
        EXPECT_EQ(failure.sqlError().driverText(), QStringLiteral("QMYSQL: Unable to execute query"));
        EXPECT_EQ(failure.sqlError().nativeErrorCode(), QStringLiteral("1054"));
    }
    EXPECT_EQ(read(QStringLiteral("SELECT 7"), 1, 1), read(QStringLiteral("SELECT 7"), 1, 1, true));
}

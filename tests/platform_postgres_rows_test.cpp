// Reading PostgreSQL rows through libpq must give what QSqlQuery gives, or step aside before
// anything runs.
#include "platform/sql/DatabaseError.h"
#include "platform/sql/PostgresConnection.h"
#include "platform/sql/PostgresRows.h"
#include "platform/sql/ReadOnlyScope.h"
#include "support/PostgresCluster.h"
#include "support/RowValuesText.h"
#include "support/TestDatabase.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>
#include <libpq-fe.h>

using namespace tessaro;
using Kind = sql::StoredValue::Kind;
using test::describe;
using test::expectStoredAgrees;

namespace {

// One row of every common type with awkward values, one of plain ones, one of Nulls.
const QString kEveryType = QStringLiteral(
    "SELECT * FROM (VALUES "
    "(int2 '-32768', int4 '2147483647', int8 '9223372036854775807', numeric '12345678901234567890.5', "
    " numeric(12,2) '-1234.56', float4 '1.1', float8 '1e300', true, text 'città', varchar(8) 'x', char(4) 'ab', "
    " date '2024-02-29', time '23:59:59.999', timestamp '2024-02-29 12:34:56.789', "
    " timestamptz '2024-02-29 12:34:56+02', bytea '\\x00ff41', oid '4294967295', numeric '3e9', "
    " regproc 'int4in', xid '42', cid '7', timetz '12:00:00+02', timestamp 'infinity'),"
    "(1, -1, -9223372036854775808, 'NaN', 2.5, 'NaN', 'Infinity', false, '', '', '', '0001-01-01', '00:00', "
    " '1970-01-01 00:00', '1970-01-01 00:00Z', '', 0, '-2.5', '-', '0', '0', '00:00Z', '-infinity'),"
    "(2, 0, 0, '1e400', -2.5, '-Infinity', '2.2250738585072014e-308', NULL, 'a''b', 'z', 'z', NULL, NULL, NULL, NULL, "
    " NULL, NULL, '-1e-400', NULL, NULL, NULL, NULL, '1999-12-31 23:59:59.5-03:30'),"
    "(NULL, NULL, NULL, NULL, NULL, NULL, '4.9e-324', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
    " 'Infinity', NULL, NULL, NULL, NULL, NULL)) "
    "AS t(i2, i4, i8, n, n2, f4, f8, b, t, vc, c, d, tm, ts, tstz, by, o, n3, rp, x, ci, ttz, ts2)");
constexpr int kFields = 23;
// Row by row, and streamed as a query that stands as a subquery.
constexpr sql::PostgresStatement kForms[] = {sql::PostgresStatement::Any, sql::PostgresStatement::Subquery};

// A connection to the program's cluster, removed at the end.
class PostgresRows : public ::testing::Test {
protected:
    void SetUp() override
    {
        TESSARO_REQUIRE_POSTGRES();
        db = test::PostgresCluster::instance().connection(m_name);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    }
    void TearDown() override { db.close(), db = QSqlDatabase(), QSqlDatabase::removeDatabase(m_name); }

    // The rows `statement` gives through the reader, each as its fields described and joined;
    // nothing when it steps aside.
    std::optional<std::vector<std::string>> read(const QString& statement, qint64 maxRows, int fields = kFields,
                                                 sql::PostgresStatement form = sql::PostgresStatement::Any)
    {
        sql::ReadOnlyQuery run(db);
        EXPECT_TRUE(run.admit(statement)) << run.error().text().toStdString();
        std::vector<std::string> rows;
        const std::optional<qint64> handed = sql::readWithPostgres(db, run, maxRows, [&](const sql::RowValues& row) {
            QStringList described;
            for (int i = 0; i < fields; ++i)
                described << describe(row.value(i)), expectStoredAgrees(row, i);
            rows.push_back(described.join(QStringLiteral(" | ")).toStdString());
        }, form);
        EXPECT_EQ(handed.value_or(qint64(rows.size())), qint64(rows.size()));
        return handed ? std::optional(rows) : std::nullopt;
    }

    // The same rows through QSqlQuery, each form of the reader compared with them.
    void expectReadAsThroughQt(const QString& statement, int fields)
    {
        std::vector<std::string> expected;
        QSqlQuery query(statement, db);
        while (query.next()) {
            QStringList described;
            for (int i = 0; i < fields; ++i)
                described << describe(query.value(i));
            expected.push_back(described.join(QStringLiteral(" | ")).toStdString());
        }
        query.finish();
        ASSERT_GE(expected.size(), 2u) << query.lastError().text().toStdString();
        for (const sql::PostgresStatement form : kForms) {
            SCOPED_TRACE(int(form));
            EXPECT_EQ(read(statement, 10, fields, form), expected);
        }
    }

    PGTransactionStatusType state() const { return PQtransactionStatus(sql::postgresHandle(db)); }

    QSqlDatabase db;

private:
    QString m_name = QUuid::createUuid().toString();
};

} // namespace

TEST_F(PostgresRows, ValuesAreThoseOfQSqlQueryUnderEveryPrecisionPolicy)
{
    for (QSql::NumericalPrecisionPolicy policy :
         {QSql::LowPrecisionDouble, QSql::HighPrecision, QSql::LowPrecisionInt32, QSql::LowPrecisionInt64}) {
        SCOPED_TRACE(policy);
        db.setNumericalPrecisionPolicy(policy);
        expectReadAsThroughQt(kEveryType, kFields);
    }
}

// Texts with what COPY's lines escape (tabs, line ends, backslashes, a text spelled like its
// Null) and a bytea of such bytes read as through Qt, whichever way the statement goes; so do
// whole numbers, truth values and texts alone, which are streamed in binary.
TEST_F(PostgresRows, EscapedAndStreamedFieldsReadAsThroughQt)
{
    const QString texts = QStringLiteral(
        "SELECT * FROM (VALUES (E'a\\tb', E'x\\ny\\r', E'\\\\N', E'back\\\\slash\\\\', "
        "E'\\b\\f\\x0b\\x01end', '', NULL::text, bytea '\\x5c4e09000a41', 'città'), "
        "('\\N', E'\\\\', ' ', 'plain', E'\\t', E'\\n', 'x', bytea '\\x', '')) AS t(a, b, c, d, e, f, g, h, i) "
        "-- a comment at the end");
    const QString binary = QStringLiteral(
        "SELECT * FROM (VALUES (int2 '-32768', int4 '-2147483648', int8 '-9223372036854775808', true, "
        "char(6) 'ab', varchar(9) E'tab\\there', text 'città', E'\\\\N'::text, ''::text), "
        "(32767, 2147483647, 9223372036854775807, false, '', 'x', E'line\\n', 'é', ' '), "
        "(NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL), "
        "(0, -1, 1, true, 'abcdef', '', '', '', 'z')) AS t(a, b, c, d, e, f, g, h, i)");
    for (const QString& statement : {texts, binary}) {
        SCOPED_TRACE(statement.left(40).toStdString());
        expectReadAsThroughQt(statement, 9);
    }
}

TEST_F(PostgresRows, StoredValuesSpareTheVariantForNumbersAndTexts)
{
    for (const sql::PostgresStatement form : kForms) {
        const auto kindsUnder = [&](QSql::NumericalPrecisionPolicy policy) {
            db.setNumericalPrecisionPolicy(policy);
            std::vector<Kind> kinds;
            sql::ReadOnlyQuery run(db);
            run.admit(QStringLiteral("SELECT 7::int8, 'città', 2.5::numeric, 1.5::float8, true, NULL::int4"));
            sql::readWithPostgres(db, run, 1, [&](const sql::RowValues& row) {
                for (int i = 0; i < 6; ++i)
                    kinds.push_back(row.stored(i).kind);
            }, form);
            return kinds;
        };
        EXPECT_EQ(kindsUnder(QSql::LowPrecisionDouble),
                  (std::vector<Kind>{Kind::Integer, Kind::Text, Kind::Real, Kind::Real, Kind::Other, Kind::Null}));
        // Numeric is the server's digits under high precision, a cut whole number under Int32.
        EXPECT_EQ((std::pair{kindsUnder(QSql::HighPrecision).at(2), kindsUnder(QSql::LowPrecisionInt32).at(2)}),
                  (std::pair{Kind::Text, Kind::Integer})) << "form " << int(form);
    }
}

// Rows past maxRows are read and dropped, as through Qt: a failure among them still counts.
TEST_F(PostgresRows, HandsAtMostMaxRowsInOrder)
{
    const QString numbers = QStringLiteral("SELECT i FROM generate_series(1, 3000) AS s(i) ORDER BY i");
    for (const sql::PostgresStatement form : kForms) {
        SCOPED_TRACE(int(form));
        for (const qint64 maxRows : {qint64(0), qint64(1), qint64(300), qint64(3000), qint64(5000)}) {
            SCOPED_TRACE(maxRows);
            std::vector<std::string> expected;
            for (qint64 r = 1; r <= std::min<qint64>(maxRows, 3000); ++r)
                expected.push_back("int " + std::to_string(r));
            EXPECT_EQ(read(numbers, maxRows, 1, form), expected);
        }
        EXPECT_THROW(read(QStringLiteral("SELECT 1 / (i - 2000) FROM generate_series(1, 3000) AS s(i)"), 10, 1, form),
                     sql::DatabaseFailure);
        EXPECT_EQ(state(), PQTRANS_IDLE);
    }
}

// A division by zero at row 1500 of 3000, after the rows before it, or a visitor that gives up,
// throws; the host's transaction, if any, stays open and usable, else the connection is idle.
TEST_F(PostgresRows, AFailureLeavesTheConnectionAsItWas)
{
    const QString failing = QStringLiteral("SELECT i, 1 / (i - 1500) FROM generate_series(1, 3000) AS s(i)");
    QSqlQuery qt(db);
    qt.setForwardOnly(true);
    ASSERT_TRUE(qt.exec(failing));
    while (qt.next())
        ;
    const QSqlError qtError = qt.lastError();
    qt.finish();
    qt.setForwardOnly(false); // a forward-only query leaves its result's end unread
    ASSERT_TRUE(qt.exec(QStringLiteral("CREATE TEMP TABLE host_rows (n int)")));

    for (int mix = 0; mix < 8; ++mix) {
        const bool inHostTransaction = mix & 1, visitorThrows = mix & 2;
        const sql::PostgresStatement form = kForms[mix >> 2];
        SCOPED_TRACE(testing::Message() << "host transaction " << inHostTransaction << ", visitor throws "
                                        << visitorThrows << ", form " << int(form));
        if (inHostTransaction) {
            ASSERT_TRUE(db.transaction());
            ASSERT_TRUE(qt.exec(QStringLiteral("INSERT INTO host_rows VALUES (1)")));
        }
        qint64 visited = 0;
        try {
            sql::ReadOnlyQuery run(db);
            ASSERT_TRUE(run.admit(failing));
            sql::readWithPostgres(db, run, 5000, [&](const sql::RowValues&) {
                if (++visited == 10 && visitorThrows)
                    throw std::runtime_error("given up");
            }, form);
            ADD_FAILURE() << "no failure";
        } catch (const sql::DatabaseFailure& failure) {
            const QSqlError& error = failure.sqlError();
            EXPECT_TRUE(!visitorThrows && visited == 1499) << visited;
            EXPECT_EQ((QStringList{error.databaseText(), error.nativeErrorCode(), error.driverText()}),
                      (QStringList{qtError.databaseText(), qtError.nativeErrorCode(), qtError.driverText()}));
        } catch (const std::runtime_error&) {
            EXPECT_TRUE(visitorThrows);
        }
        EXPECT_EQ(state(), inHostTransaction ? PQTRANS_INTRANS : PQTRANS_IDLE);
        ASSERT_TRUE(qt.exec(QStringLiteral("SELECT count(*) FROM host_rows")) && qt.next());
        EXPECT_EQ(qt.value(0).toInt(), inHostTransaction ? 1 : 0) << "the host's change is there";
        qt.finish();
        if (inHostTransaction)
            ASSERT_TRUE(db.rollback());
    }
}

// Commands that return rows read as through Qt, refusals included.
TEST_F(PostgresRows, CommandsThatReturnRowsReadAsThroughQt)
{
    ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS kept (n int)")));
    const struct {
        const char* statement;
        std::optional<std::size_t> rows; // none: refused when run
    } cases[] = {{"SHOW server_version", 1}, {"EXPLAIN SELECT 1", 1},
                 {"WITH w AS (DELETE FROM kept RETURNING 1) SELECT * FROM w", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        try {
            const auto rows = read(QString::fromUtf8(c.statement), 10, 1);
            ASSERT_TRUE(rows);
            EXPECT_EQ(rows->size(), c.rows);
        } catch (const sql::DatabaseFailure& failure) {
            EXPECT_FALSE(c.rows);
            EXPECT_TRUE(failure.sqlError().databaseText().contains("read-only transaction"));
        }
    }
}

// Another driver is left to the readers after this one.
TEST(PostgresRowsElsewhere, StepAsideForAnotherDriver)
{
    test::TestDatabase sqlite;
    sql::ReadOnlyQuery run(sqlite.db());
    ASSERT_TRUE(run.admit(QStringLiteral("SELECT 1")));
    EXPECT_FALSE(sql::readWithPostgres(sqlite.db(), run, 10, [](const sql::RowValues&) {}));
}

// The paged and the unpaged view on PostgreSQL, over a generated accounts table: Tessaro's cases
// are the SQLite comparisons' own; the paged baselines are the hand-written statements.
#include "BenchData.h"
#include "Cases.h"
#include "HandPaging.h"
#include "PostgresData.h"

namespace bench {
namespace {

constexpr qint64 kAccounts = 1000000;
constexpr qint64 kManyAccounts = 10000000;
// Minutes to generate: only when asked for (FILTER=50M).
constexpr qint64 kMostAccounts = 50000000;

const HandPaging kByHand{
    QStringLiteral("SELECT COUNT(*) FROM pgbench_accounts"),
    QStringLiteral("SELECT aid, aid, bid, abalance, filler FROM pgbench_accounts ORDER BY aid LIMIT %1 OFFSET %2"), 5};

const bool registered = registerCases(
    {
        {QStringLiteral("pg-raw-count-and-page"), [](auto& d, auto& t) { timeCountAndPage(kByHand, d, t); }},
        {QStringLiteral("pg-raw-last-page"), [](auto& d, auto& t) { timeLastPage(kByHand, d, t); }},
        {QStringLiteral("pg-raw-first-page"), [](auto& d, auto& t) { timeFirstPage(kByHand, d, t); }},
        {QStringLiteral("pg-raw-first-page-again"), [](auto& d, auto& t) { timeFirstPageAgain(kByHand, d, t); }},
    },
    {
        {QStringLiteral("PostgreSQL: Init_class + PopulateList (paged)"), QStringLiteral("populate-paged"),
         QStringLiteral("pg-raw-count-and-page"), {kAccounts}, Store::Postgres},
        {QStringLiteral("PostgreSQL: last page"), QStringLiteral("last-page"), QStringLiteral("pg-raw-last-page"),
         {kAccounts}, Store::Postgres},
        {QStringLiteral("PostgreSQL: load all rows (unpaged view)"), QStringLiteral("load-all"),
         QStringLiteral("model-fetch-all"), {kAccounts}, Store::Postgres},
        {QStringLiteral("PostgreSQL: paged first page / LIMIT alone"), QStringLiteral("populate-paged"),
         QStringLiteral("pg-raw-first-page"), {kAccounts, kManyAccounts}, Store::Postgres},
        {QStringLiteral("PostgreSQL: paged first page again / LIMIT again"), QStringLiteral("populate-paged-again"),
         QStringLiteral("pg-raw-first-page-again"), {kAccounts, kManyAccounts}, Store::Postgres},
        {QStringLiteral("PostgreSQL: ordered last page / paged first page"), QStringLiteral("ordered-last-page"),
         QStringLiteral("ordered-first-page"), {kManyAccounts}, Store::Postgres},
        {QStringLiteral("PostgreSQL 50M: paged first page / LIMIT alone"), QStringLiteral("populate-paged"),
         QStringLiteral("pg-raw-first-page"), {kMostAccounts}, Store::Postgres, true},
    });

} // namespace
} // namespace bench

// The paged and the unpaged view on MariaDB, over a generated accounts table with decimal and
// date columns: Tessaro's cases are the SQLite comparisons' own; the paged baselines are the
// hand-written statements.
#include "BenchData.h"
#include "Cases.h"
#include "HandPaging.h"

namespace bench {
namespace {

constexpr qint64 kAccounts = 1000000;

const HandPaging kByHand{
    QStringLiteral("SELECT COUNT(*) FROM accounts"),
    QStringLiteral("SELECT aid, aid, bid, amount, opened, filler FROM accounts ORDER BY aid LIMIT %1 OFFSET %2"), 6};

const bool registered = registerCases(
    {
        {QStringLiteral("my-raw-count-and-page"), [](auto& d, auto& t) { timeCountAndPage(kByHand, d, t); }},
        {QStringLiteral("my-raw-last-page"), [](auto& d, auto& t) { timeLastPage(kByHand, d, t); }},
        {QStringLiteral("my-raw-first-page"), [](auto& d, auto& t) { timeFirstPage(kByHand, d, t); }},
        {QStringLiteral("my-raw-first-page-again"), [](auto& d, auto& t) { timeFirstPageAgain(kByHand, d, t); }},
    },
    {
        {QStringLiteral("MariaDB: Init_class + PopulateList (paged)"), QStringLiteral("populate-paged"),
         QStringLiteral("my-raw-count-and-page"), {kAccounts}, Store::Mariadb},
        {QStringLiteral("MariaDB: paged first page / LIMIT alone"), QStringLiteral("populate-paged"),
         QStringLiteral("my-raw-first-page"), {kAccounts}, Store::Mariadb},
        {QStringLiteral("MariaDB: paged first page again / LIMIT again"), QStringLiteral("populate-paged-again"),
         QStringLiteral("my-raw-first-page-again"), {kAccounts}, Store::Mariadb},
        {QStringLiteral("MariaDB: last page"), QStringLiteral("last-page"), QStringLiteral("my-raw-last-page"),
         {kAccounts}, Store::Mariadb},
        {QStringLiteral("MariaDB: load all rows (unpaged view)"), QStringLiteral("load-all"),
         QStringLiteral("model-fetch-all"), {kAccounts}, Store::Mariadb},
    });

} // namespace
} // namespace bench

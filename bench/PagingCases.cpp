#include "Cases.h"

#include "BenchData.h"
#include "HandPaging.h"

#include <tessaro/Tessaro.h>


namespace bench {
namespace {

// The same statements as the control's, over the shown query.
HandPaging byHand()
{
    return {QStringLiteral("SELECT COUNT(*) FROM (%1)").arg(ordersQuery()),
            QStringLiteral("SELECT * FROM (%1) LIMIT %2 OFFSET %3").arg(ordersQuery(), QStringLiteral("%1"), QStringLiteral("%2")),
            6};
}

void populatePaged(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = makeControl(db, true);
    timed([&] {
        control->Init_class(QStringLiteral("TessaroBench"), true);
        control->PopulateList();
    });
}

void lastPage(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = makeControl(db, true);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    timed([&] { control->MoveToLastPage(); });
}

const bool registered = registerCases(
    {
        {QStringLiteral("populate-paged"), populatePaged},
        {QStringLiteral("raw-count-and-page"), [](auto& d, auto& t) { timeCountAndPage(byHand(), d, t); }},
        {QStringLiteral("last-page"), lastPage},
        {QStringLiteral("raw-last-page"), [](auto& d, auto& t) { timeLastPage(byHand(), d, t); }},
    },
    {
        {QStringLiteral("Init_class + PopulateList (paged)"), QStringLiteral("populate-paged"),
         QStringLiteral("raw-count-and-page"), {1000000, 10000000}},
        {QStringLiteral("last page"), QStringLiteral("last-page"), QStringLiteral("raw-last-page"), {1000000, 10000000}},
    });

} // namespace

} // namespace bench

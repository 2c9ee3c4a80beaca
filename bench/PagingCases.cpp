#include "Cases.h"

#include "BenchData.h"
#include "HandPaging.h"

#include <tessaro/Recordset.h>
#include <tessaro/Tessaro.h>

#include <QApplication>

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

// A populate after the first of the process, as a refresh or a new query is: the fonts of the
// control's children are set up, the connection has read its schema.
void populatePagedAgain(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = makeControl(db, true);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    // The first populate's count is in, as it is long before a user refreshes.
    control->rst->RecordCount();
    QApplication::processEvents();
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

void orderedFirstPage(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    auto control = makeControl(db, true, orderedQuery(db));
    timed([&] {
        control->Init_class(QStringLiteral("TessaroBench"), true);
        control->PopulateList();
    });
}

// Only the move is timed, once the count is in: a host asking for it waits until it is, and the
// answer is delivered before the clock starts, so the figure is the reading of the last rows.
void orderedLastPage(const QString& database, const Timed& timed)
{
    QSqlDatabase db = openDatabase(database);
    auto control = makeControl(db, true, orderedQuery(db));
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->PopulateList();
    control->rst->RecordCount();
    QApplication::processEvents();
    timed([&] { control->MoveToLastPage(); });
}

const bool registered = registerCases(
    {
        {QStringLiteral("populate-paged"), populatePaged},
        {QStringLiteral("raw-count-and-page"), [](auto& d, auto& t) { timeCountAndPage(byHand(), d, t); }},
        {QStringLiteral("last-page"), lastPage},
        {QStringLiteral("raw-last-page"), [](auto& d, auto& t) { timeLastPage(byHand(), d, t); }},
        {QStringLiteral("raw-first-page"), [](auto& d, auto& t) { timeFirstPage(byHand(), d, t); }},
        {QStringLiteral("populate-paged-again"), populatePagedAgain},
        {QStringLiteral("raw-first-page-again"), [](auto& d, auto& t) { timeFirstPageAgain(byHand(), d, t); }},
        {QStringLiteral("ordered-first-page"), orderedFirstPage},
        {QStringLiteral("ordered-last-page"), orderedLastPage},
    },
    {
        {QStringLiteral("Init_class + PopulateList (paged)"), QStringLiteral("populate-paged"),
         QStringLiteral("raw-count-and-page"), {1000000, 10000000}},
        {QStringLiteral("last page"), QStringLiteral("last-page"), QStringLiteral("raw-last-page"), {1000000, 10000000}},
        // What the paged view costs beyond the least a paged view must read.
        {QStringLiteral("paged first page / LIMIT alone"), QStringLiteral("populate-paged"),
         QStringLiteral("raw-first-page"), {1000000, 10000000}},
        // The same once each side has done it before in the process: the control's first
        // populate also sets up its children's fonts, a one-time cost of the process.
        {QStringLiteral("paged first page again / LIMIT again"), QStringLiteral("populate-paged-again"),
         QStringLiteral("raw-first-page-again"), {1000000, 10000000}},
        // Reaching the end of an ordered query beside showing its start.
        {QStringLiteral("ordered last page / paged first page"), QStringLiteral("ordered-last-page"),
         QStringLiteral("ordered-first-page"), {10000000}},
    });

} // namespace

} // namespace bench

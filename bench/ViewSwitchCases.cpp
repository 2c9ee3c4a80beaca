// The unpaged view: every row loaded into the list at once, beside a QSqlQueryModel fetched to
// the end behind a QTableView, and a scroll to the bottom of each afterwards.
#include "BenchData.h"
#include "Cases.h"

#include <QApplication>
#include <QSqlQueryModel>
#include <QTableView>

namespace bench {
namespace {


// What a Qt developer would otherwise write: the whole query in a model behind a table view.
struct FetchedTable {
    QTableView view;
    QSqlQueryModel model;

    FetchedTable()
    {
        view.resize(900, 480);
        view.show();
        QApplication::processEvents();
    }

    void fetchEverything(const QSqlDatabase& db)
    {
        model.setQuery(shownQuery(db), db);
        while (model.canFetchMore())
            model.fetchMore();
        view.setModel(&model);
    }
};

void loadAll(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = makeControl(db, false);
    control->show();
    control->Init_class(QStringLiteral("TessaroBench"), true);
    // On screen before the work starts, as the baseline's view is.
    QApplication::processEvents();
    timed([&] { control->PopulateList(); });
}

void modelFetchAll(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    FetchedTable table;
    timed([&] { table.fetchEverything(db); });
}

// One frame: the scroll and the repaint of what it brings into view.
void scrollToBottom(QAbstractItemView& view, const Timed& timed)
{
    QApplication::processEvents();
    timed([&] {
        view.scrollToBottom();
        view.viewport()->repaint();
    });
}

void loadAllThenScroll(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = loadedUnpaged(db);
    control->show();
    scrollToBottom(*control->ListView, timed);
}

void modelThenScroll(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    FetchedTable table;
    table.fetchEverything(db);
    scrollToBottom(table.view, timed);
}

const bool registered = registerCases(
    {
        {QStringLiteral("load-all"), loadAll},
        {QStringLiteral("model-fetch-all"), modelFetchAll},
        {QStringLiteral("load-all-scroll"), loadAllThenScroll},
        {QStringLiteral("model-scroll"), modelThenScroll},
    },
    {
        {QStringLiteral("load all rows (unpaged view)"), QStringLiteral("load-all"), QStringLiteral("model-fetch-all"),
         {100000, 1000000}},
        {QStringLiteral("scroll to the bottom after load all"), QStringLiteral("load-all-scroll"),
         QStringLiteral("model-scroll"), {1000000}},
    });

} // namespace
} // namespace bench

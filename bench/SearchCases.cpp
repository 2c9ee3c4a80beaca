// Sorting and finding over a million rows: Tessaro's header click and find button beside
// QSortFilterProxyModel doing the same over a QStandardItemModel of the same rows.
#include "Cases.h"

#include "BenchData.h"

#include <tessaro/Tessaro.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QStandardItemModel>

namespace bench {
namespace {

// The customer column: "Customer n" for 5000 values of n.
constexpr int kTextColumn = 0;
// Matches "Customer 12", "Customer 120" … "Customer 129" and "Customer 1200" … "Customer 1299".
const QString kFindPattern = QStringLiteral("customer 12*");

// The control showing every row at once, as the load-all view does.
std::unique_ptr<tessaro::Tessaro> loadedControl(const QSqlDatabase& db)
{
    auto control = makeControl(db, false);
    // A title of its own: the paged cases leave "Paged" remembered under theirs.
    control->Init_class(QStringLiteral("TessaroSearchBench"), true);
    control->PopulateList();
    return control;
}

// The visible columns of ordersQuery() as texts, one row per record.
void fillModel(QSqlDatabase& db, QStandardItemModel& model)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.exec(ordersQuery());
    while (query.next()) {
        QList<QStandardItem*> row;
        for (int field = 1; field <= 5; ++field)
            row.append(new QStandardItem(query.value(field).toString()));
        model.appendRow(row);
    }
}

void headerClickSort(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = loadedControl(db);
    tessaro::ListView* list = control->ListView;
    timed([&] {
        emit list->ColumnClick(list->ColumnHeaders().Item(kTextColumn + 1));
        QCoreApplication::processEvents();
    });
}

// The list sorts without regard to case, so the proxy does too.
void proxySort(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    QStandardItemModel model;
    fillModel(db, model);
    QSortFilterProxyModel proxy;
    proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy.setSourceModel(&model);
    proxy.rowCount();
    timed([&] {
        proxy.sort(kTextColumn, Qt::DescendingOrder);
        QCoreApplication::processEvents();
    });
}

void findButton(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = loadedControl(db);
    control->findChild<QComboBox*>(QStringLiteral("cmbCercaIn"))->setCurrentIndex(kTextColumn);
    control->findChild<QLineEdit*>(QStringLiteral("txtRicerca"))->setText(kFindPattern);
    auto* find = control->findChild<QPushButton*>(QStringLiteral("cmdTrova"));
    timed([&] {
        find->click();
        QCoreApplication::processEvents();
    });
}

void proxyFilter(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    QStandardItemModel model;
    fillModel(db, model);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    proxy.setFilterKeyColumn(kTextColumn);
    proxy.rowCount();
    const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(kFindPattern),
                                      QRegularExpression::CaseInsensitiveOption);
    timed([&] {
        proxy.setFilterRegularExpression(wildcard);
        proxy.rowCount();
        QCoreApplication::processEvents();
    });
}

const bool registered = registerCases(
    {
        {QStringLiteral("sort-header-click"), headerClickSort},
        {QStringLiteral("proxy-sort"), proxySort},
        {QStringLiteral("find-button"), findButton},
        {QStringLiteral("proxy-filter"), proxyFilter},
    },
    {
        {QStringLiteral("sort: header click (load all)"), QStringLiteral("sort-header-click"),
         QStringLiteral("proxy-sort"), {1000000}},
        {QStringLiteral("find: wildcard (load all)"), QStringLiteral("find-button"), QStringLiteral("proxy-filter"),
         {1000000}},
    });

} // namespace
} // namespace bench

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
    auto control = loadedUnpaged(db);
    tessaro::ListView* list = control->ListView;
    timed([&] {
        emit list->ColumnClick(list->ColumnHeaders().Item(kTextColumn + 1));
        QCoreApplication::processEvents();
    });
}

// The same rows in a QStandardItemModel behind a proxy that has already mapped them.
void prepareProxy(const QString& path, QStandardItemModel& model, QSortFilterProxyModel& proxy)
{
    QSqlDatabase db = openDatabase(path);
    fillModel(db, model);
    proxy.setSourceModel(&model);
    proxy.rowCount();
}

// The list sorts without regard to case, so the proxy does too.
void proxySort(const QString& path, const Timed& timed)
{
    QStandardItemModel model;
    QSortFilterProxyModel proxy;
    proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    prepareProxy(path, model, proxy);
    timed([&] {
        proxy.sort(kTextColumn, Qt::DescendingOrder);
        QCoreApplication::processEvents();
    });
}

void findButton(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = loadedUnpaged(db);
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
    QStandardItemModel model;
    QSortFilterProxyModel proxy;
    proxy.setFilterKeyColumn(kTextColumn);
    prepareProxy(path, model, proxy);
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

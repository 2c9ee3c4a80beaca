#include "control/TessaroPrivate.h"

#include "data/ResultScan.h"
#include "language/ErrorReport.h"
#include "platform/controls/ControlGuard.h"
#include "platform/sql/RecordsetRows.h"

#include <algorithm>

namespace tessaro {

bool TessaroPrivate::showsWholeResult()
{
    return wholeResult && results.page.paged && q.Columns && results.current().State() == Recordset::StateOpen;
}

WholeRows TessaroPrivate::wholeRows()
{
    WholeRows rows;
    rows.active = [this] { return showsWholeResult(); };
    // The set and the columns are held for the scan: a visitor that yields may let the host
    // replace them.
    rows.scanColumn = [this](int column, qint64 from, qint64 maxRows, const CellVisitor& visit) {
        const std::shared_ptr<Recordset> set = q.rst;
        const std::shared_ptr<collColonne> columns = q.Columns;
        data::scanField(*set, *columns, column + 1, from, maxRows, visit);
    };
    rows.scanRows = [this](const RowTextsVisitor& visit) {
        const std::shared_ptr<Recordset> set = q.rst;
        const std::shared_ptr<collColonne> columns = q.Columns;
        data::scanShownFields(*set, *columns, visit);
    };
    rows.rowsExpected = [this] {
        const Recordset& set = results.current();
        const std::optional<qint64> count = sql::RecordsetRows::knownCount(set);
        const std::optional<qint64> estimate = sql::RecordsetRows::estimatedCount(set);
        return count ? *count : estimate.value_or(sql::RecordsetRows::rowsKnown(set));
    };
    rows.firstShownRow = [this] { return qint64(std::max(results.page.number, 1) - 1) * results.page.size; };
    rows.pageSize = [this] { return std::max(results.page.size, 1); };
    rows.showPage = [this](int page) { pageBar->GoToPage(page); };
    rows.scanEnded = [this] { pageBar->Paginazione(); };
    return rows;
}

// The set in the query's order is kept to return to; a failed sort leaves the rows as they were.
void TessaroPrivate::sortWholeResult(int column, bool descending)
{
    // Refused quietly while a long load or scan runs: the rows stay as they are, shown unsorted.
    if (pacer.busy()) {
        lstv->setPresorted(false);
        return;
    }
    const ControlGuard guard(&q);
    bool sorted = false;
    trapAndReport(ReportForm::DescriptionBelow, QStringLiteral("lstv_ColumnClick"), [&] {
        Recordset& shown = results.current();
        std::shared_ptr<Recordset> ordered = sql::RecordsetRows::sorted(shown, column + 1, descending);
        // The shown order's count would only race the new one for the database.
        sql::RecordsetRows::stopCounting(shown);
        if (!results.queryOrder)
            results.queryOrder = q.rst;
        q.rst = ordered;
        results.sorted = ordered;
        sorted = true;
    });
    if (guard.gone())
        return;
    if (!sorted) {
        lstv->setPresorted(false);
        return;
    }
    pageBar->MoveToFirstPage();
    if (!guard.gone())
        pageBar->countBeside();
}

void TessaroPrivate::returnToQueryOrder()
{
    if (!results.queryOrder)
        return;
    const std::shared_ptr<Recordset> sorted = results.sorted.lock();
    if (sorted && q.rst == sorted) {
        sql::RecordsetRows::stopCounting(*sorted);
        q.rst = results.queryOrder;
    }
    results.queryOrder.reset();
    results.sorted.reset();
    lstv->setPresorted(false);
}

} // namespace tessaro

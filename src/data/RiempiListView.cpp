#include "data/RiempiListView.h"

#include "data/CellText.h"
#include "platform/Failure.h"

#include <tessaro/ListView.h>
#include <tessaro/Recordset.h>
#include <tessaro/collColonne.h>

#include <vector>

namespace tessaro {
namespace {

Recordset& recordsetOf(std::shared_ptr<Recordset>& rst)
{
    if (!rst)
        rst = std::make_shared<Recordset>();
    return *rst;
}

collColonne& columnsOf(const std::shared_ptr<collColonne>& columns)
{
    if (!columns)
        raiseError(Error::ObjectVariableNotSet);
    return *columns;
}

// Header k of n: caption, width and alignment from descriptor k, the column kind in its Tag.
void addHeader(ListView& lstv, Recordset& rst, collColonne& columns, qint16 k, qint16 n)
{
    const std::shared_ptr<clsColonna> d = columns.Item(k);
    const QString caption = d->Intestazione().isEmpty() ? rst.Fields().Item(k).Name() : d->Intestazione();
    double width = d->Larghezza();
    if (width == 0) {
        const float share = static_cast<float>(lstv.Width()) / static_cast<float>(n);
        width = k == n ? share - 300 : share;
    }
    ColumnHeader* header = lstv.ColumnHeaders().Add(caption, width);
    if (k > 1)
        header->setAlignment(d->Allineamento());
    header->setTag(QString::number(d->TipoCampo()));
}

void addHeaders(ListView& lstv, Recordset& rst, collColonne& columns)
{
    const qint16 n = static_cast<qint16>(rst.Fields().Count() - 1);
    for (qint16 k = 1; k <= n - 1; ++k)
        addHeader(lstv, rst, columns, k, n);
    addHeader(lstv, rst, columns, n, n);
}

// Positions the cursor on the page to show and returns how many rows to read.
int choosePage(Recordset& rst, int PageSize, int& AbsolutePage)
{
    if (PageSize <= 0)
        return rst.RecordCount();
    if (AbsolutePage < 1)
        AbsolutePage = 1;
    rst.setPageSize(PageSize);
    if (AbsolutePage > rst.PageCount())
        AbsolutePage = rst.PageCount();
    rst.setAbsolutePage(AbsolutePage);
    return PageSize;
}

using Descriptors = std::vector<std::shared_ptr<clsColonna>>;

// Descriptor k at index k - 1; looked up once per fill rather than once per cell.
Descriptors descriptorsOf(collColonne& columns, int n)
{
    Descriptors descriptors;
    descriptors.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        descriptors.push_back(columns.Item(k));
    return descriptors;
}

// Announces the rows of a fill to the views once, at the end, however the fill ends.
class BulkAdd {
public:
    explicit BulkAdd(ListView& list) : m_list(list) { m_list.beginBulkAdd(); }
    ~BulkAdd() { m_list.endBulkAdd(); }
    BulkAdd(const BulkAdd&) = delete;
    BulkAdd& operator=(const BulkAdd&) = delete;

private:
    ListView& m_list;
};

void addRow(ListView& lstv, Recordset& rst, const Descriptors& columns, int n)
{
    FieldCollection fields = rst.Fields();
    ListItem* item = lstv.ListItems().Add(cellText(fields.Item(1).Value(), *columns[0]));
    item->setTag(fields.Item(0).Value());
    for (int k = 2; k <= n; ++k) {
        const QVariant value = fields.Item(k).Value();
        if (value.isNull()) {
            item->setSubItems(k - 1, QString());
            continue;
        }
        const QString text = cellText(value, *columns[static_cast<std::size_t>(k - 1)]);
        item->setSubItems(k - 1, text);
        item->ListSubItems(k - 1)->setTag(text);
    }
}

} // namespace

void RiempiListView(std::shared_ptr<Recordset>& rst, ListView& lstv, std::shared_ptr<collColonne>& Columns,
                    int& PageSize, int& AbsolutePage)
{
    QString row;
    trapAndReport(ReportForm::B, QStringLiteral("RiempiListView"), row, [&] {
        lstv.ListItems().Clear();
        Recordset& set = recordsetOf(rst);
        if (set.State() == 0) {
            skipFailure([&] { lstv.setView(3); });
            return;
        }
        if (set.Bof() && set.Eof())
            return;
        lstv.ColumnHeaders().Clear();
        collColonne& columns = columnsOf(Columns);
        addHeaders(lstv, set, columns);
        skipFailure([&] { lstv.setView(3); });
        const int rows = choosePage(set, PageSize, AbsolutePage);
        const int n = set.Fields().Count() - 1;
        const Descriptors descriptors = descriptorsOf(columns, n);
        const BulkAdd bulk(lstv);
        for (int r = 1; r <= rows && !set.Eof(); ++r) {
            row = QString::number(r);
            addRow(lstv, set, descriptors, n);
            set.MoveNext();
        }
        skipFailure([&] { lstv.setBorderStyle(0); });
    });
}

} // namespace tessaro

#include "data/RiempiListView.h"

#include "data/CellText.h"
#include "language/ErrorReport.h"
#include "platform/controls/LoadPacer.h"
#include "platform/listview/RowAppender.h"
#include "platform/sql/RecordsetRows.h"
#include "platform/sql/ResultHolder.h"

#include <tessaro/ListView.h>
#include <tessaro/Recordset.h>
#include <tessaro/collColonne.h>

#include <QPointer>

#include <algorithm>
#include <vector>

namespace tessaro {
namespace {

// The automatic width takes this much off the last column's share.
constexpr float kLastColumnMargin = 300;
// The narrowest column a fill makes (in twips: 32 pixels at 96 dpi): a few characters of the
// caption still show and the header can still be clicked and its edge dragged. Many columns on
// a narrow list then run past its right edge and the list scrolls sideways.
constexpr double kNarrowestColumn = 480;
// A paced fill asks its pacer whether to yield once per this many rows: the clock is read
// rarely enough to cost nothing, often enough for a yield to come within a few milliseconds.
constexpr int kRowsBetweenPacerChecks = 256;

// Thrown from the row visitor to leave the read early; never leaves RiempiListView.
struct FillEnded {
};

// A positive width the host chose, as chosen; otherwise an even share of the list's width (the
// last column's less a margin), never below the narrowest column. A negative width, which the
// list refuses, gets the narrowest column rather than ending the fill.
double headerWidth(const ListView& lstv, const clsColonna& d, qint16 k, qint16 n)
{
    const int chosen = d.Larghezza();
    if (chosen > 0)
        return chosen;
    if (chosen < 0)
        return kNarrowestColumn;
    const float share = static_cast<float>(lstv.Width()) / static_cast<float>(n);
    const double automatic = k == n ? share - kLastColumnMargin : share;
    return std::max(automatic, kNarrowestColumn);
}

// Header k of n as the fill makes it: caption, width and alignment from descriptor k (header 1
// keeps the default alignment), the column kind in its Tag.
struct HeaderLook {
    QString caption;
    double width;
    int alignment;
    QString tag;

    bool isOf(const ColumnHeader& header) const
    {
        return header.Text() == caption && header.Width() == width && header.Alignment() == alignment
            && header.Tag() == tag;
    }
};

// The headers wanted, in column order; `wanted` keeps those made before a descriptor that fails.
void wantedHeaders(const ListView& lstv, Recordset& rst, collColonne& columns, std::vector<HeaderLook>& wanted)
{
    constexpr int kDefaultAlignment = 0;
    const qint16 n = static_cast<qint16>(rst.Fields().Count() - 1);
    // A key alone still asks for descriptor 0, which fails as a header with no field.
    for (qint16 k = std::min<qint16>(1, n); k <= n; ++k) {
        const std::shared_ptr<clsColonna> d = columns.Item(k);
        const QString caption = d->Intestazione().isEmpty() ? rst.Fields().Item(k).Name() : d->Intestazione();
        wanted.push_back({caption, headerWidth(lstv, *d, k, n), k > 1 ? d->Allineamento() : kDefaultAlignment,
                         QString::number(d->TipoCampo())});
    }
}

void rebuildHeaders(ColumnHeaders& headers, const std::vector<HeaderLook>& wanted)
{
    headers.Clear();
    for (const HeaderLook& look : wanted) {
        ColumnHeader* header = headers.Add(look.caption, look.width);
        if (header->Index() > 1)
            header->setAlignment(look.alignment);
        header->setTag(look.tag);
    }
}

// Headers already as the fill would make them stay: a page move then rebuilds no header, which
// would have the view measure every section again.
void addHeaders(ListView& lstv, Recordset& rst, collColonne& columns)
{
    ColumnHeaders& headers = lstv.ColumnHeaders();
    std::vector<HeaderLook> wanted;
    try {
        wantedHeaders(lstv, rst, columns, wanted);
    } catch (...) {
        // As if added one by one: the headers before the failing descriptor are there.
        rebuildHeaders(headers, wanted);
        throw;
    }
    const bool same = headers.Count() == int(wanted.size())
        && std::equal(wanted.begin(), wanted.end(), headers.begin(),
                      [](const HeaderLook& look, const ColumnHeader* header) { return look.isOf(*header); });
    if (!same)
        rebuildHeaders(headers, wanted);
}

// Positions the cursor on the page to show and returns how many rows to read. A page whose
// first row has been read needs no count: the first page shows before the count is in.
int choosePage(Recordset& rst, int PageSize, int& AbsolutePage)
{
    if (PageSize <= 0)
        return rst.RecordCount();
    if (AbsolutePage < 1)
        AbsolutePage = 1;
    rst.setPageSize(PageSize);
    AbsolutePage = sql::RecordsetRows::atMostLastPage(rst, AbsolutePage);
    rst.setAbsolutePage(AbsolutePage);
    return PageSize;
}

// How each column's cells become texts, column k at index k - 1; read from the descriptors once
// per fill rather than once per cell.
std::vector<CellTextWriter> writersOf(collColonne& columns, int n)
{
    std::vector<CellTextWriter> writers;
    writers.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k)
        writers.emplace_back(columns.Item(k));
    return writers;
}

// The rows of a fill, each handed over whole: the key in the item's Tag, field 1 in the item's
// text, each later field in a sub-item whose Tag is its text (none for a Null).
class RowFiller {
public:
    RowFiller(ListView& lstv, collColonne& columns, int n)
        : m_list(lstv), m_writers(writersOf(columns, n)), m_texts(std::size_t(n)),
          m_cells(std::size_t(n))
    {
    }

    void add(const sql::RowValues& row)
    {
        std::size_t done = 0;
        try {
            for (; done < m_writers.size(); ++done) {
                std::string_view text;
                const bool present = m_writers[done].write(row, int(done) + 1, m_texts[done], text);
                m_cells[done] = {text, present && done > 0};
            }
        } catch (...) {
            // The item and the sub-items before the failing one stay, as if set one by one.
            if (done > 0)
                m_list.append(row.value(0), m_cells.data(), int(done));
            throw;
        }
        m_list.append(row.value(0), m_cells.data(), int(done));
    }

    void expect(int rows) { m_list.expect(rows); }
    void publish() { m_list.publish(); }

private:
    listview::RowAppender m_list;
    std::vector<CellTextWriter> m_writers;
    std::vector<std::string> m_texts; // reused row after row
    std::vector<listview::ItemStore::RowCell> m_cells;
};

} // namespace

void RiempiListView(std::shared_ptr<Recordset>& rst, ListView& lstv, std::shared_ptr<collColonne>& Columns,
                    int& PageSize, int& AbsolutePage, LoadPacer* pacer)
{
    int row = 0;
    const auto rowText = [&] { return row > 0 ? QString::number(row) : QString(); };
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("RiempiListView"), rowText, [&] {
        lstv.ListItems().Clear();
        Recordset& set = sql::currentRecordset(rst);
        if (set.State() == Recordset::StateClosed) {
            lstv.setView(ListView::ReportView);
            return;
        }
        if (set.Bof() && set.Eof())
            return;
        if (!Columns) {
            lstv.ColumnHeaders().Clear();
            raiseError(Error::ObjectVariableNotSet);
        }
        collColonne& columns = *Columns;
        addHeaders(lstv, set, columns);
        lstv.setView(ListView::ReportView);
        const int rows = choosePage(set, PageSize, AbsolutePage);
        // What a yield may destroy: the set the host replaces or the control owned, and the list.
        const std::shared_ptr<Recordset> keepSet = rst;
        const QPointer<ListView> list(&lstv);
        RowFiller filler(lstv, columns, set.Fields().Count() - 1);
        const std::optional<qint64> count = sql::RecordsetRows::knownCount(set);
        // Every row of a result not yet counted: the store grows chunk by chunk instead.
        const int unknown = rows == sql::RecordsetRows::kAllRows ? 0 : rows;
        filler.expect(count ? int(std::min<qint64>(rows, *count)) : unknown);
        try {
            sql::RecordsetRows::readOn(set, rows, [&](const sql::RowValues& values) {
                ++row;
                filler.add(values);
                if (!pacer || row % kRowsBetweenPacerChecks != 0 || !pacer->due())
                    return;
                filler.publish();
                if (!pacer->yield(row))
                    throw FillEnded();
            });
        } catch (const FillEnded&) {
            if (!list)
                return;
        }
        lstv.setBorderStyle(ListView::NoBorder);
    });
}

} // namespace tessaro

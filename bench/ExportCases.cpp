// The spreadsheet export of the whole list beside libxlsxwriter writing the same cells itself,
// in its constant-memory mode.
#include "BenchData.h"
#include "Cases.h"

#include <tessaro/SpreadsheetOpener.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace bench {
namespace {

std::unique_ptr<tessaro::Tessaro> loadedUnpaged(const QSqlDatabase& db)
{
    auto control = makeControl(db, false);
    control->Init_class(QStringLiteral("TessaroBench"), true);
    control->Columns->Item(3)->setTipoCampo(1);
    control->Columns->Item(4)->setTipoCampo(1);
    control->PopulateList();
    return control;
}

void exportList(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = loadedUnpaged(db);
    tessaro::setSpreadsheetOpener([](const QString&) {});
    auto* button = control->findChild<QPushButton*>(QStringLiteral("cmdEsportaInExcel"));
    timed([&] { button->click(); });
}

// The same cells as the list shows them: texts, with the two numeric columns as numbers.
void rawWrite(const QString& path, const Timed& timed)
{
    QSqlDatabase db = openDatabase(path);
    auto control = loadedUnpaged(db);
    std::vector<QByteArray> cells;
    const int columns = control->ListView->ColumnHeaders().Count();
    for (tessaro::ListItem* item : control->ListView->ListItems()) {
        cells.push_back(item->Text().trimmed().toUtf8());
        for (int k = 1; k < columns; ++k)
            cells.push_back(item->SubItems(k).trimmed().toUtf8());
    }
    QTemporaryDir folder;
    const QByteArray file = folder.filePath(QStringLiteral("raw.xlsx")).toUtf8();
    timed([&] {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Foglio1");
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const lxw_row_t row = static_cast<lxw_row_t>(i / columns + 1);
            const lxw_col_t col = static_cast<lxw_col_t>(i % columns);
            if (col == 2 || col == 3)
                worksheet_write_number(sheet, row, col, QString::fromUtf8(cells[i]).remove(',').toDouble(), nullptr);
            else
                worksheet_write_string(sheet, row, col, cells[i].constData(), nullptr);
        }
        workbook_close(workbook);
    });
}

const bool registered = registerCases(
    {
        {QStringLiteral("export"), exportList},
        {QStringLiteral("raw-xlsx"), rawWrite},
    },
    {
        {QStringLiteral("export to .xlsx"), QStringLiteral("export"), QStringLiteral("raw-xlsx"), {100000}},
    });

} // namespace
} // namespace bench

#include "totals_export/TotalsExport.h"

#include "language/ErrorReport.h"
#include "platform/controls/ScanPacing.h"
#include "platform/spreadsheet/Spreadsheet.h"

#include <tessaro/ListView.h>
#include <tessaro/MessageBox.h>
#include <tessaro/collColonne.h>

#include <QDir>
#include <QPointer>

#include <vector>

namespace tessaro::totals_export {
namespace {

using spreadsheet::Worksheet;

// Every cell of a sheet keeps its text as written, but for the numeric columns (see writeHeadings).
const QString kTextFormat = QStringLiteral("@");
// The sheets after the first are named as the spreadsheet names them: "Foglio2", "Foglio3", ...
const QString kSheetNamePrefix = QStringLiteral("Foglio");

// The heading row in bold, numeric columns in "General" so that their texts become numbers.
// Returns which columns are right-aligned, for their data cells.
std::vector<bool> writeHeadings(Worksheet& sheet, const ColumnHeaders& headers, const collColonne& columns)
{
    std::vector<bool> rightAligned(static_cast<std::size_t>(headers.Count()) + 1, false);
    for (int i = 1; i <= headers.Count(); ++i) {
        const std::shared_ptr<clsColonna> descriptor = columns.Item(i);
        if (descriptor->kind() == ColumnKind::Number)
            sheet.Columns(i).setNumberFormat(QStringLiteral("General"));
        sheet.Cells(1, i).setValue(headers.Item(i)->Text());
        sheet.Cells(1, i).setBold(true);
        rightAligned[static_cast<std::size_t>(i)] = descriptor->alignment() == ColumnAlignment::Right;
        if (rightAligned[static_cast<std::size_t>(i)])
            sheet.Cells(1, i).setHorizontalAlignment(spreadsheet::xlRight);
    }
    return rightAligned;
}

// One sheet row per exported item, without gaps; texts trimmed of the blanks that pad numbers.
void writeRows(Worksheet& sheet, const ListView& lstv, bool allRows, const std::vector<bool>& rightAligned)
{
    const int subItems = lstv.ColumnHeaders().Count() - 1;
    int row = 2;
    for (ListItem* item : lstv.ListItems()) {
        if (!item->Selected() && !allRows)
            continue;
        sheet.Cells(row, 1).setValue(item->Text().trimmed());
        for (int k = 1; k <= subItems; ++k) {
            const spreadsheet::Range cell = sheet.Cells(row, k + 1);
            cell.setValue(item->SubItems(k).trimmed());
            if (rightAligned[static_cast<std::size_t>(k + 1)])
                cell.setHorizontalAlignment(spreadsheet::xlRight);
        }
        ++row;
    }
}

// Without a program for it the workbook would be written and never seen: the user is told where.
void tellWhereTheWorkbookIs(const QString& xlsxPath)
{
    MsgBox(languageText(LanguageKey::ExportNotOpened) + QStringLiteral("\r\n") + QDir::toNativeSeparators(xlsxPath),
           MessageStyle::Information, languageText(LanguageKey::ExportTip));
}

QString nextSheetName(std::size_t sheets)
{
    return kSheetNamePrefix + QString::number(sheets + 1);
}

} // namespace

// Row after row as the database gives them, straight into the sheet: nothing is kept but the
// row being written. A full sheet goes on in a new one with the same headings.
bool TotalsExport::writeWholeResult(spreadsheet::Workbook& book, const std::vector<bool>& rightAligned,
                                    std::vector<Worksheet*>& sheets)
{
    const QPointer<QObject> alive(this);
    ListView& list = m_parts.list();
    const std::shared_ptr<collColonne> columns = m_parts.columns();
    Worksheet* sheet = sheets.back();
    int sheetRow = 1; // the headings
    bool goesOn = true;
    {
        ScanPacing pacing(*m_pacer, m_whole.rowsExpected());
        QString text;
        m_whole.scanRows([&](qint64 row, const std::vector<std::string_view>& cells) {
            if (sheetRow == spreadsheet::MaxRows) {
                sheet = &book.WorksheetsAdd(nextSheetName(sheets.size()));
                sheets.push_back(sheet);
                sheet->Cells().setNumberFormat(kTextFormat);
                writeHeadings(*sheet, list.ColumnHeaders(), *columns);
                sheetRow = 1;
            }
            ++sheetRow;
            for (std::size_t k = 0; k < cells.size(); ++k) {
                text = QString::fromUtf8(cells[k].data(), qsizetype(cells[k].size())).trimmed();
                const spreadsheet::Range cell = sheet->Cells(sheetRow, int(k) + 1);
                cell.setValue(text);
                if (rightAligned[k + 1])
                    cell.setHorizontalAlignment(spreadsheet::xlRight);
            }
            return goesOn = pacing.step(row + 1);
        });
    }
    return goesOn && alive;
}

void TotalsExport::cmdEsportaInExcel_Click()
{
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("cmdEsportaInExcel"), [&] {
        // Once visible, the application keeps what was written even if a later step fails.
        spreadsheet::Application excel(tellWhereTheWorkbookIs);
        spreadsheet::Workbook& book = excel.WorkbooksAdd();
        Worksheet& sheet = book.Worksheets(QStringLiteral("Foglio1"));
        excel.setVisible(true);
        sheet.Cells().setNumberFormat(kTextFormat);
        const std::shared_ptr<collColonne> columns = m_parts.columns();
        if (!columns)
            raiseError(Error::ObjectVariableNotSet);
        ListView& list = m_parts.list();
        const std::vector<bool> rightAligned = writeHeadings(sheet, list.ColumnHeaders(), *columns);
        std::vector<Worksheet*> sheets{&sheet};
        if (wholeResult()) {
            const QPointer<QObject> alive(this);
            if (!writeWholeResult(book, rightAligned, sheets)) {
                // A stopped export leaves nothing behind: a hidden application discards its workbook.
                excel.setVisible(false);
                if (alive)
                    m_whole.scanEnded();
                return;
            }
        } else {
            writeRows(sheet, list, allRows(), rightAligned);
        }
        for (Worksheet* written : sheets) {
            written->Cells(1, 1).CurrentRegion().autoFitColumns();
            written->Cells(1, 1).CurrentRegion().autoFitRows();
        }
        excel.release();
    });
}

} // namespace tessaro::totals_export

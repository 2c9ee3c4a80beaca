#include "totals_export/TotalsExport.h"

#include "language/ErrorReport.h"
#include "platform/spreadsheet/Spreadsheet.h"

#include <tessaro/ListView.h>
#include <tessaro/MessageBox.h>
#include <tessaro/collColonne.h>

#include <QDir>

#include <vector>

namespace tessaro::totals_export {
namespace {

using spreadsheet::Worksheet;

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

} // namespace

void TotalsExport::cmdEsportaInExcel_Click()
{
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("cmdEsportaInExcel"), [&] {
        // Once visible, the application keeps what was written even if a later step fails.
        spreadsheet::Application excel(tellWhereTheWorkbookIs);
        spreadsheet::Workbook& book = excel.WorkbooksAdd();
        Worksheet& sheet = book.Worksheets(QStringLiteral("Foglio1"));
        excel.setVisible(true);
        sheet.Cells().setNumberFormat(QStringLiteral("@"));
        const std::shared_ptr<collColonne> columns = m_parts.columns();
        if (!columns)
            raiseError(Error::ObjectVariableNotSet);
        ListView& list = m_parts.list();
        const std::vector<bool> rightAligned = writeHeadings(sheet, list.ColumnHeaders(), *columns);
        writeRows(sheet, list, allRows(), rightAligned);
        excel.Selection().CurrentRegion().autoFitColumns();
        excel.Selection().CurrentRegion().autoFitRows();
        excel.release();
    });
}

} // namespace tessaro::totals_export

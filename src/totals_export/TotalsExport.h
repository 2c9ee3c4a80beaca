#pragma once

// The header panel's totals and export buttons and the choice of the rows they work on.

#include "platform/controls/ComboBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/ControlParts.h"
#include "platform/controls/OptionButton.h"
#include "platform/controls/WholeRows.h"

#include <QObject>

#include <vector>

namespace tessaro {
class LoadPacer;
namespace spreadsheet {
class Workbook;
class Worksheet;
}
}

namespace tessaro::totals_export {

/// Builds its buttons and options on `panel` (which owns them) and answers their clicks; its
/// connections end when it is destroyed. `columnChoice` must outlive it; the list and the columns
/// are asked of `parts` at each click, so a host that reassigns the columns is followed.
class TotalsExport : public QObject {
    Q_OBJECT

public:
    TotalsExport(QWidget& panel, const ComboBox& columnChoice, ControlParts parts);

    /// With "all rows", totals and export read every row of `rows` while it is active, paced by
    /// `pacer` (which must outlive this object); else the rows of the list.
    void useWholeResult(WholeRows rows, LoadPacer& pacer)
    {
        m_whole = std::move(rows);
        m_pacer = &pacer;
    }

    /// Its last field in the tab order, "selected rows": the list follows it.
    QWidget& lastField() const { return *optSelezionati; }
    /// The options' captions in the current language.
    void retranslate();

    /// A message box with the sum, count, average, minimum and maximum of the chosen column,
    /// or a warning when no numeric column is chosen; failures are reported, never thrown.
    void cmdSomma_Click();
    /// The headings and the chosen rows in a new visible spreadsheet; failures are reported.
    void cmdEsportaInExcel_Click();

private:
    bool allRows() const { return optTutti->Value(); }
    bool wholeResult() const { return allRows() && m_pacer && m_whole.active && m_whole.active(); }
    /// Writes every row of the whole result under the headings; false when the user stopped it.
    bool writeWholeResult(spreadsheet::Workbook& book, const std::vector<bool>& rightAligned,
                          std::vector<spreadsheet::Worksheet*>& sheets);

    const ComboBox& m_columnChoice;
    ControlParts m_parts;
    WholeRows m_whole;
    LoadPacer* m_pacer = nullptr;
    CommandButton* cmdSomma = nullptr;
    CommandButton* cmdEsportaInExcel = nullptr;
    OptionButton* optTutti = nullptr;
    OptionButton* optSelezionati = nullptr;
};

} // namespace tessaro::totals_export

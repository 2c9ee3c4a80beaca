#include "totals_export/TotalsExport.h"

#include "design/Style.h"
#include "language/LanguageKeys.h"

namespace tessaro::totals_export {

using design::place;

TotalsExport::TotalsExport(QWidget& panel, const ComboBox& columnChoice, ControlParts parts)
    : m_columnChoice(columnChoice), m_parts(std::move(parts))
{
    cmdSomma = design::makePictureButton("cmdSomma", glyphs::totalsButton(), design::kTotalsButton, &panel);
    cmdEsportaInExcel =
        design::makePictureButton("cmdEsportaInExcel", glyphs::exportButton(), design::kExportButton, &panel);
    optTutti = new OptionButton(QStringLiteral("optTutti"), &panel);
    optTutti->setText(QStringLiteral("Tutti"));
    place(*optTutti, design::kAllRowsOption);
    optTutti->setChecked(true);
    optSelezionati = new OptionButton(QStringLiteral("optSelezionati"), &panel);
    optSelezionati->setText(QStringLiteral("Selezionati"));
    place(*optSelezionati, design::kSelectedRowsOption);
    for (QWidget* whiteText : {optTutti, optSelezionati})
        design::setTextColour(whiteText, design::kPanelTextColour);
    for (QWidget* field : std::initializer_list<QWidget*>{cmdSomma, cmdEsportaInExcel, optTutti, optSelezionati})
        design::setFontFamily(field, design::kCaptionFace);

    QObject::connect(cmdSomma, &QPushButton::clicked, this, &TotalsExport::cmdSomma_Click);
    QObject::connect(cmdEsportaInExcel, &QPushButton::clicked, this, &TotalsExport::cmdEsportaInExcel_Click);
}

void TotalsExport::retranslate()
{
    optTutti->setText(languageText(LanguageKey::AllRows));
    optSelezionati->setText(languageText(LanguageKey::SelectedRows));
}

} // namespace tessaro::totals_export

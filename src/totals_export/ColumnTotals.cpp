#include "totals_export/TotalsExport.h"

#include "language/ErrorReport.h"
#include "language/LanguageKeys.h"
#include "platform/format/Conversions.h"
#include "platform/format/Format.h"
#include "platform/controls/ScanPacing.h"

#include <tessaro/ListView.h>
#include <tessaro/MessageBox.h>
#include <tessaro/collColonne.h>

#include <QPointer>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace tessaro::totals_export {
namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr unsigned char kFirstNonAscii = 0x80;

// The running totals of one click, in the order the values are taken.
struct Totals {
    double sum = 0;
    qint32 count = 0;
    double average = 0;
    double minimum = 0;
    double maximum = 0;
    bool blankCells = false;

    void take(const QString& cell)
    {
        if (cell.trimmed().isEmpty()) {
            blankCells = true;
            return;
        }
        add(CDbl(cell)); // the conversion tolerates the blanks that right-justify numbers
    }

    // The same for a cell's UTF-8 text. Only plain blanks are trimmed here: a text with other
    // white space, or beyond ASCII, goes the way of the list's cells.
    void take(std::string_view cell, const NumberTextReader& numbers)
    {
        const bool plain = std::all_of(cell.begin(), cell.end(), [](char c) {
            return static_cast<unsigned char>(c) < kFirstNonAscii && (c == ' ' || !std::isspace(static_cast<unsigned char>(c)));
        });
        if (!plain)
            return take(QString::fromUtf8(cell.data(), qsizetype(cell.size())));
        if (cell.find_first_not_of(' ') == std::string_view::npos) {
            blankCells = true;
            return;
        }
        add(numbers.read(cell));
    }

    void add(double x)
    {
        sum += x;
        if (!std::isfinite(sum) || count == std::numeric_limits<qint32>::max())
            raiseError(Error::Overflow);
        ++count;
        if (count == 1) {
            maximum = minimum = average = x;
            return;
        }
        if (!(x < maximum))
            maximum = x;
        if (!(x > minimum))
            minimum = x;
        average = sum / count;
    }
};

// A warning that the totals cannot be made, with the number of rows when the list has any.
void warn(LanguageKey key, int rows)
{
    QString text = languageText(key);
    if (rows > 0)
        text += CrLf + recordsText(rows);
    MsgBox(text, MessageStyle::Exclamation, languageText(LanguageKey::WarningTitle));
}

QString line(LanguageKey key, const QString& value)
{
    return CrLf + languageText(key) + QLatin1Char(' ') + value;
}

QString totalsMessage(const Totals& totals, const QString& heading, bool allRows, const QString& format)
{
    const auto formatted = [&format](double number) { return Format(number, format); };
    QString text = languageText(LanguageKey::TotalsOfColumn) + QLatin1Char(' ') + heading + QLatin1Char(' ')
        + languageText(allRows ? LanguageKey::OverAllRows : LanguageKey::OverSelectedRows) + QLatin1Char(' ')
        + formatted(totals.sum);
    if (totals.blankCells)
        text += CrLf + languageText(LanguageKey::BlankCellsSkipped);
    text += line(LanguageKey::ValueCount, QString::number(totals.count));
    text += line(LanguageKey::Average, formatted(totals.average));
    text += line(LanguageKey::Minimum, formatted(totals.minimum));
    text += line(LanguageKey::Maximum, formatted(totals.maximum));
    return text;
}

// The same texts as the list's cells, read beside the list. A stopped scan shows no totals; the
// control may be gone then (`alive` says whether `owner` still is).
bool totalWholeResult(Totals& totals, const WholeRows& whole, LoadPacer& pacer, int column, QObject& owner)
{
    const QPointer<QObject> alive(&owner);
    bool goesOn = true;
    {
        ScanPacing pacing(pacer, whole.rowsExpected());
        const NumberTextReader numbers;
        whole.scanColumn(column, 0, WholeRows::kToTheEnd, [&](qint64 row, std::string_view text) {
            totals.take(text, numbers);
            return goesOn = pacing.step(row + 1);
        });
    }
    if (!goesOn && alive)
        whole.scanEnded();
    return goesOn && alive;
}

} // namespace

void TotalsExport::cmdSomma_Click()
{
    trapAndReport(ReportForm::DescriptionBeside, QStringLiteral("cmdSomma_Click"), [&] {
        ListView& list = m_parts.list();
        ListItems& items = list.ListItems();
        const int rows = items.Count();
        if (m_columnChoice.Text().isEmpty())
            return warn(LanguageKey::NoColumnChosen, rows);
        const int column = m_columnChoice.ListIndex();
        const std::shared_ptr<collColonne> columns = m_parts.columns();
        if (!columns)
            raiseError(Error::ObjectVariableNotSet);
        const std::shared_ptr<clsColonna> descriptor = columns->Item(column + 1);
        if (descriptor->kind() != ColumnKind::Number)
            return warn(LanguageKey::ColumnNotNumeric, rows);
        const QString format = descriptor->Formattazione();
        Totals totals;
        if (wholeResult()) {
            if (!totalWholeResult(totals, m_whole, *m_pacer, column, *this))
                return;
        } else {
            for (ListItem* item : items) {
                if (!allRows() && !item->Selected())
                    continue;
                totals.take(column == 0 ? item->Text() : item->SubItems(column));
            }
        }
        const QString heading = list.ColumnHeaders().Item(column + 1)->Text();
        MsgBox(totalsMessage(totals, heading, allRows(), format), MessageStyle::Information,
               languageText(LanguageKey::TotalsTitle));
    });
}

} // namespace tessaro::totals_export

#include <tessaro/SpreadsheetOpener.h>

#include <QDesktopServices>
#include <QUrl>

namespace tessaro {
namespace {

SpreadsheetOpener& currentOpener()
{
    thread_local SpreadsheetOpener opener;
    return opener;
}

} // namespace

SpreadsheetOpener setSpreadsheetOpener(SpreadsheetOpener opener)
{
    SpreadsheetOpener previous = std::move(currentOpener());
    currentOpener() = std::move(opener);
    return previous;
}

void openSpreadsheet(const QString& xlsxPath)
{
    // A copy: the opener may replace itself while it runs.
    const SpreadsheetOpener opener = currentOpener();
    if (opener)
        opener(xlsxPath);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(xlsxPath));
}

} // namespace tessaro

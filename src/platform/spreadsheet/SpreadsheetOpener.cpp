#include <tessaro/SpreadsheetOpener.h>

#include "platform/HostHook.h"

#include <QDesktopServices>
#include <QUrl>

namespace tessaro {
namespace {

thread_local HostHook<SpreadsheetOpener> opener;

void openOnDesktop(const QString& xlsxPath)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(xlsxPath));
}

} // namespace

SpreadsheetOpener setSpreadsheetOpener(SpreadsheetOpener replacement)
{
    return opener.replace(std::move(replacement));
}

void openSpreadsheet(const QString& xlsxPath)
{
    opener.call(openOnDesktop, xlsxPath);
}

} // namespace tessaro

#include <tessaro/SpreadsheetOpener.h>

#include "platform/HostHook.h"

#include <QDesktopServices>
#include <QUrl>

namespace tessaro {
namespace {

thread_local HostHook<SpreadsheetOpener> opener;

bool openOnDesktop(const QString& xlsxPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(xlsxPath));
}

} // namespace

SpreadsheetOpener setSpreadsheetOpener(SpreadsheetOpener replacement)
{
    return opener.replace(std::move(replacement));
}

bool openSpreadsheet(const QString& xlsxPath)
{
    // A host's opener does what it likes with the file: it counts as opened.
    bool opened = true;
    opener.call([&opened](const QString& path) { opened = openOnDesktop(path); }, xlsxPath);
    return opened;
}

} // namespace tessaro

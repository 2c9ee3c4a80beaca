#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <functional>

namespace tessaro {

/// What is done with a finished spreadsheet export, given the path of the .xlsx file. The file
/// is `Tessaro.xlsx` in a folder of its own, `tessaro-XXXXXX` directly inside the user's
/// temporary folder (QDir::tempPath()), readable by the user alone; the control never removes
/// either, so an opener that copies the file elsewhere may remove both.
using SpreadsheetOpener = std::function<void(const QString& xlsxPath)>;

/// Replaces the opener (the default opens the file with the desktop's spreadsheet application)
/// for the calling thread; an empty opener restores the default. Returns the previous opener. An
/// opener may replace itself while it runs; the file in progress finishes with it.
TESSARO_EXPORT SpreadsheetOpener setSpreadsheetOpener(SpreadsheetOpener opener);

/// Hands a finished workbook to the current opener (the export calls it once per workbook).
/// Returns false only when the default opener found no program to open it with (the export
/// then tells the user where the workbook is); a host's opener counts as having opened it.
TESSARO_EXPORT bool openSpreadsheet(const QString& xlsxPath);

} // namespace tessaro

#pragma once

// How the spreadsheet layer reports what libxlsxwriter or the sheet's limits refuse.

#include <QString>

namespace tessaro::spreadsheet {

/// The error number of a call the spreadsheet refuses.
constexpr int ApplicationDefinedError = 1004;

/// Throws tessaro::Error 1004 with `description`.
[[noreturn]] void raiseWriterError(const QString& description);

/// Throws for a libxlsxwriter result other than success: 75 when a file could not be made, else
/// 1004 with the library's own description.
void check(int lxwError);

} // namespace tessaro::spreadsheet

#include "platform/spreadsheet/WriterError.h"

#include "platform/Failure.h"

#include <xlsxwriter.h>

namespace tessaro::spreadsheet {

void raiseWriterError(const QString& description)
{
    throw Error(ApplicationDefinedError, description);
}

void check(int lxwError)
{
    switch (lxwError) {
    case LXW_NO_ERROR:
        return;
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
        raiseError(Error::PathFileAccess);
    default:
        raiseWriterError(QString::fromUtf8(lxw_strerror(static_cast<lxw_error>(lxwError))));
    }
}

} // namespace tessaro::spreadsheet

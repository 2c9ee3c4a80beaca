#include "platform/spreadsheet/Spreadsheet.h"

#include "platform/Failure.h"
#include "platform/spreadsheet/CellFormats.h"

#include <tessaro/SpreadsheetOpener.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>
#include <xlsxwriter.h>

namespace tessaro::spreadsheet {
namespace {

const QString SheetName = QStringLiteral("Foglio1");

// The workbook's file is made here, empty and readable by the user alone, so that libxlsxwriter
// (which opens it for writing, keeping its permissions) never replaces a file someone else made.
void createPrivateFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        raiseError(Error::PathFileAccess);
}

// The pattern of a workbook's own folder, inside the user's temporary folder. That folder must
// be an existing directory the user can write: for a TMPDIR that does not exist Qt answers an
// empty path, which would put the workbook's folder at the filesystem root.
QString privateFolderPattern()
{
    const QString temporary = QDir::tempPath();
    const QFileInfo folder(temporary);
    if (temporary.isEmpty() || !folder.isDir() || !folder.isWritable())
        raiseError(Error::PathFileAccess);
    return QDir(folder.absoluteFilePath()).filePath(QStringLiteral("tessaro-XXXXXX"));
}

} // namespace

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

Workbook::Workbook() : m_folder(privateFolderPattern())
{
    if (!m_folder.isValid())
        raiseError(Error::PathFileAccess);
    m_path = m_folder.filePath(QStringLiteral("Tessaro.xlsx"));
    createPrivateFile(m_path);
    // libxlsxwriter's own temporary files go to the private folder too.
    m_folderBytes = QFile::encodeName(m_folder.path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_folderBytes.data();
    m_book = workbook_new_opt(QFile::encodeName(m_path).constData(), &options);
    if (!m_book)
        raiseError(Error::PathFileAccess);
    m_formats = std::make_unique<CellFormats>(m_book);
    WorksheetsAdd(SheetName);
}

Worksheet& Workbook::WorksheetsAdd(const QString& name)
{
    for (const std::unique_ptr<Worksheet>& sheet : m_sheets) {
        if (name.compare(sheet->Name(), Qt::CaseInsensitive) == 0)
            raiseWriterError(QStringLiteral("The sheet %1 is already there").arg(name));
    }
    lxw_worksheet* sheet = workbook_add_worksheet(m_book, name.toUtf8().constData());
    if (!sheet)
        raiseWriterError(QStringLiteral("The sheet %1 cannot be added").arg(name));
    m_sheets.push_back(std::unique_ptr<Worksheet>(new Worksheet(name, sheet, *m_formats)));
    return *m_sheets.back();
}

// An unsaved workbook is closed all the same (libxlsxwriter frees it only there); its folder
// goes with the QTemporaryDir.
Workbook::~Workbook()
{
    if (m_book)
        workbook_close(m_book);
}

Worksheet& Workbook::Worksheets(const QString& name)
{
    for (const std::unique_ptr<Worksheet>& sheet : m_sheets) {
        if (name.compare(sheet->Name(), Qt::CaseInsensitive) == 0)
            return *sheet;
    }
    raiseError(Error::SubscriptOutOfRange);
}

std::exception_ptr Workbook::save()
{
    std::exception_ptr refused;
    for (const std::unique_ptr<Worksheet>& sheet : m_sheets) {
        try {
            sheet->finish();
        } catch (...) {
            if (!refused)
                refused = std::current_exception();
        }
    }
    const lxw_error closed = workbook_close(m_book);
    m_book = nullptr;
    check(closed);
    m_folder.setAutoRemove(false);
    return refused;
}

Application::Application(NotOpened notOpened) : m_notOpened(std::move(notOpened)) {}

Application::~Application()
{
    skipFailure("~Application", [this] { release(); });
}

Workbook& Application::WorkbooksAdd()
{
    m_books.push_back(std::unique_ptr<Workbook>(new Workbook()));
    return *m_books.back();
}

Range Application::Selection()
{
    if (m_books.empty())
        raiseError(Error::ObjectVariableNotSet);
    return m_books.back()->m_sheets.front()->Cells(1, 1);
}

void Application::release()
{
    if (m_released)
        return;
    m_released = true;
    const std::vector<std::unique_ptr<Workbook>> books = std::move(m_books);
    if (!m_visible)
        return;
    for (const auto& book : books) {
        const std::exception_ptr refused = book->save();
        if (!openSpreadsheet(book->FullName()) && m_notOpened)
            m_notOpened(book->FullName());
        if (refused)
            std::rethrow_exception(refused);
    }
}

} // namespace tessaro::spreadsheet

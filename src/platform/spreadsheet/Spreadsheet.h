#pragma once

// A small spreadsheet application: it holds workbooks, a workbook holds the sheet "Foglio1" (and
// any added after it),
// and ranges of that sheet take values, number formats, bold and horizontal alignment. A
// workbook is a real .xlsx written with libxlsxwriter.
//
// The sheet is streamed to disk a row at a time, so memory does not grow with the rows
// written: cells are set row by row, and a row can no longer change once a later row has been
// touched. A number format set on the whole sheet or on a column applies to the empty cells and
// to the rows still to be written, so it is set before the values, as a new sheet is laid out.
//
// Failures throw tessaro::Error: 75 (path/file access) when the user's temporary folder
// (QDir::tempPath(), from TMPDIR) is not an existing writable directory, or when the workbook's
// file cannot be made or written, 9 for an unknown sheet name, 91 for a selection without workbook, 1004 for
// anything the writer refuses (a text over 32767 characters, a cell outside the sheet, a row
// already written, an unknown alignment, a cell property set on more than one cell).

#include "platform/spreadsheet/TypedNumber.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;

namespace tessaro::spreadsheet {

class CellFormats;
class Worksheet;

/// The horizontal alignments of a cell, by the numbers the export passes.
enum HorizontalAlignment : int {
    xlGeneral = 1,
    xlLeft = -4131,
    xlCenter = -4108,
    xlRight = -4152,
};

/// The error number of a call the spreadsheet refuses.
constexpr int ApplicationDefinedError = 1004;

/// Throws tessaro::Error 1004 with `description`.
[[noreturn]] void raiseWriterError(const QString& description);

/// Throws for a libxlsxwriter result other than success: 75 when a file could not be made, else
/// 1004 with the library's own description.
void check(int lxwError);

/// Rows and columns of a sheet, counted from 1.
constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

/// A block of cells of one worksheet: a single cell, a whole column, every cell, or the current
/// region. A handle: it holds no values and stays usable while its worksheet lives.
class Range {
public:
    /// Value of a single cell. Under any number format but "@" a text that reads as a number
    /// in the user's locale becomes a number cell (as the spreadsheet turns typed numbers);
    /// otherwise the text is kept as it is. An empty text leaves the cell blank.
    void setValue(const QString& value) const;
    /// "General", "@" or any spreadsheet number format, for a cell, a column or every cell.
    void setNumberFormat(const QString& format) const;
    /// Bold type for a single cell.
    void setBold(bool bold) const;
    /// One of HorizontalAlignment, for a single cell.
    void setHorizontalAlignment(int alignment) const;

    /// The block of written cells around the range: from A1 to the last row and column set.
    Range CurrentRegion() const;
    /// Each column of the range that holds a value gets the width of its
    /// widest text; empty columns keep the standard width.
    void autoFitColumns() const;
    /// Fits the rows: rows are never given a fixed height, so the spreadsheet program already
    /// shows each one fitted to its cells; nothing is left to change.
    void autoFitRows() const;

private:
    friend class Worksheet;
    enum class Kind { Cell, Column, Sheet, Region };
    Range(Worksheet& sheet, Kind kind, int row, int column)
        : m_sheet(&sheet), m_kind(kind), m_row(row), m_column(column)
    {
    }
    void requireCell() const;

    Worksheet* m_sheet;
    Kind m_kind;
    int m_row;    // the cell's row, or the region's last row
    int m_column; // the cell's or column's column, or the region's last column
};

/// The one sheet of a workbook.
class Worksheet {
public:
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    QString Name() const { return m_name; }
    /// Every cell.
    Range Cells();
    /// One cell; outside the sheet throws 1004.
    Range Cells(int row, int column);
    /// One whole column; outside the sheet throws 1004.
    Range Columns(int column);

private:
    friend class Range;
    friend class Workbook;

    // A cell of the row being written.
    struct Cell {
        enum class Content : unsigned char { Blank, Text, Number };
        bool touched = false;
        Content content = Content::Blank;
        bool bold = false;
        int alignment = xlGeneral;
        int numberFormat = -1; // the cell's own, -1 = its column's
        double number = 0;
        QString text; // as set, for a number too: its width is measured from it
    };

    Worksheet(const QString& name, lxw_worksheet* sheet, CellFormats& formats);

    Cell& cell(int row, int column);
    void setValue(int row, int column, const QString& value);
    int numberFormatOf(int column) const;
    void setSheetNumberFormat(int format);
    void setColumnNumberFormat(int column, int format);
    void measure(int column, const Cell& cell);
    void fitColumns(int first, int last);
    void flushRow();
    void writeColumns();
    void finish();

    QString m_name;
    lxw_worksheet* m_sheet;
    CellFormats& m_formats;
    TypedNumber m_numbers; // as the user's locale reads them
    int m_sheetFormat;
    std::vector<int> m_columnFormats; // by column from 1; -1 = the sheet's format
    std::vector<double> m_measured;   // widest text by column, in characters
    std::vector<double> m_fitted;     // width chosen by autoFitColumns; 0 = standard
    int m_row = 0;                    // the row being written; 0 before the first
    std::vector<Cell> m_cells;        // its cells by column
    int m_lastRow = 0;                // the block of values written so far
    int m_lastColumn = 0;
};

/// A new workbook with one sheet, "Foglio1", in the file FullName() of a folder of its own
/// that only the user can read, made directly inside the user's temporary folder; nothing is
/// made anywhere else.
class Workbook {
public:
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    /// The sheet with that name, compared without regard to case; any other throws 9.
    Worksheet& Worksheets(const QString& name);
    /// A new sheet after the others, written on its own (rows of each sheet in order, the
    /// sheets in any order); a name already there, or one the writer refuses, throws 1004.
    Worksheet& WorksheetsAdd(const QString& name);
    QString FullName() const { return m_path; }

private:
    friend class Application;
    Workbook();
    /// Writes the .xlsx and leaves it and its folder in place. A cell refused while the last
    /// row is written is returned, the rest being saved all the same; throws when the file
    /// cannot be written.
    std::exception_ptr save();

    QTemporaryDir m_folder;
    QString m_path;
    QByteArray m_folderBytes;
    std::unique_ptr<CellFormats> m_formats;
    lxw_workbook* m_book = nullptr;
    std::vector<std::unique_ptr<Worksheet>> m_sheets; ///< "Foglio1" first
};

/// The spreadsheet application. Hidden until made visible; releasing it (release() or the
/// destructor) saves each workbook of a visible application and hands it to
/// openSpreadsheet(), so the user sees it in a spreadsheet program; nothing removes its file and
/// folder then. A hidden application's workbooks are discarded with their folders.
class Application {
public:
    /// Told the path of each saved workbook that openSpreadsheet() could not open.
    using NotOpened = std::function<void(const QString& xlsxPath)>;

    /// `notOpened` (may be empty) is called from release(), also when the destructor releases.
    explicit Application(NotOpened notOpened = {});
    /// Releases the application if release() was not called; failures are swallowed, so a
    /// visible application keeps what was written even when the work was cut short.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /// A new workbook, which becomes the active one.
    Workbook& WorkbooksAdd();
    bool Visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    /// The first cell of the active workbook's sheet, where a new workbook's selection stands.
    /// Throws 91 when there is no workbook.
    Range Selection();
    /// Lets go of the application as described above; failures are thrown. Runs once.
    void release();

private:
    std::vector<std::unique_ptr<Workbook>> m_books;
    NotOpened m_notOpened;
    bool m_visible = false;
    bool m_released = false;
};

} // namespace tessaro::spreadsheet

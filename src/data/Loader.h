#pragma once

// Loading the host's query into the list: opening it, checking the connection, filling the
// current page and its row icons.

#include "platform/controls/ControlParts.h"

#include <QSqlDatabase>
#include <QString>

#include <memory>

class QWidget;

namespace tessaro {

class LoadPacer;

namespace sql {
struct ResultHolder;
}

namespace data {

/// A new control starts with no connection, no query, no check boxes and no image column.
struct LoadSettings {
    QSqlDatabase DBConnection;
    QString Query;
    bool CheckBoxes = false;
    int ColonnaIndiceImmagine = 0;
};

/// The statement that proves a session still answers.
inline const QString kProbeStatement = QStringLiteral("SELECT 1;");
/// An empty image cell shows the first image.
inline const QString kFirstImage = QStringLiteral("1");

/// `control`, `results`, `settings` and `pacer` are referred to, not copied: all belong to
/// `control`, which owns the loader; the result set, the columns, the images and the list are
/// asked of `parts` at each use. A routine that may show a message box returns at once when
/// `control` is gone after it; the caller asks its own guard after each call. A fill made while
/// `pacer` is busy is paced by it.
class Loader {
public:
    Loader(QWidget& control, ControlParts parts, sql::ResultHolder& results, LoadSettings& settings, LoadPacer& pacer);

    /// Opens the query afresh and makes one empty column descriptor per field. A set that was
    /// not open and a query that cannot open are passed over: the set stays closed, no columns.
    void openQuery();
    /// Whether the connection is open. A session that no longer answers the probe is closed and
    /// opened again, with the query; a query that is not open is reopened the same way. Every
    /// failure on the way is skipped; a connection still closed is told in a warning box.
    bool ConnessioneAttiva();
    /// Fills the list with the current page (or every row when unpaged), the list holding the
    /// image list first when an image column is set; reports its failures.
    void fillPage();
    /// Gives each row the image its image column names, when an image column is set; an image
    /// number that is not in the image list is reported and stops at its row.
    void CaricaIcone();
    /// fillPage, then CaricaIcone while the control is still there.
    void loadCurrentPage();

private:
    void reopenQuery();

    QWidget& m_control;
    ControlParts m_parts;
    sql::ResultHolder& m_results;
    LoadSettings& m_settings;
    LoadPacer& m_pacer;
};

} // namespace data
} // namespace tessaro

#pragma once

// What the host gives the control to load: the connection, the query and how rows are shown.

#include <QSqlDatabase>
#include <QString>

namespace tessaro::data {

/// A new control starts with no connection, no query, no check boxes and no image column.
struct LoadSettings {
    QSqlDatabase DBConnection;
    QString Query;
    bool CheckBoxes = false;
    int ColonnaIndiceImmagine = 0;
};

} // namespace tessaro::data

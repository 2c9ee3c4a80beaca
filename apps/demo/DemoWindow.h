#pragma once

#include <tessaro/Tessaro.h>

#include <QMainWindow>
#include <QSqlDatabase>

namespace demo {

/// The demo host: one Tessaro list over a database, with menus to change the language, the
/// query and the database, and a status bar showing the key of the row clicked or entered (cleared
/// when another page loads).
class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit DemoWindow(const QString& dataDirectory, QWidget* parent = nullptr);

    /// The query shown by the next load instead of the sample's (the first field is the row key).
    void setQuery(const QString& query) { m_query = query; }

    /// Opens the SQLite file at `path` and shows the current query on it.
    bool openSqlite(const QString& path);

    /// Shows page `page` of the list: a number, or "last".
    void goToPage(const QString& page);

    /// Shows the list's texts in `language`, one of tessaro::shippedLanguages(); false (with the
    /// reason in the status bar) when it cannot.
    bool setLanguage(const QString& language);

    /// Clicks the list's child control `name` as the user would.
    void clickChild(const QString& name);

    /// Sorts the list by column `column` (from 1), descending when asked.
    void sortBy(int column, bool descending);

    /// Sets the width of column `column` (from 1) in twips, as the user's drag would.
    void setColumnWidth(int column, double twips);

    /// Prints a line on stdout for every load ("page 1 rows 24 pages-of 24 fits yes": whether the
    /// last row shows whole, without a scroll bar) with the places to click ("at NAME x y"; the
    /// list's rows and scroll bars as "at list left top width height"), for every status bar
    /// message and for every search column chosen.
    void printStateLines();

private:
    void showKey(tessaro::ListItem* item);
    void printPlaces();
    void buildMenus();
    void load();
    void describeColumns();
    void editQuery();
    void chooseSqliteFile();
    void connectPostgres();
    void switchLanguage(const QString& language);
    void useDatabase(const QSqlDatabase& db);

    QString m_dataDirectory;
    QString m_query;
    QString m_connectionName;
    tessaro::Tessaro* m_list;
};

} // namespace demo

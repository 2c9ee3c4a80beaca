#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace tessaro {
class ListItem;
class ListView;
} // namespace tessaro

namespace tessaro::test {

/// A private SQLite database in memory for one test, removed with the object.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    QSqlDatabase& db() { return m_db; }

    /// Runs one statement; fails the test with the database's message when it fails.
    void exec(const QString& sql);
    /// Creates table `name`(id INTEGER PRIMARY KEY, name TEXT, amount REAL) with `rows` rows:
    /// id i, name "row i", amount i * 1.5.
    void createNumbered(const QString& name, int rows);

private:
    QString m_name;
    QSqlDatabase m_db;
};

/// The texts of an item's columns, first column first: the whole row as the user sees it.
QStringList rowTexts(ListItem* item, int columns);

/// The item texts (column 1) of every row of the list.
QStringList firstColumn(const ListView& list);

} // namespace tessaro::test

#include "support/TestDatabase.h"

#include <tessaro/ListView.h>

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace tessaro::test {

TestDatabase::TestDatabase() : m_name(QUuid::createUuid().toString())
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    m_db.setDatabaseName(QStringLiteral(":memory:"));
    EXPECT_TRUE(m_db.open()) << m_db.lastError().text().toStdString();
}

TestDatabase::~TestDatabase()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

void TestDatabase::exec(const QString& sql)
{
    QSqlQuery query(m_db);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
}

void TestDatabase::createNumbered(const QString& name, int rows)
{
    exec(QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, name TEXT, amount REAL)").arg(name));
    exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                        "INSERT INTO %1 SELECT i, 'row ' || i, i * 1.5 FROM n")
             .arg(name)
             .arg(rows));
}

QStringList rowTexts(ListItem* item, int columns)
{
    QStringList texts{item->Text()};
    for (int k = 1; k < columns; ++k)
        texts << item->SubItems(k);
    return texts;
}

QStringList firstColumn(const ListView& list)
{
    QStringList texts;
    for (ListItem* item : list.ListItems())
        texts << item->Text();
    return texts;
}

} // namespace tessaro::test

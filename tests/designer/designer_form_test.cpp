// A form laid out in Qt Designer and compiled by uic holds the control as any host's form does.
#include "support/MessageBoxRecorder.h"
#include "ui_OrdersForm.h"

#include <tessaro/Tessaro.h>

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kConnection = QStringLiteral("designer_form");

// A private SQLite database in memory, its connection removed with the object.
struct MemoryDatabase {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    ~MemoryDatabase() { db = QSqlDatabase(), QSqlDatabase::removeDatabase(kConnection); }
};

} // namespace

TEST(DesignerForm, ControlOfACompiledFormListsTheRowsOfItsQuery)
{
    MemoryDatabase database;
    database.db.setDatabaseName(QStringLiteral(":memory:"));
    ASSERT_TRUE(database.db.open()) << database.db.lastError().text().toStdString();
    QSqlQuery query(database.db);
    for (const char* sql : {"CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, city TEXT)",
                            "INSERT INTO orders VALUES (7, 'Rossi', 'Torino'), (9, 'Bianchi', 'Bari'), (12, 'Verdi', 'Como')"})
        ASSERT_TRUE(query.exec(QString::fromLatin1(sql))) << query.lastError().text().toStdString();
    tessaro::test::MessageBoxRecorder boxes;

    QWidget form;
    Ui::OrdersForm ui;
    ui.setupUi(&form);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    auto* list = form.findChild<tessaro::Tessaro*>(QStringLiteral("lstOrders"));
    ASSERT_NE(list, nullptr);
    // The properties set in Designer reach the control through the generated code.
    EXPECT_EQ(list->Query().toStdString(), "SELECT id, customer, city\nFROM orders\nORDER BY id");
    EXPECT_TRUE(list->IntestazioneVisibile());

    list->setDBConnection(database.db);
    list->Init_class(QStringLiteral("DesignerFormTest"), true);
    list->PopulateList();

    EXPECT_TRUE(boxes.messages().empty()) << boxes.messages().front().text.toStdString();
    ASSERT_NE(list->ListView, nullptr);
    QStringList rows;
    for (tessaro::ListItem* item : list->ListView->ListItems())
        rows << QStringLiteral("%1 %2 %3").arg(item->Tag().toString(), item->Text(), item->SubItems(1));
    EXPECT_EQ(rows, QStringList({"7 Rossi Torino", "9 Bianchi Bari", "12 Verdi Como"}));
}

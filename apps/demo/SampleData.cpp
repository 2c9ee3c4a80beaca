#include "SampleData.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace demo {
namespace {

const char* const kCustomers[] = {"Rossi S.p.A.", "Bianchi & Figli", "Verdi Trasporti", "Neri Costruzioni",
                                  "Gallo Alimentari", "Costa Ottica", "Fontana Arredi", "Moretti Tessile",
                                  "Ricci Informatica", "Marino Viaggi", "Greco Farmaceutici", "Bruno Energia"};
const char* const kCities[] = {"Milano", "Roma", "Torino", "Napoli", "Bologna", "Firenze",
                               "Genova", "Venezia", "Verona", "Palermo", "Bari", "Trieste"};

bool fillOrders(QSqlDatabase& db, int orders, QString* error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, city TEXT, "
                                   "amount REAL, quantity INTEGER, ordered TEXT, icon INTEGER)"))) {
        *error = query.lastError().text();
        return false;
    }
    db.transaction();
    query.prepare(QStringLiteral("INSERT INTO orders VALUES (?, ?, ?, ?, ?, ?, ?)"));
    QRandomGenerator random(20261205); // the same sample on every machine
    const QDate first(2020, 1, 1);
    for (int id = 1; id <= orders; ++id) {
        query.addBindValue(id);
        query.addBindValue(QString::fromUtf8(kCustomers[random.bounded(12)]));
        query.addBindValue(QString::fromUtf8(kCities[random.bounded(12)]));
        query.addBindValue(random.bounded(1000000) / 100.0);
        query.addBindValue(random.bounded(1, 250));
        query.addBindValue(first.addDays(random.bounded(2190)).toString(Qt::ISODate)
                           + QStringLiteral(" %1:%2:00").arg(random.bounded(8, 19), 2, 10, QLatin1Char('0'))
                                 .arg(random.bounded(60), 2, 10, QLatin1Char('0')));
        query.addBindValue(random.bounded(1, 4));
        if (!query.exec()) {
            *error = query.lastError().text();
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

} // namespace

QString dataDirectory()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
    return dir;
}

bool ensureSampleDatabase(const QString& path, int orders, QString* error)
{
    if (QFileInfo::exists(path))
        return true;
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo-sample"));
        db.setDatabaseName(partial);
        ok = db.open() && fillOrders(db, orders, error);
        if (!ok && error->isEmpty())
            *error = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo-sample"));
    // Renamed only when complete, so an interrupted first run never leaves half a sample.
    return ok && QFile::rename(partial, path);
}

QString sampleQuery()
{
    return QStringLiteral("SELECT id, customer AS Cliente, city AS \"Città\", amount AS Importo, "
                          "quantity AS \"Quantità\", ordered AS Data, icon AS Stato FROM orders ORDER BY id");
}

} // namespace demo

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

constexpr int kLanguageKeys = 29;

// Every key LE01..LE29 in both languages; the record count reads "<LE06> n <LE07>", and
// "<LE06> n <LE29> total <LE07>" while a long load runs and after it was stopped.
const char* const kItalian[kLanguageKeys] = {
    "Errore", "Attenzione", "Impossibile collegarsi al database.", "La colonna scelta non è numerica.",
    "Scegliere una colonna.", "Sono presenti", "record", "in", "pagine", "Vai alla pagina ",
    "Nessun record presente", "Un solo record presente", "Dividi in pagine \u00bb   ", "Pag. ",
    "Carica tutti \u00bb   ", "Tutti", "Selezionati", "in", "Cerca", "Totali della colonna",
    "su tutte le righe", "Le celle vuote sono state ignorate.", "Numero valori", "Media", "Minimo",
    "Massimo", "sulle righe selezionate", "Totali", "di"};
const char* const kEnglish[kLanguageKeys] = {
    "Error", "Warning", "Cannot connect to the database.", "The chosen column is not numeric.",
    "Choose a column.", "There are", "records", "in", "pages", "Go to page ",
    "No records", "One record", "Divide into pages \u00bb   ", "Page ",
    "Load all \u00bb   ", "All", "Selected", "in", "Find", "Totals of column",
    "over all rows", "Blank cells were skipped.", "Number of values", "Average", "Minimum",
    "Maximum", "over the selected rows", "Totals", "of"};

bool writeLanguageFile(const QString& path, const char* const (&texts)[kLanguageKeys], QString* error)
{
    QByteArray content = "[Strings]\r\n";
    for (int i = 0; i < kLanguageKeys; ++i)
        content += QStringLiteral("LE%1=\"%2\"\r\n").arg(i + 1, 2, 10, QLatin1Char('0')).arg(QString::fromUtf8(texts[i])).toUtf8();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

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

bool chooseLanguage(const QString& directory, const QString& language, QString* error)
{
    QFile file(QDir(directory).filePath(QStringLiteral("LangSetting.ini")));
    const QByteArray content = "[Language]\r\nCurrentLanguage=" + language.toUtf8() + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

bool ensureLanguageFiles(const QString& directory, QString* error)
{
    QDir dir(directory);
    dir.mkpath(QStringLiteral("."));
    if (!dir.exists(QStringLiteral("Italiano.lng")) && !writeLanguageFile(dir.filePath(QStringLiteral("Italiano.lng")), kItalian, error))
        return false;
    if (!dir.exists(QStringLiteral("English.lng")) && !writeLanguageFile(dir.filePath(QStringLiteral("English.lng")), kEnglish, error))
        return false;
    return dir.exists(QStringLiteral("LangSetting.ini")) || chooseLanguage(directory, QStringLiteral("Italiano"), error);
}

QString sampleQuery()
{
    return QStringLiteral("SELECT id, customer AS Cliente, city AS \"Città\", amount AS Importo, "
                          "quantity AS \"Quantità\", ordered AS Data, icon AS Stato FROM orders ORDER BY id");
}

} // namespace demo

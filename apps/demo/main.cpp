// tessaro-demo: shows the Tessaro list over a sample orders database.
//   tessaro-demo [--screenshot FILE] [--database FILE.sqlite] [--query SQL] [--page N|last] [--load-all]
//                [--language NAME]
#include "DemoWindow.h"
#include "SampleData.h"

#include <tessaro/Languages.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaro-demo"));
    QApplication::setOrganizationName(QStringLiteral("Tessaro"));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Render the window, save it to FILE and exit."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("database"), QStringLiteral("Open this SQLite file instead of the sample."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("query"), QStringLiteral("Show this SQL instead of the sample query."),
                      QStringLiteral("SQL")});
    parser.addOption({QStringLiteral("page"), QStringLiteral("After loading, go to page N (or \"last\")."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("load-all"), QStringLiteral("After loading, click \"load all\" in the page bar.")});
    parser.addOption({QStringLiteral("language"),
                      QStringLiteral("Show the list's texts in NAME: %1.").arg(tessaro::shippedLanguages().join(", ")),
                      QStringLiteral("NAME")});
    parser.process(app);

    const QString dataDirectory = demo::dataDirectory();
    QString error;
    const QString sample = QDir(dataDirectory).filePath(QStringLiteral("sample-orders.sqlite"));
    if (!parser.isSet(QStringLiteral("database")) && !demo::ensureSampleDatabase(sample, 100000, &error)) {
        std::fprintf(stderr, "tessaro-demo: cannot prepare the sample in %s: %s\n", qPrintable(dataDirectory),
                     qPrintable(error));
        return 1;
    }

    demo::DemoWindow window(dataDirectory);
    window.resize(900, 560);
    window.show();
    if (parser.isSet(QStringLiteral("language")) && !window.setLanguage(parser.value(QStringLiteral("language")))) {
        std::fprintf(stderr, "tessaro-demo: no language %s\n", qPrintable(parser.value(QStringLiteral("language"))));
        return 1;
    }
    if (parser.isSet(QStringLiteral("query")))
        window.setQuery(parser.value(QStringLiteral("query")));
    window.openSqlite(parser.isSet(QStringLiteral("database")) ? parser.value(QStringLiteral("database")) : sample);
    if (parser.isSet(QStringLiteral("page")))
        window.goToPage(parser.value(QStringLiteral("page")));
    if (parser.isSet(QStringLiteral("load-all")))
        window.clickChild(QStringLiteral("lblCaricatutti"));

    if (parser.isSet(QStringLiteral("screenshot"))) {
        const QString file = parser.value(QStringLiteral("screenshot"));
        QTimer::singleShot(300, &window, [&window, file] {
            const bool saved = window.grab().save(file);
            std::fprintf(saved ? stdout : stderr, saved ? "screenshot written to %s\n" : "cannot write %s\n",
                         qPrintable(file));
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}

// tessaro-demo: shows the Tessaro list over a sample orders database.
//   tessaro-demo [--screenshot FILE] [--database FILE.sqlite] [--query SQL] [--page N|last] [--load-all]
//                [--language NAME]
//                [--dark] [--sort COL[:desc]] [--column-width COL=TWIPS] [--hide-panel]
//                [--shot-of CHILD] [--zoom N] [--state]
#include "DemoWindow.h"
#include "SampleData.h"

#include <tessaro/Languages.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QMessageBox>
#include <QPalette>
#include <QStyleFactory>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

constexpr double kDesignedDpi = 96;
constexpr int kWindowWidth = 900;
constexpr int kWindowHeight = 560;
// Rows of the sample orders table: enough for many pages and a noticeable "load all".
constexpr int kSampleRows = 100000;
// How long the window is left to lay out and paint before a screenshot is taken.
constexpr int kScreenshotDelayMs = 300;

// A dark palette as a host's dark theme would set it, on the style that follows palettes fully.
void useDarkPalette(QApplication& app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    const QColor window(45, 45, 48), base(30, 30, 30), text(230, 230, 230), highlight(42, 130, 218);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, Qt::red);
    dark.setColor(QPalette::Highlight, highlight);
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::PlaceholderText, text.darker(150));
    dark.setColor(QPalette::Disabled, QPalette::Text, text.darker(170));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, text.darker(170));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, text.darker(170));
    QApplication::setPalette(dark);
}

void addOptions(QCommandLineParser& parser)
{
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
    parser.addOption({QStringLiteral("dark"), QStringLiteral("Use a dark palette.")});
    parser.addOption({QStringLiteral("hide-panel"), QStringLiteral("After loading, click the switch that hides the header panel.")});
    parser.addOption({QStringLiteral("shot-of"), QStringLiteral("With --screenshot, render only the list's child NAME."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("zoom"), QStringLiteral("With --screenshot, enlarge the picture N times, pixel by pixel."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("state"), QStringLiteral("Print a line for every load, status message and search column.")});
    parser.addOption({QStringLiteral("sort"), QStringLiteral("After loading, sort by column COL (from 1), \":desc\" descending."),
                      QStringLiteral("COL[:desc]")});
    parser.addOption({QStringLiteral("column-width"), QStringLiteral("After loading, make column COL (from 1) TWIPS wide."),
                      QStringLiteral("COL=TWIPS")});
}

// The options that act on the loaded list, in the order a user would click through them.
void applyAfterLoad(demo::DemoWindow& window, const QCommandLineParser& parser)
{
    if (parser.isSet(QStringLiteral("page")))
        window.goToPage(parser.value(QStringLiteral("page")));
    if (parser.isSet(QStringLiteral("load-all")))
        window.clickChild(QStringLiteral("lblCaricatutti"));
    if (parser.isSet(QStringLiteral("hide-panel")))
        window.clickChild(QStringLiteral("pctNascondi"));
    if (parser.isSet(QStringLiteral("column-width"))) {
        const QStringList parts = parser.value(QStringLiteral("column-width")).split(QLatin1Char('='));
        if (parts.size() == 2)
            window.setColumnWidth(parts[0].toInt(), parts[1].toDouble());
    }
    if (parser.isSet(QStringLiteral("sort"))) {
        const QStringList parts = parser.value(QStringLiteral("sort")).split(QLatin1Char(':'));
        window.sortBy(parts[0].toInt(), parts.value(1) == QLatin1String("desc"));
    }
}

// Once the window has painted, saves it (or one child) to the --screenshot file and quits.
void scheduleScreenshot(demo::DemoWindow& window, const QCommandLineParser& parser)
{
    const QString file = parser.value(QStringLiteral("screenshot"));
    const QString part = parser.value(QStringLiteral("shot-of"));
    const int zoom = std::max(1, parser.value(QStringLiteral("zoom")).toInt());
    QTimer::singleShot(kScreenshotDelayMs, &window, [&window, file, part, zoom] {
        QWidget* shown = part.isEmpty() ? &window : window.findChild<QWidget*>(part);
        QImage picture = (shown ? shown : &window)->grab().toImage();
        if (zoom > 1)
            picture = picture.scaled(picture.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const bool saved = picture.save(file);
        std::fprintf(saved ? stdout : stderr, saved ? "screenshot written to %s\n" : "cannot write %s\n",
                     qPrintable(file));
        QApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tessaro-demo"));
    QApplication::setOrganizationName(QStringLiteral("Tessaro"));

    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);
    if (parser.isSet(QStringLiteral("dark")))
        useDarkPalette(app);

    const QString dataDirectory = demo::dataDirectory();
    QString error;
    const QString sample = QDir(dataDirectory).filePath(QStringLiteral("sample-orders.sqlite"));
    if (!parser.isSet(QStringLiteral("database")) && !demo::ensureSampleDatabase(sample, kSampleRows, &error)) {
        std::fprintf(stderr, "tessaro-demo: cannot prepare the sample in %s: %s\n", qPrintable(dataDirectory),
                     qPrintable(error));
        return 1;
    }

    demo::DemoWindow window(dataDirectory);
    if (parser.isSet(QStringLiteral("state")))
        window.printStateLines();
    // The window's designed size at 96 dpi, grown with the screen's logical dpi as the list's twips are.
    const double scale = window.logicalDpiX() / kDesignedDpi;
    window.resize(qRound(kWindowWidth * scale), qRound(kWindowHeight * scale));
    window.show();
    if (parser.isSet(QStringLiteral("language")) && !window.setLanguage(parser.value(QStringLiteral("language")))) {
        std::fprintf(stderr, "tessaro-demo: no language %s\n", qPrintable(parser.value(QStringLiteral("language"))));
        return 1;
    }
    if (parser.isSet(QStringLiteral("query")))
        window.setQuery(parser.value(QStringLiteral("query")));
    window.openSqlite(parser.isSet(QStringLiteral("database")) ? parser.value(QStringLiteral("database")) : sample);
    applyAfterLoad(window, parser);
    if (parser.isSet(QStringLiteral("screenshot")))
        scheduleScreenshot(window, parser);
    return app.exec();
}

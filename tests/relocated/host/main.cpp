// A host of a moved install: prints the folder of the shipped English files and the caption
// the control shows for all rows once it took that folder.
#include <tessaro/Languages.h>
#include <tessaro/Tessaro.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString folder = tessaro::languageFolder(QStringLiteral("English"));
    if (folder.isEmpty())
        return 1;
    tessaro::Tessaro control;
    control.CambiaLingua(folder);
    const QObject* allRows = control.findChild<QObject*>(QStringLiteral("optTutti"));
    if (allRows == nullptr)
        return 1;
    std::printf("folder=%s\ncaption=%s\n", qPrintable(folder), qPrintable(allRows->property("Caption").toString()));
    return 0;
}

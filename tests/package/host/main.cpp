// A minimal host: places the control, sets its properties and lists its members.
#include <tessaro/Tessaro.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessaro::Tessaro control;
    control.setQuery(QStringLiteral("SELECT 1, 2"));
    control.Init_class(QStringLiteral("PackageHost"));
    if (control.ListView == nullptr || control.Query() != QStringLiteral("SELECT 1, 2"))
        return 1;
    for (const tessaro::Tessaro::Member& member : tessaro::Tessaro::members())
        std::printf("%s=0x%08X\n", qPrintable(member.name), member.dispatchId);
    return 0;
}

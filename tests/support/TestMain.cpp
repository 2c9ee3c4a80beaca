// Test entry point: the widgets under test need a QApplication on the main thread, and the
// controls' remembered settings must never reach the user's own configuration.
#include "support/MariadbServer.h"
#include "support/PostgresCluster.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    tessaro::test::PostgresCluster::shutdown();
    tessaro::test::MariadbServer::shutdown();
    return result;
}

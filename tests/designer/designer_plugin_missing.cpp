// Stands in for the Designer plugin tests when the plugin could not be built.
#include <gtest/gtest.h>

TEST(DesignerPlugin, NotBuilt)
{
    GTEST_SKIP() << "The Qt Designer plugin was not built: Qt's Designer development files "
                    "(qt6-tools-dev) were not found when the build was configured, or "
                    "TESSARO_BUILD_DESIGNER_PLUGIN is OFF";
}

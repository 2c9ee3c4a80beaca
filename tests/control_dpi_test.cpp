// The designed layout on other screens. CTest runs this file also at a logical dpi of 144 and
// 192 (QT_FONT_DPI) and at a device pixel ratio of 2 (QT_SCALE_FACTOR); every expectation is
// reasoned from the screen the test finds itself on.
#include <tessaro/Tessaro.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace tessaro;

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kDesignedDpi = 96;

struct Screen : ::testing::Test {
    Tessaro control;
    double perPixel = 0;

    Screen()
    {
        control.setIntestazioneVisibile(true);
        control.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&control));
        perPixel = kTwipsPerInch / control.logicalDpiX();
    }
    int pixels(double twips) const { return static_cast<int>(std::lround(twips / perPixel)); }
    QRect box(double left, double top, double width, double height) const
    {
        return {pixels(left), pixels(top), pixels(width), pixels(height)};
    }
    QWidget* child(const char* name) const { return control.findChild<QWidget*>(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(Screen, TwipsFollowTheLogicalDpi)
{
    SCOPED_TRACE(control.logicalDpiX());
    EXPECT_EQ(control.size(), QSize(qRound(9030 / perPixel), qRound(3765 / perPixel)));
    EXPECT_EQ(child("pctIntestazione")->geometry().height(), pixels(525));
    EXPECT_EQ(child("optTutti")->geometry(), box(7800, 15, 975, 225));
    EXPECT_EQ(child("cmdSomma")->geometry(), box(6975, 75, 405, 360));
    EXPECT_EQ(child("lstv")->geometry().top(), pixels(525)) << "the list under the shown panel";
}

// Captions are set in points, which grow with the dpi as the twips boxes do: each still fits.
TEST_F(Screen, CaptionsFitTheirBoxesAndPicturesGrowWithThem)
{
    SCOPED_TRACE(control.logicalDpiX());
    for (const char* name : {"Label1", "Label2", "optTutti", "optSelezionati"}) {
        QWidget* widget = child(name);
        EXPECT_LE(widget->sizeHint().width(), widget->width()) << name;
        EXPECT_LE(widget->fontMetrics().height(), widget->height()) << name;
    }
    const double scale = control.logicalDpiX() / kDesignedDpi;
    const qreal ratio = control.devicePixelRatioF();
    for (const char* name : {"cmdTrova", "cmdSomma", "cmdEsportaInExcel"}) {
        auto* button = static_cast<QAbstractButton*>(child(name));
        EXPECT_EQ(button->iconSize(), QSize(qRound(16 * scale), qRound(16 * scale))) << name;
        EXPECT_EQ(button->icon().pixmap(button->iconSize(), ratio).devicePixelRatio(), ratio)
            << name << ": drawn for the screen's pixels, not stretched";
    }
}

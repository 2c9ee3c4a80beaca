// The designed layout on other screens. CTest runs this file also at a logical dpi of 144 and
// 192 (QT_FONT_DPI) and at a device pixel ratio of 2 (QT_SCALE_FACTOR); every expectation is
// reasoned from the screen the test finds itself on.
#include "platform/controls/Contrast.h"

#include <tessaro/Tessaro.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

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
TEST_F(Screen, ContentsScaleWithTheirBoxes)
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

namespace {

// The pixels of `now` that contrast by at least 3 with the same pixel of `before` (or with
// `ground`, when it is valid), in pixels of the designed screen.
double pixelsStandingOut(const QImage& now, const QImage& before, double scale, const QColor& ground = {})
{
    int count = 0;
    for (int y = 0; y < std::min(now.height(), before.height()); ++y)
        for (int x = 0; x < std::min(now.width(), before.width()); ++x)
            count += now.pixel(x, y) != before.pixel(x, y)
                && contrastRatio(now.pixelColor(x, y), ground.isValid() ? ground : before.pixelColor(x, y)) >= 3;
    return count / (scale * scale * now.devicePixelRatio() * now.devicePixelRatio());
}

} // namespace

// In a light and a dark palette: each panel switch leaves at least as much ink that stands out on
// the ground beneath as a block of 12 by 7 pixels, and the keyboard focus on the find, totals and
// export buttons is a ring, as long as their outline at least, that stands out on the panel.
TEST_F(Screen, PanelMarksStandOutInAnyPalette)
{
    const double scale = control.logicalDpiX() / kDesignedDpi;
    QPalette dark;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(role, QColor(40, 40, 44));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(230, 230, 230));
    for (const auto& [name, palette] : {std::pair{"light", QPalette()}, {"dark", dark}}) {
        SCOPED_TRACE(name);
        control.setPalette(palette);
        for (const bool shown : {false, true}) {
            control.setIntestazioneVisibile(shown);
            QWidget* visibleSwitch = child(shown ? "pctNascondi" : "pctEstendi");
            const QImage with = control.grab().toImage();
            visibleSwitch->hide();
            const QImage without = control.grab().toImage();
            visibleSwitch->show();
            EXPECT_GE(pixelsStandingOut(with, without, scale), 12 * 7) << visibleSwitch->objectName().toStdString();
        }
        const QColor panel = child("pctIntestazione")->palette().color(QPalette::Window);
        child("txtRicerca")->setFocus(Qt::TabFocusReason);
        for (const char* button : {"cmdTrova", "cmdSomma", "cmdEsportaInExcel"}) {
            QWidget* widget = child(button);
            const QImage unfocused = widget->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), widget) << button;
            EXPECT_GE(pixelsStandingOut(widget->grab().toImage(), unfocused, scale, panel),
                      2 * (widget->width() + widget->height()) / scale) << button;
        }
    }
}

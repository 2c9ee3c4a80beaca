// What the clickable child controls count as a click: the left button pressed and released
// inside the control. The press stays with the control, never reaching the widget beneath.
#include "platform/controls/Image.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>


using namespace tessaro;

namespace {

struct PressCounter : QObject {
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        presses += event->type() == QEvent::MouseButtonPress;
        return false;
    }
};

} // namespace

TEST(ClickableControls, CountALeftPressAndReleaseInsideAsAClick)
{
    QWidget* (*const makers[])(QWidget*) = {[](QWidget* parent) -> QWidget* { return new Label("label", parent); },
        [](QWidget* parent) -> QWidget* { return new Image("image", parent); },
        [](QWidget* parent) -> QWidget* { return new PictureBox("picture", parent); }};
    for (const auto make : makers) {
        QWidget parent;
        PressCounter beneath;
        parent.installEventFilter(&beneath);
        QWidget* control = make(&parent);
        control->setGeometry(10, 10, 40, 20);
        parent.show();
        QSignalSpy clicks(control, SIGNAL(Click()));
        const QPoint inside(20, 10), outside(-5, 10);
        QTest::mouseClick(control, Qt::LeftButton, {}, inside);
        QTest::mouseClick(control, Qt::RightButton, {}, inside);
        QTest::mousePress(control, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(control, Qt::LeftButton, {}, outside);
        EXPECT_EQ(std::pair(int(clicks.count()), beneath.presses), std::pair(1, 0)) << "clicks, presses beneath";
    }
}

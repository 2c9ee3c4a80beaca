// The default message box: an empty handler brings it back, and its icon comes from the icon
// bits of the style alone, whatever button flags come with them.
#include <tessaro/MessageBox.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace tessaro;

namespace {

// Runs `show`, which must open a default box, and returns that box's icon; the box is closed
// from the event loop it runs.
QMessageBox::Icon iconShownBy(const std::function<int()>& show)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool found = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                icon = box->icon();
                found = true;
                box->accept();
            }
        }
    });
    EXPECT_EQ(show(), 1);
    EXPECT_TRUE(found);
    return icon;
}

} // namespace

// A handler set and then removed leaves the default box, with the icon of the style.
TEST(DefaultMessageBox, ShowsTheIconOfTheStyleOnceTheHandlerIsRemoved)
{
    int handled = 0;
    const MessageBoxHandler previous = setMessageBoxHandler([&](const QString&, int, const QString&) { return ++handled, 6; });
    EXPECT_EQ(MsgBox("text", MessageStyle::Question, "title"), 6);
    EXPECT_TRUE(setMessageBoxHandler({}));
    // Icon bits that name no icon (80) show none; buttons (4: Yes/No, the box shows OK), the
    // default button (256) and system modality (4096) leave the icon alone.
    const struct { int style; QMessageBox::Icon icon; } cases[] = {
        {16, QMessageBox::Critical}, {32, QMessageBox::Question}, {48, QMessageBox::Warning},
        {64, QMessageBox::Information}, {0, QMessageBox::NoIcon}, {80, QMessageBox::NoIcon},
        {16 + 4, QMessageBox::Critical}, {48 + 256, QMessageBox::Warning}, {64 + 4096, QMessageBox::Information},
    };
    for (const auto& [style, icon] : cases)
        EXPECT_EQ(iconShownBy([&, style = style] { return MsgBox("text", style, "title"); }), icon) << "style " << style;
    EXPECT_EQ(handled, 1);
    setMessageBoxHandler(previous);
}

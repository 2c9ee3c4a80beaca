#include <tessaro/MessageBox.h>

#include "platform/HostHook.h"

#include <QApplication>
#include <QMessageBox>

namespace tessaro {
namespace {

// The bits of a style that choose the icon. The default box shows OK whatever buttons the other
// bits ask for.
constexpr int kIconMask = 0x70;
// What MsgBox returns for the OK button.
constexpr int kOkButton = 1;

thread_local HostHook<MessageBoxHandler> messageBox;

QMessageBox::Icon iconOf(int style)
{
    switch (static_cast<MessageStyle>(style & kIconMask)) {
    case MessageStyle::Critical: return QMessageBox::Critical;
    case MessageStyle::Question: return QMessageBox::Question;
    case MessageStyle::Exclamation: return QMessageBox::Warning;
    case MessageStyle::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

int showModalMessageBox(const QString& text, int style, const QString& title)
{
    QMessageBox box(iconOf(style), title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return kOkButton;
}

} // namespace

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return messageBox.replace(std::move(handler));
}

int MsgBox(const QString& text, int style, const QString& title)
{
    return messageBox.call(showModalMessageBox, text, style, title);
}

} // namespace tessaro

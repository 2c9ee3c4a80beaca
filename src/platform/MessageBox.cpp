#include <tessaro/MessageBox.h>

#include <QApplication>
#include <QMessageBox>

namespace tessaro {
namespace {

int showModalMessageBox(const QString& text, int style, const QString& title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style & 0x70) {
    case 16: icon = QMessageBox::Critical; break;
    case 32: icon = QMessageBox::Question; break;
    case 48: icon = QMessageBox::Warning; break;
    case 64: icon = QMessageBox::Information; break;
    default: break;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
    return 1;
}

MessageBoxHandler& currentHandler()
{
    thread_local MessageBoxHandler handler;
    return handler;
}

} // namespace

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

int MsgBox(const QString& text, int style, const QString& title)
{
    // A copy: the handler may replace itself while it runs.
    const MessageBoxHandler handler = currentHandler();
    return handler ? handler(text, style, title) : showModalMessageBox(text, style, title);
}

} // namespace tessaro

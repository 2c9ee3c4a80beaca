#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <functional>

namespace tessaro {

/// The icon of a message; a `style` is one of these plus any button flags.
enum class MessageStyle : int { Critical = 16, Question = 32, Exclamation = 48, Information = 64 };

/// Shows a message to the user and returns the button chosen (1 for OK). `style` is a
/// MessageStyle value plus button flags.
using MessageBoxHandler = std::function<int(const QString& text, int style, const QString& title)>;

/// Replaces how the control shows its messages (the default is a modal QMessageBox with the icon
/// of `style`) for the calling thread's user interface. An empty handler restores the default.
/// Returns the handler that was in place before. A handler may replace itself while it runs; the
/// message in progress finishes with it.
TESSARO_EXPORT MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

/// Shows a message through the current handler and returns what it returns. The control
/// shows every message this way: errors in the critical style (16) titled LE01 of the language
/// file, warnings in the exclamation style (48) titled LE02, the totals in the information
/// style (64) titled LE28.
TESSARO_EXPORT int MsgBox(const QString& text, int style, const QString& title);
/// MsgBox() with the style by name.
inline int MsgBox(const QString& text, MessageStyle style, const QString& title)
{
    return MsgBox(text, static_cast<int>(style), title);
}

} // namespace tessaro

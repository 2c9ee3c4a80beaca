#pragma once

#include <tessaro/tessaro_export.h>

#include <QString>
#include <functional>

namespace tessaro {

/// Shows a message to the user and returns the button chosen (1 for OK). `style` is the classic
/// value: 16 critical, 48 exclamation, 64 information, plus button flags.
using MessageBoxHandler = std::function<int(const QString& text, int style, const QString& title)>;

/// Replaces how the control shows its messages (the default is a modal QMessageBox with the icon
/// of `style`) for the calling thread's user interface. An empty handler restores the default.
/// Returns the handler that was in place before. A handler may replace itself while it runs; the
/// message in progress finishes with it.
TESSARO_EXPORT MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

/// Shows a message through the current handler.
TESSARO_EXPORT int MsgBox(const QString& text, int style, const QString& title);

} // namespace tessaro

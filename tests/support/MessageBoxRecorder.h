#pragma once

#include <tessaro/MessageBox.h>

#include <QString>
#include <vector>

namespace tessaro::test {

/// Replaces the modal message box for its lifetime and keeps every message shown.
class MessageBoxRecorder {
public:
    struct Message {
        QString text;
        int style;
        QString title;
    };

    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    const std::vector<Message>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }

private:
    std::vector<Message> m_messages;
    MessageBoxHandler m_previous;
};

} // namespace tessaro::test

#include "support/MessageBoxRecorder.h"

namespace tessaro::test {

MessageBoxRecorder::MessageBoxRecorder()
{
    m_previous = setMessageBoxHandler([this](const QString& text, int style, const QString& title) {
        m_messages.push_back({text, style, title});
        return 1;
    });
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    setMessageBoxHandler(m_previous);
}

} // namespace tessaro::test

#pragma once

#include <QString>

// The one channel for non-fatal reports: the message window in the editor,
// standard error in the headless tool, a list in tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const QString& text) = 0;
};

#pragma once

#include <QString>
#include <QStringList>

// The one channel for non-fatal reports: the message window in the editor,
// standard error in the headless tool, a list in tests.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const QString& text) = 0;
};

// Keeps every report, in order: for callers without a window and for tests.
class CollectingSink : public MessageSink {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

// Drops every report: for benchmarks and fuzzing, where a million of them may come.
class QuietSink : public MessageSink {
public:
    void showMessage(const QString&) override {}
};

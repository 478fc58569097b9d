#pragma once

#include "core/model/MessageSink.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The message window: every subsystem reports here without interrupting the pupil.
// Messages accumulate, one per line, until OK clears them.
class mBoxF : public QWidget {
    Q_OBJECT
public:
    explicit mBoxF(QWidget* owner);

    void showMessage(const QString& text);
    QString text() const;

    // Past this many lines a flood of messages is counted, not shown one by one.
    static constexpr int maxLines = 1000;

    QPlainTextEdit* txtMessage;
    QPushButton* cmdOK;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOK_Click();
    void clearMessages();
    void showSummary();
    void appendLine(const QString& text);
    QString summaryLine() const;
    QString m_text;
    int m_lines = 0;
    int m_withheld = 0; // messages past maxLines
    bool m_summaryPending = false;
    int m_summaryAt = 0;           // where the summary line starts in the window
    qsizetype m_summaryTextAt = 0; // and in m_text
};

// Sends reports to a message window owned by `owner`, creating it on first use.
class MessageWindowSink : public MessageSink {
public:
    explicit MessageWindowSink(QWidget* owner) : m_owner(owner) {}
    void showMessage(const QString& text) override;
    mBoxF* window() const { return m_window; }

private:
    QWidget* m_owner;
    mBoxF* m_window = nullptr;
};

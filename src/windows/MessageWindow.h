#pragma once

#include "windows/MessageSink.h"

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

    QPlainTextEdit* txtMessage;
    QPushButton* cmdOK;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdOK_Click();
    QString m_text;
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

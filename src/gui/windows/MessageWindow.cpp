#include "gui/windows/MessageWindow.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTimer>
#include <QVBoxLayout>

mBoxF::mBoxF(QWidget* owner) : QWidget(owner, Qt::Window) {
    setWindowTitle(QStringLiteral("Μήνυμα"));
    if (owner)
        setWindowIcon(owner->windowIcon());
    txtMessage = new QPlainTextEdit(this);
    txtMessage->setReadOnly(true);
    QFont arial(QStringLiteral("Arial"));
    arial.setStyleHint(QFont::SansSerif);
    txtMessage->setFont(arial);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    connect(cmdOK, &QPushButton::clicked, this, &mBoxF::cmdOK_Click);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtMessage);
    layout->addWidget(cmdOK, 0, Qt::AlignHCenter);
    resize(420, 220);
}

void mBoxF::showMessage(const QString& text) {
    if (m_lines >= maxLines) {
        // One summary line, written once the flood has passed, instead of a redraw a message.
        ++m_withheld;
        if (!m_summaryPending) {
            m_summaryPending = true;
            QTimer::singleShot(0, this, &mBoxF::showSummary);
        }
        return;
    }
    ++m_lines;
    m_text += text + QStringLiteral("\r\n");
    // Appending costs the new line only; setting the whole text again grew with every line.
    appendLine(text);
    if (!isVisible())
        show();
    raise();
}

void mBoxF::appendLine(const QString& text) {
    QTextCursor cursor(txtMessage->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
                      QLatin1Char('\n'));
}

QString mBoxF::summaryLine() const {
    return QStringLiteral("... και ") + QString::number(m_withheld) +
           QStringLiteral(" ακόμη μηνύματα που δεν εμφανίζονται.");
}

void mBoxF::showSummary() {
    if (!m_summaryPending)
        return;
    m_summaryPending = false;
    if (m_lines > maxLines) {
        // Replaces the previous summary.
        QTextCursor cursor(txtMessage->document());
        cursor.setPosition(m_summaryAt);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        m_text.truncate(m_summaryTextAt);
    }
    m_lines = maxLines + 1;
    m_summaryAt = txtMessage->document()->characterCount() - 1;
    m_summaryTextAt = m_text.size();
    m_text += summaryLine() + QStringLiteral("\r\n");
    appendLine(summaryLine());
    show();
    raise();
}

QString mBoxF::text() const {
    return m_text;
}

void mBoxF::clearMessages() {
    m_text.clear();
    txtMessage->clear();
    m_lines = 0;
    m_withheld = 0;
    m_summaryPending = false;
}

void mBoxF::cmdOK_Click() {
    clearMessages();
    hide();
}

void mBoxF::closeEvent(QCloseEvent* event) {
    // Closing from the title bar discards the messages with the window.
    clearMessages();
    event->accept();
}

void MessageWindowSink::showMessage(const QString& text) {
    if (!m_window)
        m_window = new mBoxF(m_owner);
    m_window->showMessage(text);
}

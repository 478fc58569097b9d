#include "windows/MessageWindow.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
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
    m_text += text + QStringLiteral("\r\n");
    txtMessage->setPlainText(m_text);
    show();
    raise();
}

QString mBoxF::text() const {
    return m_text;
}

void mBoxF::cmdOK_Click() {
    m_text.clear();
    txtMessage->clear();
    hide();
}

void mBoxF::closeEvent(QCloseEvent* event) {
    // Closing from the title bar discards the messages with the window.
    m_text.clear();
    txtMessage->clear();
    event->accept();
}

void MessageWindowSink::showMessage(const QString& text) {
    if (!m_window)
        m_window = new mBoxF(m_owner);
    m_window->showMessage(text);
}

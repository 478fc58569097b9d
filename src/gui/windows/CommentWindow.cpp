#include "gui/windows/CommentWindow.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frm_comm::frm_comm(QWidget* owner) : QWidget(owner, Qt::Window) {
    if (owner)
        setWindowIcon(owner->windowIcon());
    text1 = new QPlainTextEdit(this);
    Command1 = new QPushButton(QStringLiteral("Έξοδος"), this);
    connect(Command1, &QPushButton::clicked, this, [this] {
        m_tag = QStringLiteral("1");
        hide();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    resize(460, 300);
}

QString frm_comm::commentText() const {
    // The diagram files keep CR LF line breaks in the comment.
    QString text = text1->toPlainText();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void frm_comm::setCommentText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text1->setPlainText(plain);
}

void frm_comm::toggle(const QString& title) {
    if (m_tag == QStringLiteral("1")) {
        setWindowTitle(title);
        show();
        raise();
        m_tag = QStringLiteral("0");
    } else {
        hide();
        m_tag = QStringLiteral("1");
    }
}

void frm_comm::closeEvent(QCloseEvent* event) {
    m_tag = QStringLiteral("1");
    event->accept();
}

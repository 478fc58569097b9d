#include "gui/windows/CommentWindow.h"
#include "gui/windows/PlainTextEdit.h"

#include "core/files/LineBreaks.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

frm_comm::frm_comm(QWidget* owner) : QWidget(owner, Qt::Window) {
    if (owner)
        setWindowIcon(owner->windowIcon());
    text1 = new PlainTextEdit(this);
    Command1 = new QPushButton(QStringLiteral("Έξοδος"), this);
    connect(Command1, &QPushButton::clicked, this, [this] {
        m_tag = QStringLiteral("1");
        hide();
    });
    connect(text1, &QPlainTextEdit::textChanged, this, [this] { m_boxHoldsText = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text1);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    resize(460, 300);
}

QString frm_comm::commentText() const {
    if (!m_boxHoldsText)
        return m_text;
    // The diagram files keep CR LF line breaks in the comment.
    return LineBreaks::toCrLf(text1->toPlainText());
}

void frm_comm::setCommentText(const QString& text) {
    m_text = text;
    const QSignalBlocker quiet(text1);
    text1->clear();
    m_boxHoldsText = false;
    if (isVisible())
        fillBox();
}

void frm_comm::fillBox() {
    if (m_boxHoldsText)
        return;
    text1->setPlainText(LineBreaks::toLf(std::exchange(m_text, QString())));
    m_boxHoldsText = true;
}

void frm_comm::showEvent(QShowEvent* event) {
    fillBox();
    QWidget::showEvent(event);
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

#include "gui/codegen/ProgramTextWindow.h"

#include "core/codegen/ProgramTextConversions.h"
#include "core/model/ModalQuestions.h"

#include <QAction>
#include <QEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using ProgramTextConversions::Result;

algorFrm::algorFrm(const QString& text, ModalQuestions& questions, QWidget* owner)
    : QDialog(owner), m_questions(questions) {
    setWindowTitle(QStringLiteral("Μετατροπή σε Ψευδογλώσσα"));
    auto* bar = new QMenuBar(this);
    basic = bar->addAction(QStringLiteral("Μετατροπή σε Basic"));
    pascal = bar->addAction(QStringLiteral("Μετατροπή σε Pascal"));
    pseudoglossa = bar->addAction(QStringLiteral("Ψευδογλώσσα"));
    EXIT_ = bar->addAction(QStringLiteral("ΕΞΟΔΟΣ"));
    connect(basic, &QAction::triggered, this, &algorFrm::basic_Click);
    connect(pascal, &QAction::triggered, this, &algorFrm::pascal_Click);
    connect(EXIT_, &QAction::triggered, this, &QWidget::hide);

    text1 = new QPlainTextEdit(this);
    text1->setReadOnly(true);
    text1->setTextInteractionFlags(Qt::NoTextInteraction);
    text1->setContextMenuPolicy(Qt::NoContextMenu);
    text1->setAcceptDrops(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(9);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    text1->setFont(font);
    text1->viewport()->installEventFilter(this);
    text1->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(text1);
    resize(560, 480); // wide enough for the four menu items
    setText(text);
    m_pseudo = text;
}

QString algorFrm::text() const {
    return m_text;
}

void algorFrm::setText(const QString& text) {
    m_text = text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text1->setPlainText(shown);
}

void algorFrm::Form_Activate() {
    basic->setEnabled(true);
    pascal->setEnabled(true);
    // Indented once: a later activation must not push the lines further right.
    if (!m_indented) {
        m_indented = true;
        setText(ProgramTextConversions::indent(m_text));
    }
}

void algorFrm::reportProblems(const QStringList& problems) {
    if (!problems.isEmpty())
        m_questions.messageBox(ProgramTextConversions::problemsMessage(problems),
                               QStringLiteral("Προσοχή"), ModalQuestions::Buttons::Ok);
}

bool algorFrm::convertToBasic(bool reportingProblems) {
    basic->setEnabled(false);
    pascal->setEnabled(false);
    setWindowTitle(QStringLiteral("Μετατροπή Ψευδογλώσσας σε πρόγραμμα Basic"));
    const Result result = ProgramTextConversions::toBasic(m_pseudo);
    if (result.status == Result::Status::Converted)
        setText(result.text);
    if (reportingProblems)
        reportProblems(result.problems);
    else if (result.status == Result::Status::Failed)
        m_questions.messageBox(ProgramTextConversions::failureMessage(), QString(),
                               ModalQuestions::Buttons::Ok);
    return result.status == Result::Status::Converted;
}

void algorFrm::basic_Click() {
    convertToBasic();
}

void algorFrm::pascal_Click() {
    convertToBasic(false);
    setWindowTitle(QStringLiteral("Μετατροπή Ψευδογλώσσας σε πρόγραμμα Pascal"));
    const Result result = ProgramTextConversions::toPascal(m_pseudo);
    if (result.status == Result::Status::Converted) {
        setText(result.text);
        reportProblems(result.problems);
    } else
        m_questions.messageBox(ProgramTextConversions::failureMessage(), QString(),
                               ModalQuestions::Buttons::Ok);
}

bool algorFrm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::DragMove:
    case QEvent::Drop: {
        // The caret goes back after the first character, with nothing selected.
        QTextCursor cursor = text1->textCursor();
        cursor.setPosition(std::min(1, int(text1->document()->characterCount()) - 1));
        text1->setTextCursor(cursor);
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void algorFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QDialog::changeEvent(event);
}

void algorFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

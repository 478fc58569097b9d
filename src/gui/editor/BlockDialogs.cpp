#include "gui/editor/BlockDialogs.h"

#include "core/editor/BlockCommands.h"
#include "core/editor/CanonicalText.h"
#include "core/editor/CommandCheck.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/MessageSink.h"
#include "core/model/ModalQuestions.h"
#include "gui/windows/CommandsHelp.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

BlockDialog::BlockDialog(cBck& block, ModalQuestions& questions, const QString& title,
                         const QString& labelText, QWidget* parent)
    : QDialog(parent), m_block(block), m_questions(questions) {
    setWindowTitle(title);
    label = new QLabel(labelText, this);
    m_box = new QLineEdit(this);
    m_box->setMinimumWidth(320);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    Command1 = new QPushButton(QStringLiteral("Άκυρο"), this);
    // Enter belongs to the text box alone, so that OK runs once.
    for (QPushButton* button : {cmdOK, Command1}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_box, &QLineEdit::returnPressed, this, [this] { cmdOK_Click(); });
    connect(m_box, &QLineEdit::textChanged, this, &BlockDialog::keepCanonical);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_box);
    layout->addLayout(buttons);
}

void BlockDialog::keepCanonical() {
    if (m_rewriting)
        return;
    const QString canonical = ucase_en_gr(m_box->text());
    if (canonical == m_box->text())
        return;
    const int caret = m_box->cursorPosition();
    m_rewriting = true;
    m_box->setText(canonical);
    m_box->setCursorPosition(caret);
    m_rewriting = false;
}

void BlockDialog::Command1_Click() {
    done(QDialog::Rejected);
}

void BlockDialog::refuse(const QString& message) {
    m_questions.messageBox(message, QString(), ModalQuestions::Buttons::Ok);
    m_box->setFocus();
}

void BlockDialog::refuse(const QString& heading, const CommandCheck::Refusal& refusal) {
    refuse(heading + QStringLiteral("\r\n") + refusal.message +
           QStringLiteral("\r\n(F1: πώς γράφονται οι εντολές)"));
    if (refusal.position >= 0)
        m_box->setCursorPosition(int(std::min<qsizetype>(refusal.position, m_box->text().size())));
}

// F1: how the commands are written, in a window beside the dialog.
void BlockDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        CommandsHelp::show(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

void BlockDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_box->setFocus();
}

Action_F::Action_F(cBck& block, ModalQuestions& questions, QWidget* parent)
    : BlockDialog(block, questions, QStringLiteral("Εκχώρηση σε Μεταβλητή ...."),
                  QStringLiteral("Εκχώρησε"), parent) {
    cboxVarName = m_box;
}

void Action_F::cmdOK_Click() {
    if (const auto refusal = CommandCheck::assignment(cboxVarName->text())) {
        refuse(QStringLiteral("Πρόβλημα Λάθος καταχώρηση"), *refusal);
        return;
    }
    if (BlockCommands::applyAssignment(m_block, cboxVarName->text()))
        done(QDialog::Accepted);
    else
        refuse(QStringLiteral("Πρόβλημα Λάθος καταχώρηση"));
}

Input_F::Input_F(cBck& block, ModalQuestions& questions, MessageSink& messages, QWidget* parent)
    : BlockDialog(block, questions, QStringLiteral("Είσοδος"),
                  QStringLiteral("Ποιά μεταβλητή θα διαβάζεται"), parent),
      m_messages(messages) {
    cboxVarName = m_box;
    lblVarName = label;
}

void Input_F::cmdOK_Click() {
    if (BlockCommands::applyInput(m_block, cboxVarName->text())) {
        done(QDialog::Accepted);
        return;
    }
    checkVarNameBox(cboxVarName, m_messages);
    refuse(QStringLiteral("Άκυρο όνομα μεταβλητής"));
}

Output_F::Output_F(cBck& block, ModalQuestions& questions, QWidget* parent)
    : BlockDialog(block, questions, QStringLiteral("Έξοδος"), QStringLiteral("Εκτύπωση ..."),
                  parent) {
    txtText = m_box;
    lblMessage = label;
    txtText->installEventFilter(this);
}

void Output_F::cmdOK_Click() {
    if (const auto refusal = CommandCheck::output(txtText->text())) {
        refuse(QStringLiteral("Πρόβλημα Λάθος καταχώρηση"), *refusal);
        return;
    }
    BlockCommands::applyOutput(m_block, txtText->text());
    done(QDialog::Accepted);
}

void Output_F::Command1_Click() {
    if (m_lastKey != 0)
        cmdOK_Click();
    else
        BlockDialog::Command1_Click();
}

bool Output_F::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtText && event->type() == QEvent::KeyPress)
        m_lastKey = static_cast<QKeyEvent*>(event)->key();
    return BlockDialog::eventFilter(watched, event);
}

void Output_F::showEvent(QShowEvent* event) {
    m_lastKey = 0;
    BlockDialog::showEvent(event);
}

If_Frm::If_Frm(cBck& block, const QString& kind, ModalQuestions& questions, QWidget* parent)
    : BlockDialog(block, questions, QStringLiteral("Δομή ") + kind,
                  QStringLiteral("Γράψε την σχέση "), parent),
      m_tag(kind) {
    cboxOperand1 = m_box;
    const char* const captions[] = {"Δομή Επιλογής", "Δομή Όσο..", "Δομή Μέχρις_Ότου"};
    const QString kinds[] = {BlockKinds::decision, BlockKinds::whileTest, BlockKinds::untilTest};
    auto* options = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        epanal[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        epanal[i]->setChecked(kinds[i] == kind);
        connect(epanal[i], &QRadioButton::clicked, this, [this, i] { epanal_Click(i + 1); });
        options->addWidget(epanal[i]);
    }
    static_cast<QVBoxLayout*>(layout())->insertLayout(2, options);
}

void If_Frm::epanal_Click(int option) {
    const QString kinds[] = {BlockKinds::decision, BlockKinds::whileTest, BlockKinds::untilTest};
    if (option < 1 || option > 3)
        return;
    m_tag = kinds[option - 1];
    epanal[option - 1]->setChecked(true);
    m_block.setZParam1(m_tag);
    setWindowTitle(QStringLiteral("Δομή ") + m_tag);
}

void If_Frm::cmdOK_Click() {
    if (const auto refusal = CommandCheck::condition(cboxOperand1->text())) {
        refuse(cboxOperand1->text().trimmed().isEmpty()
                   ? QStringLiteral("Πρέπει να γραφεί μια σχέση")
                   : QStringLiteral("Πρόβλημα Λάθος καταχώρηση"),
               *refusal);
        return;
    }
    if (BlockCommands::applyCondition(m_block, m_tag, cboxOperand1->text()))
        done(QDialog::Accepted);
    else
        refuse(QStringLiteral("Πρέπει να γραφεί μια σχέση"));
}

void If_Frm::showEvent(QShowEvent* event) {
    cboxOperand1->setText(BlockCommands::conditionBoxText(cboxOperand1->text(), m_tag));
    BlockDialog::showEvent(event);
}

void checkVarNameBox(QLineEdit* box, MessageSink& messages) {
    if (!IS_NAME_VAR(box->text()))
        messages.showMessage(QStringLiteral("Δεν είναι όνομα μεταβλητής το\r\n '") + box->text() +
                             QLatin1Char('\''));
}

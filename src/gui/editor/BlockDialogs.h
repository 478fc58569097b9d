#pragma once

#include "core/editor/CommandCheck.h"

#include <QDialog>

class MessageSink;
class ModalQuestions;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class cBck;

// The common frame of the four command dialogs: a label, a one-line text box kept in
// canonical capitals while the pupil types, "OK" and "Άκυρο". Enter confirms, Escape cancels.
// The dialog is accepted when the command was stored, rejected when it was cancelled.
class BlockDialog : public QDialog {
    Q_OBJECT
public:
    QLabel* label;
    QPushButton* cmdOK;
    QPushButton* Command1;

    // The text box of the dialog (cboxVarName, txtText or cboxOperand1).
    QLineEdit* textBox() const { return m_box; }

    virtual void cmdOK_Click() = 0;
    virtual void Command1_Click();

    void reject() override { Command1_Click(); }

protected:
    BlockDialog(cBck& block, ModalQuestions& questions, const QString& title,
                const QString& labelText, QWidget* parent);
    // Refuses OK with a message box; the pupil goes on typing.
    void refuse(const QString& message);
    // The dialog's heading, then what is wrong; the caret goes where it is.
    void refuse(const QString& heading, const CommandCheck::Refusal& refusal);
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    cBck& m_block;
    ModalQuestions& m_questions;
    QLineEdit* m_box;

private:
    void keepCanonical();
    bool m_rewriting = false;
};

// "Εκχώρηση σε Μεταβλητή ....": the assignment.
class Action_F : public BlockDialog {
    Q_OBJECT
public:
    Action_F(cBck& block, ModalQuestions& questions, QWidget* parent = nullptr);
    QLineEdit* cboxVarName;
    void cmdOK_Click() override;
};

// "Είσοδος": the variable an input reads.
class Input_F : public BlockDialog {
    Q_OBJECT
public:
    Input_F(cBck& block, ModalQuestions& questions, MessageSink& messages,
            QWidget* parent = nullptr);
    QLineEdit* cboxVarName;
    QLabel* lblVarName;
    // A wrong name is explained once, when OK is pressed: in a message box and in the
    // message window.
    void cmdOK_Click() override;

private:
    MessageSink& m_messages;
};

// "Έξοδος": the list an output writes.
class Output_F : public BlockDialog {
    Q_OBJECT
public:
    Output_F(cBck& block, ModalQuestions& questions, QWidget* parent = nullptr);
    QLineEdit* txtText;
    QLabel* lblMessage;
    void cmdOK_Click() override;
    // Once a key was pressed in the text box, "Άκυρο" keeps what was typed.
    void Command1_Click() override;
    // Escape and closing the window always cancel.
    void reject() override { BlockDialog::Command1_Click(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int m_lastKey = 0;
};

// "Δομή ...": the condition of a decision or a loop test, and which of the three it is.
class If_Frm : public BlockDialog {
    Q_OBJECT
public:
    If_Frm(cBck& block, const QString& kind, ModalQuestions& questions, QWidget* parent = nullptr);
    QLineEdit* cboxOperand1;
    QRadioButton* epanal[3];
    QString tag() const { return m_tag; }
    // Option 1, 2 or 3.
    void epanal_Click(int option);
    void cmdOK_Click() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_tag;
};

// Explains a wrong name in the box in the message window.
void checkVarNameBox(QLineEdit* box, MessageSink& messages);

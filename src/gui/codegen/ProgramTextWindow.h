#pragma once

#include <QDialog>

class ModalQuestions;
class QAction;
class QPlainTextEdit;

// "Μετατροπή σε Ψευδογλώσσα": shows the program text, indented, and rewrites it into BASIC
// or Pascal on request. The text can be read, never selected or changed.
class algorFrm : public QDialog {
    Q_OBJECT
public:
    algorFrm(const QString& text, ModalQuestions& questions, QWidget* owner = nullptr);

    QString text() const;
    void Form_Activate();
    void basic_Click();
    void pascal_Click();

    QPlainTextEdit* text1;
    QAction* basic;
    QAction* pascal;
    QAction* pseudoglossa;
    QAction* EXIT_;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setText(const QString& text);
    // The Pascal conversion goes through BASIC and reports its own problems.
    bool convertToBasic(bool reportProblems = true);
    // Says which expressions a conversion could not write.
    void reportProblems(const QStringList& problems);

    ModalQuestions& m_questions;
    QString m_text;
    // The pseudo-language the window was opened with: both conversions start from it.
    QString m_pseudo;
    bool m_indented = false;
};

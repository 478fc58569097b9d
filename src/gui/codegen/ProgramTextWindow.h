#pragma once

#include <QDialog>
#include <functional>

class ModalQuestions;
class QAction;
class QPrinter;
class QPlainTextEdit;

// "Μετατροπή σε Ψευδογλώσσα": shows the program text, indented, and rewrites it into BASIC,
// Pascal, Python or the school language (ΓΛΩΣΣΑ) on request. The text can be selected and copied,
// never changed, and saved in UTF-8 by its language.
class algorFrm : public QDialog {
    Q_OBJECT
public:
    algorFrm(const QString& text, ModalQuestions& questions, QWidget* owner = nullptr);

    QString text() const;
    void Form_Activate();
    void basic_Click();
    void pascal_Click();
    void python_Click();
    void glossa_Click();
    // "Σε Διάγραμμα Ροής": the first time the text becomes editable (the pseudo-language, or
    // a program pasted in); then the text is made into a flowchart by the importer, and the
    // window closes when it was.
    void make_diag_Click();
    void startEditing();
    void setImporter(std::function<bool(const QString&)> importer) {
        m_importer = std::move(importer);
    }
    // The same program with its messages as typed, for the languages that print them.
    void setTypedMessagesText(const QString& text) { m_typedPseudo = text; }

    QPlainTextEdit* text1;
    QAction* basic;
    QAction* pascal;
    QAction* python;
    QAction* glossa;
    QAction* pseudoglossa;
    QAction* make_diag; // "Σε Διάγραμμα Ροής"
    QAction* copyAll;   // "Αντιγραφή όλων"
    QAction* saveAs;    // "Αποθήκευση ως…": the program, or its text as a PDF
    QAction* print;     // "Εκτύπωση…", with a preview
    // Shows the print preview, which prints through printTo; tests print straight to a file.
    std::function<void(QPrinter&)> showPrint;
    void printTo(QPrinter& printer) const;
    QAction* EXIT_;

    // Where "Αποθήκευση ως…" begins.
    void setFolder(const QString& folder) { m_folder = folder; }
    void showPseudo();
    void saveAs_Click();

protected:
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
    QString m_typedPseudo;
    bool m_indented = false;
    enum class Language { Pseudo, Basic, Pascal, Python, Glossa };
    // Python and ΓΛΩΣΣΑ: written from the text with typed messages, problems reported.
    void convertTyped(Language language);
    Language m_language = Language::Pseudo;
    QString m_folder;
    std::function<bool(const QString&)> m_importer;
    bool m_editing = false;
};

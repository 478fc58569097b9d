#include "gui/codegen/ProgramTextWindow.h"
#include "gui/windows/PlainTextEdit.h"

#include "core/codegen/ProgramTextConversions.h"
#include "core/files/ProgramPdf.h"
#include "core/files/SafeSave.h"
#include "core/model/ModalQuestions.h"
#include "gui/windows/PrintPreview.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextDocument>
#include <QVBoxLayout>

using ProgramTextConversions::Result;

algorFrm::algorFrm(const QString& text, ModalQuestions& questions, QWidget* owner)
    : QDialog(owner), m_questions(questions) {
    setWindowTitle(QStringLiteral("Μετατροπή σε Ψευδογλώσσα"));
    auto* bar = new QMenuBar(this);
    // The conversions share one menu: side by side they ran past the window's edge, and the
    // entries after them (ΕΞΟΔΟΣ too) hid behind the bar's overflow arrow.
    QMenu* conversions = bar->addMenu(QStringLiteral("Μετατροπή"));
    basic = conversions->addAction(QStringLiteral("Μετατροπή σε Basic"));
    pascal = conversions->addAction(QStringLiteral("Μετατροπή σε Pascal"));
    python = conversions->addAction(QStringLiteral("Μετατροπή σε Python"));
    glossa = conversions->addAction(QStringLiteral("Μετατροπή σε ΓΛΩΣΣΑ"));
    conversions->addSeparator();
    pseudoglossa = conversions->addAction(QStringLiteral("Ψευδογλώσσα"));
    make_diag = bar->addAction(QStringLiteral("Σε Διάγραμμα Ροής"));
    copyAll = bar->addAction(QStringLiteral("Αντιγραφή όλων"));
    saveAs = bar->addAction(QStringLiteral("Αποθήκευση ως…"));
    print = bar->addAction(QStringLiteral("Εκτύπωση…"));
    EXIT_ = bar->addAction(QStringLiteral("ΕΞΟΔΟΣ"));
    connect(basic, &QAction::triggered, this, &algorFrm::basic_Click);
    connect(pascal, &QAction::triggered, this, &algorFrm::pascal_Click);
    connect(python, &QAction::triggered, this, &algorFrm::python_Click);
    connect(glossa, &QAction::triggered, this, &algorFrm::glossa_Click);
    connect(pseudoglossa, &QAction::triggered, this, &algorFrm::showPseudo);
    connect(make_diag, &QAction::triggered, this, &algorFrm::make_diag_Click);
    connect(copyAll, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(text1->toPlainText()); });
    connect(saveAs, &QAction::triggered, this, &algorFrm::saveAs_Click);
    connect(print, &QAction::triggered, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(windowTitle());
        showPrint(printer);
    });
    showPrint = [this](QPrinter& printer) {
        PrintPreview::show(printer, this, [this](QPrinter& target) { printTo(target); });
    };
    connect(EXIT_, &QAction::triggered, this, &QWidget::hide);

    // Read-only, but the pupil may select and copy it.
    text1 = new PlainTextEdit(this);
    text1->setReadOnly(true);
    text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1->setAcceptDrops(false);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(9);
    font.setBold(true);
    font.setStyleHint(QFont::SansSerif);
    text1->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(text1);
    resize(900, 520);
    setText(text);
    m_pseudo = text;
}

void algorFrm::printTo(QPrinter& printer) const {
    QScopedPointer<QTextDocument> doc(ProgramPdf::document(m_text, windowTitle()));
    doc->print(&printer);
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
    // While the pupil writes a program, the conversions of the old one stay out of reach.
    for (QAction* conversion : {basic, pascal, python, glossa})
        conversion->setEnabled(!m_editing);
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

// Each conversion starts from the pseudo-language, so both stay available.
bool algorFrm::convertToBasic(bool reportingProblems) {
    setWindowTitle(QStringLiteral("Μετατροπή Ψευδογλώσσας σε πρόγραμμα Basic"));
    const Result result = ProgramTextConversions::toBasic(m_pseudo);
    if (result.status == Result::Status::Converted) {
        setText(result.text);
        m_language = Language::Basic;
    }
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
        m_language = Language::Pascal;
        reportProblems(result.problems);
    } else
        m_questions.messageBox(ProgramTextConversions::failureMessage(), QString(),
                               ModalQuestions::Buttons::Ok);
}

void algorFrm::python_Click() {
    convertTyped(Language::Python);
}

void algorFrm::glossa_Click() {
    convertTyped(Language::Glossa);
}

void algorFrm::convertTyped(Language language) {
    const bool toPython = language == Language::Python;
    setWindowTitle(toPython ? QStringLiteral("Μετατροπή Ψευδογλώσσας σε πρόγραμμα Python")
                            : QStringLiteral("Μετατροπή Ψευδογλώσσας σε ΓΛΩΣΣΑ"));
    const QString& source = m_typedPseudo.isEmpty() ? m_pseudo : m_typedPseudo;
    const Result result = toPython ? ProgramTextConversions::toPython(source)
                                   : ProgramTextConversions::toGlossa(source);
    if (result.status != Result::Status::Converted) {
        m_questions.messageBox(ProgramTextConversions::failureMessage(), QString(),
                               ModalQuestions::Buttons::Ok);
        return;
    }
    setText(result.text);
    m_language = language;
    reportProblems(result.problems);
}

void algorFrm::startEditing() {
    if (m_language != Language::Pseudo)
        showPseudo();
    m_editing = true;
    for (QAction* conversion : {basic, pascal, python, glossa})
        conversion->setEnabled(false);
    text1->setReadOnly(false);
    text1->setTextInteractionFlags(Qt::TextEditorInteraction);
    text1->setFocus();
    setWindowTitle(m_pseudo.trimmed().isEmpty()
                       ? QStringLiteral("Νέο πρόγραμμα: γράψτε ή επικολλήστε το πρόγραμμα και "
                                        "πατήστε «Σε Διάγραμμα Ροής»")
                       : QStringLiteral("Σε Διάγραμμα Ροής: αλλάξτε το πρόγραμμα και πατήστε "
                                        "«Σε Διάγραμμα Ροής»"));
}

void algorFrm::make_diag_Click() {
    if (!m_editing) {
        startEditing();
        return;
    }
    if (m_importer && m_importer(text1->toPlainText()))
        hide();
}

void algorFrm::showPseudo() {
    setWindowTitle(QStringLiteral("Μετατροπή σε Ψευδογλώσσα"));
    setText(ProgramTextConversions::indent(m_pseudo));
    m_language = Language::Pseudo;
}

// The text as shown, in UTF-8, named by its language.
void algorFrm::saveAs_Click() {
    static const char* const kinds[][2] = {{"txt", "Ψευδογλώσσα (*.txt)"},
                                           {"bas", "Πρόγραμμα Basic (*.bas)"},
                                           {"pas", "Πρόγραμμα Pascal (*.pas)"},
                                           {"py", "Πρόγραμμα Python (*.py)"},
                                           {"txt", "Πρόγραμμα ΓΛΩΣΣΑ (*.txt)"}};
    const auto& [suffix, filter] = kinds[int(m_language)];
    QString path = m_questions.saveFileName(
        QStringLiteral("Αποθήκευση προγράμματος"),
        QDir(m_folder).filePath(QStringLiteral("programma.") + QLatin1String(suffix)),
        {QString::fromUtf8(filter), QStringLiteral("Έγγραφο PDF (*.pdf)"),
         QStringLiteral("όλα τα αρχεία (*)")});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QLatin1String(suffix);
    // A PDF holds the text as it prints; any other name, the program itself.
    const bool asPdf = QFileInfo(path).suffix().toLower() == QLatin1String("pdf");
    const SafeSave::Result saved =
        SafeSave::writeFile(path, asPdf ? ProgramPdf::pdf(m_text, windowTitle()) : m_text.toUtf8());
    if (!saved.ok)
        m_questions.messageBox(QStringLiteral("Δεν αποθηκεύτηκε το ") + path +
                                   QStringLiteral(": ") + saved.error,
                               QStringLiteral("Προσοχή"), ModalQuestions::Buttons::Ok);
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

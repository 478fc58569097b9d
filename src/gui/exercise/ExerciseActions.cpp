#include "gui/exercise/ExerciseActions.h"

#include "core/exercise/ExerciseCheck.h"
#include "core/files/DiagramSnapshot.h"
#include "core/files/HeadlessDiagram.h"
#include "core/files/SafeSave.h"
#include "core/model/ModalQuestions.h"
#include "gui/execution/RunController.h"
#include "gui/exercise/ExercisePanel.h"
#include "gui/exercise/NewExerciseDialog.h"
#include "gui/windows/MainMenus.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString warningTitle = QStringLiteral("Προσοχή");

} // namespace

ExerciseActions::ExerciseActions(QMainWindow& window, MainMenus& menus, Diagram& diagram,
                                 ModalQuestions& questions, RunController& runs)
    : QObject(&window), m_window(window), m_menus(menus), m_diagram(diagram),
      m_questions(questions), m_runs(runs) {
    m_menu = new QMenu(QStringLiteral("Άσκηση"), &window);
    window.menuBar()->insertMenu(menus.mnuHelp->menuAction(), m_menu);
    m_open = m_menu->addAction(QStringLiteral("Άνοιγμα άσκησης…"));
    m_check = m_menu->addAction(QStringLiteral("Έλεγχος"));
    m_check->setShortcut(Qt::Key_F6);
    m_check->setShortcutContext(Qt::ApplicationShortcut);
    m_close = m_menu->addAction(QStringLiteral("Κλείσιμο άσκησης"));
    m_menu->addSeparator();
    m_new = m_menu->addAction(QStringLiteral("Νέα άσκηση από αυτό το διάγραμμα…"));
    m_close->setEnabled(false);
    m_panel = new ExercisePanel(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, m_panel);
    m_panel->hide();

    connect(m_open, &QAction::triggered, this, [this] {
        const QString path = m_questions.openFileName(
            QStringLiteral("Άνοιγμα άσκησης"), folder(),
            {QStringLiteral("Άσκηση Kelvra (*.kva)"), QStringLiteral("όλα τα αρχεία (*)")});
        if (!path.isEmpty())
            open(path);
    });
    connect(m_check, &QAction::triggered, this, &ExerciseActions::check);
    connect(m_new, &QAction::triggered, this, &ExerciseActions::makeFromDiagram);
    connect(m_close, &QAction::triggered, this, &ExerciseActions::close);
    connect(m_panel, &ExercisePanel::checkRequested, this, &ExerciseActions::check);
    connect(m_panel, &ExercisePanel::stepRequested, this, &ExerciseActions::watchCase);
}

bool ExerciseActions::open(const QString& path) {
    const ExerciseFile::Read read = ExerciseFile::load(path);
    if (!read.exercise) {
        m_questions.messageBox(read.error, warningTitle, ModalQuestions::Buttons::Ok);
        return false;
    }
    if (!read.notes.isEmpty())
        m_questions.messageBox(read.notes.join(QLatin1Char('\n')), warningTitle,
                               ModalQuestions::Buttons::Ok);
    m_exercise = read.exercise;
    m_notes = read.notes;
    m_folder = QFileInfo(path).absolutePath();
    m_panel->showExercise(*m_exercise);
    m_close->setEnabled(true);
    showConversions(!m_exercise->exam);
    return true;
}

// The cases run on a copy of the diagram, so that the editor's selection and run stay as
// they are.
void ExerciseActions::check() {
    if (!m_exercise) {
        m_questions.messageBox(QStringLiteral("Ανοίξτε πρώτα μια άσκηση (Άσκηση → Άνοιγμα "
                                              "άσκησης…)."),
                               warningTitle, ModalQuestions::Buttons::Ok);
        return;
    }
    HeadlessDiagram copy;
    DiagramSnapshot::restore(DiagramSnapshot::take(m_diagram, QString()), copy.diagram());
    ExerciseCheck::Report report = ExerciseCheck::check(*m_exercise, copy.diagram());
    report.notes = m_notes;
    m_panel->showReport(*m_exercise, report);
    m_panel->show();
}

void ExerciseActions::watchCase(int index) {
    if (!m_exercise || index < 0 || size_t(index) >= m_exercise->cases.size() ||
        m_exercise->cases[size_t(index)].hidden)
        return;
    if (m_runs.running())
        m_runs.cmdStop_MouseDown();
    m_runs.interpreter().giveInputs(m_exercise->cases[size_t(index)].inputs);
    m_runs.step_run_Click();
}

void ExerciseActions::makeFromDiagram() {
    NewExerciseDialog dialog(&m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Exercise exercise = dialog.exercise();
    if (exercise.cases.empty()) {
        m_questions.messageBox(QStringLiteral("Γράψτε τουλάχιστον μία περίπτωση."), warningTitle,
                               ModalQuestions::Buttons::Ok);
        return;
    }
    HeadlessDiagram copy;
    DiagramSnapshot::restore(DiagramSnapshot::take(m_diagram, QString()), copy.diagram());
    for (size_t i = 0; i < exercise.cases.size(); ++i) {
        const ExerciseCheck::CaseResult result =
            ExerciseCheck::run(copy.diagram(), exercise.cases[i].inputs, exercise.maxSteps);
        if (!result.right()) {
            m_questions.messageBox(QStringLiteral("Το διάγραμμα δεν τελείωσε σωστά στην "
                                                  "περίπτωση ") +
                                       QString::number(i + 1) + QStringLiteral(". ") +
                                       result.reason,
                                   warningTitle, ModalQuestions::Buttons::Ok);
            return;
        }
        exercise.cases[i].output = result.output;
    }
    QString path = m_questions.saveFileName(QStringLiteral("Αποθήκευση άσκησης"),
                                            QDir(folder()).filePath(QStringLiteral("askisi.kva")),
                                            {QStringLiteral("Άσκηση Kelvra (*.kva)")});
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kva");
    const SafeSave::Result saved = SafeSave::writeFile(path, ExerciseFile::write(exercise));
    if (!saved.ok)
        m_questions.messageBox(QStringLiteral("Δεν αποθηκεύτηκε η άσκηση ") + path +
                                   QStringLiteral(": ") + saved.error,
                               warningTitle, ModalQuestions::Buttons::Ok);
}

QString ExerciseActions::folder() const {
    if (!m_folder.isEmpty() || !m_folderSource)
        return m_folder;
    return m_folderSource();
}

void ExerciseActions::close() {
    m_exercise.reset();
    m_notes.clear();
    m_panel->hide();
    m_close->setEnabled(false);
    showConversions(true);
}

void ExerciseActions::showConversions(bool shown) {
    m_menus.metatr->menuAction()->setVisible(shown);
    m_menus.a22->setEnabled(shown);
}

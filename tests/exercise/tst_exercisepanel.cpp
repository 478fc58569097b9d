#include "core/exercise/Exercise.h"
#include "core/model/DiagramBuilder.h"
#include "editor/EditorTestHelpers.h"
#include "gui/execution/RunController.h"
#include "gui/exercise/ExerciseActions.h"
#include "gui/exercise/ExercisePanel.h"
#include "gui/exercise/NewExerciseDialog.h"
#include "gui/windows/MainMenus.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

namespace {

// Reads two numbers and writes what `result` makes of them.
void drawTwoNumbers(Diagram& diagram, const QString& result) {
    DiagramBuilder b(diagram);
    b.chain({b.start(), b.read("Α"), b.read("Β"), b.write(result), b.end()});
}

QString cell(QTableWidget* table, int row) {
    return table->item(row, 1) ? table->item(row, 1)->text() : QString();
}

} // namespace

// The exercise menu and panel of the editor, driven as a teacher and a pupil use them.
class TestExercisePanel : public QObject {
    Q_OBJECT
private slots:
    void teacherMakesPupilChecksAndWatches();
    void examHidesTheConversions();
};

void TestExercisePanel::teacherMakesPupilChecksAndWatches() {
    QTemporaryDir dir;
    const QString path = dir.filePath("athroisma.kva");
    EditorFixture f;
    drawTwoNumbers(f.diagram(), "Α+Β");
    // The teacher types the cases; the outputs come from the diagram.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<NewExerciseDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->title->setText("Άθροισμα");
        dialog->statement->setPlainText("Διάβασε δύο αριθμούς.\nΓράψε το άθροισμά τους.");
        dialog->cases->setPlainText("2, 3\n2, 2\n*5, 7");
        dialog->accept();
    });
    f.questions.answerText(path);
    f.window.exercises().newAction()->trigger();
    const ExerciseFile::Read made = ExerciseFile::load(path);
    QVERIFY2(made.exercise, qPrintable(made.error));
    QCOMPARE(made.exercise->cases.size(), size_t(3));
    QCOMPARE(made.exercise->cases[2].output, QStringLiteral("    12"));
    QVERIFY(made.exercise->cases[2].hidden);

    // A pupil multiplies instead, opens the exercise and checks with F6.
    f.window.NEO1();
    drawTwoNumbers(f.diagram(), "Α*Β");
    f.questions.answerText(path);
    f.window.exercises().openAction()->trigger();
    ExercisePanel* panel = f.window.exercises().panel();
    QVERIFY(panel->isVisible());
    QVERIFY(panel->statement()->toPlainText().contains("Γράψε το άθροισμά τους."));
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_F6);
    QTableWidget* table = panel->results();
    QCOMPARE(cell(table, 0), QStringLiteral("✗ ΛΑΘΟΣ: περίμενα «5», βγήκε «6»"));
    QCOMPARE(cell(table, 1), QStringLiteral("✓ ΣΩΣΤΟ"));
    QCOMPARE(cell(table, 2), QStringLiteral("✗ ΛΑΘΟΣ")); // hidden: nothing more
    QVERIFY(table->item(2, 1)->toolTip().isEmpty());
    QVERIFY(panel->summary()->text().contains("1 από 3 περιπτώσεις σωστές"));

    // The first wrong case is selected; watched step by step, its inputs go in by themselves.
    QCOMPARE(panel->selectedCase(), 0);
    QVERIFY(panel->stepButton()->isEnabled());
    table->selectRow(2);
    QVERIFY(!panel->stepButton()->isEnabled());
    table->selectRow(0);
    f.questions.clear();
    QTest::mouseClick(panel->stepButton(), Qt::LeftButton);
    for (int i = 0; i < 10 && f.window.runs().running(); ++i)
        f.window.menus().nextStep->trigger();
    QVERIFY(f.window.runs().interpreter().output().endsWith("     6"));
    for (const auto& asked : f.questions.asked())
        QVERIFY(asked.kind != ScriptedQuestions::Kind::Input);
}

void TestExercisePanel::examHidesTheConversions() {
    QTemporaryDir dir;
    Exercise exam;
    exam.title = "Διαγώνισμα";
    exam.exam = true;
    exam.cases.push_back({{"1", "1"}, "2", false, {}});
    QFile file(dir.filePath("exam.kva"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ExerciseFile::write(exam));
    file.close();
    EditorFixture f;
    QVERIFY(f.window.exercises().open(file.fileName()));
    QVERIFY(!f.window.menus().metatr->menuAction()->isVisible());
    QVERIFY(!f.window.menus().a22->isEnabled());
    f.window.exercises().closeAction()->trigger();
    QVERIFY(f.window.menus().metatr->menuAction()->isVisible());
    QVERIFY(f.window.menus().a22->isEnabled());
    QVERIFY(!f.window.exercises().panel()->isVisible());
}

QTEST_MAIN(TestExercisePanel)
#include "tst_exercisepanel.moc"

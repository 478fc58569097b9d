#include "TestDiagram.h"
#include "core/files/LineBreaks.h"
#include "core/model/DiagramBuilder.h"
#include "editor/EditorTestHelpers.h"
#include "gui/execution/Breakpoints.h"
#include "gui/execution/PredictWindow.h"
#include "gui/execution/RunController.h"
#include "gui/execution/RunControlsFrame.h"
#include "gui/execution/TraceWindow.h"
#include "gui/execution/VariablesWindow.h"
#include "gui/files/FileCommands.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/QtModalQuestions.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

struct RunFixture : EditorFixture {
    DiagramBuilder b{diagram()};
    RunControlsFrame* run() { return window.fraDebug(); }
    RunController& runs() { return window.runs(); }
    // Run and stop act on the press; the release that follows does nothing more.
    void press(QWidget* button) {
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    }
    void release(QWidget* button) { QTest::mouseRelease(button, Qt::LeftButton); }
    bool asked(const QString& text) const {
        for (const auto& a : questions.asked()) {
            if (a.text == text)
                return true;
        }
        return false;
    }
    // Αρχή, Χ <-- 5, Γράψε Χ, Τέλος.
    void simpleDiagram() { b.chain({b.start(), b.assign("Χ", "5"), b.write("Χ"), b.end()}); }
    // A loop that never ends: Αρχή, junction, Χ <-- Χ+1, back to the junction.
    void endlessDiagram() {
        const QString s = b.start(), j = b.junction(), a = b.assign("Χ", "Χ+1");
        b.chain({s, j, a});
        b.link(a, j);
        window.files().markSaved();
    }
};

// RFC 4180 records: quoted cells may hold commas, doubled quotes and line breaks.
QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> records;
    QStringList record;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else if (c == '"')
                quoted = false;
            else
                cell += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record << std::exchange(cell, {});
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record << std::exchange(cell, {});
            records << std::exchange(record, {});
            ++i;
        } else {
            cell += c;
        }
    }
    return records;
}

// What the run frame and the run menus show, read from the widgets.
struct Panel {
    bool run, nextStep, pause, pauseTicked, vars, runMenus, fileMenus, speed;
    bool operator==(const Panel&) const = default;
};

Panel panelOf(Main_F& window) {
    RunControlsFrame* r = window.fraDebug();
    MainMenus& m = window.menus();
    const bool runMenus = m.auto_run->isEnabled();
    // The run menus always go together.
    if (m.step_run->isEnabled() != runMenus || m.fast_run->isEnabled() != runMenus ||
        m.mnuHelp->isEnabled() != runMenus ||
        m.mnuChangeShape->isEnabled() != m.mnuFile->isEnabled())
        return Panel{true, true, true, true, true, !runMenus, true, true}; // never expected
    return Panel{r->cmdRun->isEnabled(),   r->cmdNextStep->isEnabled(),
                 r->chkPause->isEnabled(), r->chkPause->isChecked(),
                 r->cmdVars->isEnabled(),  runMenus,
                 m.mnuFile->isEnabled(),   r->scroll_ExecutionDelay->isEnabled()};
}

const QString success = QStringLiteral("To πρόγραμμα τερματίστικε  επιτυχώς");
const QString failure = QStringLiteral("To πρόγραμμα τερματίστικε ανεπιτυχώς");

} // namespace

class TestRunControls : public QObject {
    Q_OBJECT
private slots:
    void traceTableFollowsTheRun_data();
    void traceTableFollowsTheRun();
    void traceTablePrintsWithItsHeader();
    void predictedCells_data();
    void predictedCells();
    void breakpointPausesBeforeItsBlock_data();
    void breakpointPausesBeforeItsBlock();
    void timedRunToTheEnd();
    void keysDoNotStartARun();
    void functionKeysRunStepAndStop();
    void emptyDiagramRefused();
    void variablesWindowOnlyAfterARun();
    void pauseFreezesAndResumes();
    void stopEndsATimedRun();
    void speedZeroDuringARun();
    void fastRunLoopStopsOnPress();
    void endlessRunAsksToGoOn();
    void inputBoxCanStopTheRun_data();
    void inputBoxCanStopTheRun();
    void outputBoxShowsTheBoundedOutput();
    void failedExpressionReported();
    void autoRunSetsTheSpeed();
    void tooltipsInTheStatusBar();
    void saveQuestionOncePerChange();
    void controlsFollowThePhase();
    void stepRunOneBlockPerClick();
    void panelMatchesTheTimerAfterAStop();
};

void TestRunControls::timedRunToTheEnd() {
    RunFixture f;
    f.simpleDiagram();
    f.run()->scroll_ExecutionDelay->setValue(5);
    f.window.files().markSaved();
    f.press(f.run()->cmdRun);
    // During the run: the run commands and the file and edit menus are out of reach.
    QVERIFY(!f.run()->cmdRun->isEnabled());
    QVERIFY(!f.run()->cmdVars->isEnabled());
    QVERIFY(f.run()->chkPause->isEnabled());
    QVERIFY(!f.window.menus().mnuFile->isEnabled());
    QVERIFY(!f.window.menus().auto_run->isEnabled());
    QVERIFY(f.run()->scroll_ExecutionDelay->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(f.asked(success), 5000);
    QCOMPARE(f.window.text1()->toPlainText(), QStringLiteral("\n     5"));
    QVERIFY(f.window.text1()->isVisible());
    // After the run: everything is back.
    QVERIFY(f.run()->cmdRun->isEnabled());
    QVERIFY(f.run()->cmdVars->isEnabled());
    QVERIFY(!f.run()->chkPause->isEnabled());
    QVERIFY(f.window.menus().mnuFile->isEnabled());
    QVERIFY(f.window.menus().mnuChangeShape->isEnabled());
    QVERIFY(!f.window.timerRunner().isActive());
    QCOMPARE(f.runs().executedMarkers().size(), size_t(4));
    QVERIFY(f.runs().lbcapti()->isHidden());
}

void TestRunControls::keysDoNotStartARun() {
    RunFixture f;
    f.simpleDiagram();
    f.run()->cmdRun->setFocus();
    QTest::keyClick(f.run()->cmdRun, Qt::Key_Return);
    QTest::keyClick(f.run()->cmdRun, Qt::Key_Space);
    QTest::keyClick(f.window.canvas(), Qt::Key_Return);
    QVERIFY(f.runs().interpreter().executedBlocks().isEmpty());
    QVERIFY(!f.runs().running());
    QVERIFY(f.questions.asked().isEmpty());
    QVERIFY(f.run()->cmdRun->isEnabled());
}

// F5 runs, F10 takes a step, Shift+F5 stops; the file commands have the usual keys, shown in
// the menus beside the entries.
void TestRunControls::functionKeysRunStepAndStop() {
    RunFixture f;
    MainMenus& m = f.window.menus();
    QCOMPARE(m.mnuNew->shortcut(), QKeySequence(QKeySequence::New));
    QCOMPARE(m.mnuLoad->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(m.mnuSave->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(m.mnuSaveAs->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    f.endlessDiagram();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_F5);
    QVERIFY(f.runs().running());
    QTRY_VERIFY(f.runs().variables().getVar("Χ").toInt() >= 1);
    // The message window the run opened is the active one now: the keys still work.
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_F5, Qt::ShiftModifier);
    QVERIFY(!f.runs().running());
    QVERIFY(f.asked(failure)); // as Stop ends a run
    // At speed 0 "Επόμενο βήμα" takes a step, from the start.
    f.run()->scroll_ExecutionDelay->setValue(0);
    QVERIFY(f.run()->cmdNextStep->isEnabled());
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_F10);
    QCOMPARE(f.runs().phase(), RunPhase::Stepping);
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_F5, Qt::ShiftModifier);
}

void TestRunControls::emptyDiagramRefused() {
    RunFixture f;
    f.run()->scroll_ExecutionDelay->setValue(2);
    f.window.menus().auto_run->trigger();
    QCOMPARE(f.questions.asked().last().text, QStringLiteral("Δεν Υπάρχει διάγραμμα"));
    QCOMPARE(f.run()->scroll_ExecutionDelay->value(), 2);
    f.press(f.run()->cmdRun);
    QCOMPARE(f.questions.asked().size(), 2);
}

void TestRunControls::variablesWindowOnlyAfterARun() {
    RunFixture f;
    f.simpleDiagram();
    QTest::mouseClick(f.run()->cmdVars, Qt::LeftButton);
    QVERIFY(!f.runs().varsWindow());
    f.run()->scroll_ExecutionDelay->setValue(5);
    f.press(f.run()->cmdRun);
    QTRY_VERIFY_WITH_TIMEOUT(f.asked(success), 5000);
    QTest::mouseClick(f.run()->cmdVars, Qt::LeftButton);
    QVERIFY(f.runs().varsWindow() && f.runs().varsWindow()->isVisible());
    QCOMPARE(f.runs().varsWindow()->model->index(0, 0).data().toString(), QStringLiteral("5"));
}

void TestRunControls::pauseFreezesAndResumes() {
    RunFixture f;
    f.endlessDiagram();
    f.run()->scroll_ExecutionDelay->setValue(5);
    f.press(f.run()->cmdRun);
    QTRY_VERIFY(f.runs().variables().getVar("Χ").toInt() >= 1);
    QTest::mouseClick(f.run()->chkPause, Qt::LeftButton);
    QVERIFY(f.run()->chkPause->isChecked());
    QVERIFY(!f.window.timerRunner().isActive());
    const QString frozen = f.runs().variables().getVar("Χ");
    QTest::qWait(350);
    QCOMPARE(f.runs().variables().getVar("Χ"), frozen);
    QTest::mouseClick(f.run()->chkPause, Qt::LeftButton);
    QVERIFY(f.window.timerRunner().isActive());
    QCOMPARE(f.window.timerRunner().interval(), 100);
    QTRY_VERIFY(f.runs().variables().getVar("Χ") != frozen);
    f.press(f.run()->cmdStop);
}

void TestRunControls::stopEndsATimedRun() {
    RunFixture f;
    f.endlessDiagram();
    f.run()->scroll_ExecutionDelay->setValue(5);
    f.press(f.run()->cmdRun);
    QTRY_VERIFY(!f.runs().interpreter().executedBlocks().isEmpty());
    f.press(f.run()->cmdStop);
    QVERIFY(f.asked(failure));
    QVERIFY(!f.runs().running());
    QVERIFY(!f.window.timerRunner().isActive());
    QVERIFY(f.run()->cmdRun->isEnabled());
}

void TestRunControls::speedZeroDuringARun() {
    RunFixture f;
    f.endlessDiagram();
    f.run()->scroll_ExecutionDelay->setValue(5);
    f.press(f.run()->cmdRun);
    QTRY_VERIFY(f.runs().variables().getVar("Χ").toInt() >= 2);
    f.run()->scroll_ExecutionDelay->setValue(0);
    QVERIFY(!f.window.timerRunner().isActive());
    QCOMPARE(f.runs().interpreter().currentBlock(), f.b.get("id1"));
    QVERIFY(f.run()->cmdNextStep->isEnabled());
    QVERIFY(!f.run()->cmdRun->isEnabled());
    const int reached = f.runs().variables().getVar("Χ").toInt();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
    // Start, junction, then the assignment goes on from the values the run produced.
    QCOMPARE(f.runs().variables().getVar("Χ").toInt(), reached + 1);
    f.press(f.run()->cmdStop);
}

void TestRunControls::fastRunLoopStopsOnPress() {
    RunFixture f;
    f.endlessDiagram();
    QTimer::singleShot(300, [&f] { f.press(f.run()->cmdStop); });
    f.window.menus().fast_run->trigger(); // returns once the loop has ended
    QVERIFY(f.asked(failure));
    QVERIFY(f.runs().variables().getVar("Χ").toInt() > 10);
    QVERIFY(!f.runs().running());
    QCOMPARE(f.run()->scroll_ExecutionDelay->value(), 4); // ENABLE_ALL_CMD put it back
}

void TestRunControls::endlessRunAsksToGoOn() {
    RunFixture f;
    f.endlessDiagram();
    f.runs().setStepsBeforeAsking(300);
    f.questions.answerMessage(ModalQuestions::Answer::Yes); // go on once
    f.questions.answerMessage(ModalQuestions::Answer::No);  // then stop
    f.window.menus().fast_run->trigger();                   // returns once the loop has ended
    int asked = 0;
    for (const auto& a : f.questions.asked())
        asked += a.text.contains(QStringLiteral("300 βήματα")) ? 1 : 0;
    QCOMPARE(asked, 2);
    QVERIFY(f.asked(failure));
    QVERIFY(!f.runs().running());
    QVERIFY(!f.window.timerRunner().isActive());
    // Two rounds of 300 steps: the start, then the junction and the assignment in turn.
    QCOMPARE(f.runs().variables().getVar("Χ").toInt(), 299);
    QCOMPARE(f.runs().variables().rowCount(), 2 + 299);
}

void TestRunControls::outputBoxShowsTheBoundedOutput() {
    RunFixture f;
    // Endless: Ι <-- Ι+1, then a line of 30,000 characters ending with Ι.
    const QString s = f.b.start(), j = f.b.junction(), a = f.b.assign("Ι", "Ι+1");
    const QString w = f.b.write(QLatin1Char('"') + QString(30000, QLatin1Char('x')) + '"', "Ι");
    f.b.chain({s, j, a, w});
    f.b.link(w, j);
    f.window.files().markSaved();
    f.runs().setStepsBeforeAsking(301); // 100 lines
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.menus().fast_run->trigger(); // returns once the loop has ended
    const RunOutput& output = f.runs().interpreter().outputLog();
    QVERIFY(output.droppedCharacters() > 0);
    QCOMPARE(f.window.text1()->toPlainText(), LineBreaks::toLf(output.text()));
    const QString last = f.runs().variables().getVar("Ι");
    QVERIFY(last.toInt() > 90);
    QVERIFY(f.window.text1()->toPlainText().endsWith(QStringLiteral("x\"   ") + last));
}

void TestRunControls::inputBoxCanStopTheRun_data() {
    QTest::addColumn<bool>("fromThePanel"); // Stop on the run panel, or the box's own button
    QTest::newRow("Stop on the run panel") << true;
    QTest::newRow("Διακοπή εκτέλεσης in the box") << false;
}

// The real input box of a run: it says what it reads and how, asks again with the reason,
// and the run can be stopped while it waits.
void TestRunControls::inputBoxCanStopTheRun() {
    QFETCH(bool, fromThePanel);
    QtModalQuestions questions;
    Main_F window(&questions);
    questions.setOwner(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DiagramBuilder b(window.diagram());
    b.chain({b.start(), b.read("Ν"), b.write("Ν+1"), b.end()});
    window.files().markSaved();
    // The message box at the run's end is answered as it comes.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    closer.start(20);
    const auto openBox = []() -> QDialog* {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (dialog && dialog->isVisible() && dialog->windowTitle() == "Διάβασε Ν")
                return dialog;
        }
        return nullptr;
    };
    // The box waits in an event loop of its own, inside the run's step: the pupil's answers
    // come from a timer, as they come from the keyboard.
    int stage = 0;
    bool ruleShown = false;
    bool stopEnabled = false;
    QTimer pupil;
    connect(&pupil, &QTimer::timeout, [&] {
        QDialog* box = openBox();
        if (!box)
            return;
        const QString said = box->findChild<QLabel*>()->text();
        if (stage == 0) {
            ruleShown = said.contains("Διάβασε Ν: Δώστε έναν αριθμό (π.χ. 3.5 — με τελεία).");
            QLineEdit* edit = box->findChild<QLineEdit*>();
            QTest::keyClicks(edit, "abc");
            QTest::keyClick(edit, Qt::Key_Return);
            stage = 1;
        } else if (stage == 1 && said.contains("«abc»: δώστε αριθμό, π.χ. 3.5 — με τελεία.")) {
            stage = 2;
            stopEnabled = window.fraDebug()->cmdStop->isEnabled();
            if (fromThePanel) {
                QTest::mousePress(window.fraDebug()->cmdStop, Qt::LeftButton);
            } else {
                for (auto* button : box->findChildren<QPushButton*>()) {
                    if (button->text() == "Διακοπή εκτέλεσης")
                        QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        }
    });
    pupil.start(50);
    QTest::mouseClick(window.fraDebug()->cmdRun, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(stage, 2, 10000);
    QVERIFY(ruleShown);
    QVERIFY(stopEnabled);
    QTRY_VERIFY(!window.runs().running());
    QTRY_VERIFY(!openBox());
    QVERIFY(window.fraDebug()->cmdRun->isEnabled());
    QCOMPARE(window.runs().variables().findVarColumn("Ν"), -1); // nothing was read
}

void TestRunControls::failedExpressionReported() {
    RunFixture f;
    f.b.chain({f.b.start(), f.b.assign("Χ", "1/0"), f.b.end()});
    f.b.get("id2")->setShapeLeft(f.canvas()->width() - 60); // near the right edge
    f.b.get("id2")->setShapeTop(f.canvas()->height() - 40);
    f.window.files().markSaved();
    f.run()->scroll_ExecutionDelay->setValue(5);
    f.press(f.run()->cmdRun);
    const QString message =
        QStringLiteral("To πρόγραμμα τερματίστικε ανεπιτυχώς\r\nΥπάρχει πρόβλημα στην ενέργεια "
                       "2: διαίρεση με το μηδέν\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(f.asked(message), 5000);
    QVERIFY(f.window.texterror()->isHidden());
    // Beside the block: the reason, not a list of likely causes.
    QVERIFY(
        f.window.texterror()->text().endsWith(QStringLiteral("ενέργεια 2:\nδιαίρεση με το μηδέν")));
    QVERIFY(f.canvas()->rect().contains(f.window.texterror()->geometry()));
    QVERIFY(f.run()->cmdRun->isEnabled());
    QVERIFY(f.window.menus().mnuFile->isEnabled());
}

void TestRunControls::autoRunSetsTheSpeed() {
    RunFixture f;
    f.endlessDiagram();
    f.run()->scroll_ExecutionDelay->setValue(1);
    f.window.menus().auto_run->trigger();
    QCOMPARE(f.run()->scroll_ExecutionDelay->value(), 4);
    QCOMPARE(f.run()->lblDelay->text(), QStringLiteral("Μεγάλη Ταχύτητα εκτέλεσης"));
    QCOMPARE(f.window.timerRunner().interval(), 200);
    QVERIFY(f.window.timerRunner().isActive());
    f.press(f.run()->cmdStop);
}

void TestRunControls::tooltipsInTheStatusBar() {
    RunFixture f;
    QTest::mouseMove(f.run()->cmdVars);
    QTRY_COMPARE(f.window.statusPanel(1)->text(), QStringLiteral("Παράθυρο μεταβλητών"));
    QTest::mouseMove(f.run()->cmdRun);
    QTRY_COMPARE(f.window.statusPanel(1)->text(), QStringLiteral("Εκτέλεση Κώδικα"));
    QTest::mouseMove(f.run()->cmdStop);
    QTRY_COMPARE(f.window.statusPanel(1)->text(), QStringLiteral("Διακοπή"));
}

// "Όχι" to the save question before a run holds for the next runs until the diagram changes;
// New still asks.
void TestRunControls::saveQuestionOncePerChange() {
    RunFixture f;
    f.simpleDiagram();
    f.settle(); // the blocks fit their captions, as they do once shown
    f.run()->scroll_ExecutionDelay->setValue(5);
    const auto saveQuestions = [&f] {
        int n = 0;
        for (const auto& a : f.questions.asked())
            n += a.title == QStringLiteral("Αποθήκευση Αλλαγών");
        return n;
    };
    const auto runToTheEnd = [&f] {
        f.press(f.run()->cmdRun);
        QTRY_VERIFY_WITH_TIMEOUT(f.run()->cmdRun->isEnabled(), 5000);
    };
    f.questions.answerMessage(ModalQuestions::Answer::No);
    runToTheEnd();
    QCOMPARE(saveQuestions(), 1);
    runToTheEnd();
    runToTheEnd();
    QCOMPARE(saveQuestions(), 1);
    f.b.get("id2")->setZParam2(QStringLiteral("6"));
    f.questions.answerMessage(ModalQuestions::Answer::No);
    runToTheEnd();
    QCOMPARE(saveQuestions(), 2);
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.menus().mnuNew->trigger();
    QCOMPARE(saveQuestions(), 3);
}

// Each column of the run controls' table, reached the way a pupil reaches it.
void TestRunControls::controlsFollowThePhase() {
    RunFixture f;
    f.endlessDiagram();
    //                         run    next   pause  ticked vars   menus  files  speed
    const Panel idleTimed{true, false, false, false, true, true, true, true};
    const Panel idleStepping{false, true, false, false, true, true, true, true};
    const Panel timed{false, false, true, false, false, false, false, true};
    const Panel paused{false, false, true, true, false, false, false, true};
    const Panel movedToZero{false, true, false, false, false, false, false, true};
    const Panel stepping{false, true, false, false, false, false, false, false};
    const Panel racing{false, false, false, false, false, false, false, false};

    f.run()->scroll_ExecutionDelay->setValue(3);
    QCOMPARE(panelOf(f.window), idleTimed);
    f.press(f.run()->cmdRun);
    QCOMPARE(f.runs().phase(), RunPhase::Running);
    QCOMPARE(panelOf(f.window), timed);
    QTest::mouseClick(f.run()->chkPause, Qt::LeftButton);
    QCOMPARE(f.runs().phase(), RunPhase::Paused);
    QCOMPARE(panelOf(f.window), paused);
    QTest::mouseClick(f.run()->chkPause, Qt::LeftButton);
    QCOMPARE(panelOf(f.window), timed);
    f.run()->scroll_ExecutionDelay->setValue(0); // the timed run now waits for each step
    QCOMPARE(f.runs().phase(), RunPhase::Stepping);
    QVERIFY(!f.window.timerRunner().isActive());
    QCOMPARE(panelOf(f.window), movedToZero);
    f.run()->scroll_ExecutionDelay->setValue(2); // and moved back, the timer drives it again
    QCOMPARE(f.runs().phase(), RunPhase::Running);
    QVERIFY(f.window.timerRunner().isActive());
    QCOMPARE(f.window.timerRunner().interval(), 400);
    f.press(f.run()->cmdStop);
    QCOMPARE(f.runs().phase(), RunPhase::Idle);
    QCOMPARE(panelOf(f.window), idleTimed); // Stop puts the speed at 4
    QCOMPARE(f.run()->scroll_ExecutionDelay->value(), 4);

    // Stepping from the start block at speed 0 is a run under way.
    f.run()->scroll_ExecutionDelay->setValue(0);
    QCOMPARE(panelOf(f.window), idleStepping);
    QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
    QCOMPARE(f.runs().phase(), RunPhase::Stepping);
    QCOMPARE(panelOf(f.window), stepping);
    f.press(f.run()->cmdStop);
    QCOMPARE(panelOf(f.window), idleTimed);

    // A paused run moved to 0: "Επόμενο βήμα" executes a block and unticks the pause.
    f.press(f.run()->cmdRun);
    QTest::mouseClick(f.run()->chkPause, Qt::LeftButton);
    f.run()->scroll_ExecutionDelay->setValue(0);
    QCOMPARE(panelOf(f.window), Panel({false, true, true, true, false, false, false, true}));
    QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
    QCOMPARE(f.runs().phase(), RunPhase::Stepping);
    QCOMPARE(panelOf(f.window), movedToZero);
    f.press(f.run()->cmdStop);

    Panel seen{};
    QTimer::singleShot(100, [&f, &seen] {
        seen = panelOf(f.window);
        f.press(f.run()->cmdStop);
    });
    f.window.menus().fast_run->trigger();
    QCOMPARE(seen, racing);
    QCOMPARE(panelOf(f.window), idleTimed);
    QCOMPARE(f.run()->lblDelay->text(), QStringLiteral("Μεγάλη Ταχύτητα εκτέλεσης"));
}

// "Βηματική Εκτέλεση" executes one block per "Επόμενο βήμα" and shows it on the panel.
void TestRunControls::stepRunOneBlockPerClick() {
    RunFixture f;
    f.simpleDiagram();
    f.window.files().markSaved();
    f.run()->scroll_ExecutionDelay->setValue(3);
    f.window.menus().step_run->trigger();
    QCOMPARE(f.run()->scroll_ExecutionDelay->value(), 0);
    QCOMPARE(f.run()->lblDelay->text(), QStringLiteral("Βηματική εκτέλεση"));
    QCOMPARE(f.window.timerRunner().interval(), 0);
    QVERIFY(!f.window.timerRunner().isActive());
    QVERIFY(f.runs().interpreter().executedBlocks().isEmpty());
    QCOMPARE(panelOf(f.window), Panel({false, true, false, false, false, false, false, false}));
    QTest::qWait(50); // nothing goes on by itself
    QVERIFY(f.runs().interpreter().executedBlocks().isEmpty());
    for (int step = 1; step <= 3; ++step) {
        QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
        QCOMPARE(f.runs().interpreter().executedBlocks().size(), step);
        QCOMPARE(f.runs().interpreter().currentBlock(),
                 f.b.get(QStringLiteral("id%1").arg(step + 1)));
        // The caption box shows only when a step has something to say (not after "Αρχή").
        f.runs().showPending();
        QCOMPARE(f.runs().lbcapti()->isVisible(), !f.runs().interpreter().stepCaption().isEmpty());
    }
    QCOMPARE(f.window.text1()->toPlainText(), QStringLiteral("\n     5"));
    QVERIFY(!f.asked(success));
    QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton); // the end block
    QVERIFY(f.asked(success));
    // Ended at speed 0: the panel reads the slider's own state.
    QCOMPARE(f.runs().phase(), RunPhase::Idle);
    QCOMPARE(f.run()->lblDelay->text(), QStringLiteral("Bηματική εκτέλεση"));
    QCOMPARE(panelOf(f.window), Panel({false, true, false, false, true, true, true, true}));
    // A new run starts clean: no markers, caption or pointer line of the last one.
    QCOMPARE(f.runs().executedMarkers().size(), size_t(4));
    f.window.menus().step_run->trigger();
    QVERIFY(f.runs().executedMarkers().empty());
    QVERIFY(f.runs().lbcapti()->isHidden());
    QVERIFY(!f.canvas()->line1Visible());
    QVERIFY(f.window.text1()->isHidden());
    f.press(f.run()->cmdStop);
}

// After Stop the label, the slider and the timer agree, whatever the slider stood at before.
void TestRunControls::panelMatchesTheTimerAfterAStop() {
    RunFixture f;
    f.endlessDiagram();
    f.run()->scroll_ExecutionDelay->setValue(4);
    f.window.menus().step_run->trigger();
    QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
    f.press(f.run()->cmdStop);
    QCOMPARE(f.run()->scroll_ExecutionDelay->value(), 4);
    QCOMPARE(f.run()->lblDelay->text(), QStringLiteral("Μεγάλη Ταχύτητα εκτέλεσης"));
    QCOMPARE(f.window.timerRunner().interval(), 200);
    QVERIFY(f.run()->scroll_ExecutionDelay->isEnabled());
    f.run()->scroll_ExecutionDelay->setValue(1);
    QCOMPARE(f.window.timerRunner().interval(), 500);
    f.press(f.run()->cmdRun);
    QVERIFY(f.window.timerRunner().isActive());
    QCOMPARE(f.window.timerRunner().interval(), 500);
    f.press(f.run()->cmdStop);
}

// "Σημείο διακοπής" (F9): a timed or a fast run pauses before the marked block, each time
// it comes to it; unticking "Παύση" goes on at the same pace, and without the mark the run
// goes to its end. The red dot follows its block.
void TestRunControls::breakpointPausesBeforeItsBlock_data() {
    QTest::addColumn<int>("speed"); // 0: "Γρήγορη εκτέλεση"
    QTest::newRow("speed 3") << 3;
    QTest::newRow("fast run") << 0;
}

void TestRunControls::breakpointPausesBeforeItsBlock() {
    QFETCH(int, speed);
    RunFixture f;
    const QString start = f.b.start(), zero = f.b.assign("Χ", "0"), join = f.b.junction(),
                  test = f.b.whileTest("Χ<2"), add = f.b.assign("Χ", "Χ+1"), out = f.b.write("Χ"),
                  end = f.b.end();
    f.b.chain({start, zero, join, test});
    f.b.link(test, add, "Ν");
    f.b.chain({add, join});
    f.b.link(test, out, "Ο");
    f.b.link(out, end);
    f.window.files().markSaved();
    f.diagram().currentBlockIndex = 5; // Χ <-- Χ+1
    f.window.menus().breakpoint->trigger();
    QVERIFY(!f.runs().breakpoints().isEmpty());
    const cBck* marked = f.diagram().blockAt(5);
    const QList<QPointF> dots = f.runs().breakpoints().dotCentres();
    QCOMPARE(dots.size(), 1);
    QVERIFY(dots[0].x() > marked->shapeLeft() + marked->shapeWidth());
    QVERIFY(qAbs(dots[0].y() - marked->shapeTop()) < marked->shapeHeight());
    if (speed > 0) {
        f.run()->scroll_ExecutionDelay->setValue(speed);
        f.press(f.run()->cmdRun);
    } else {
        f.window.menus().fast_run->trigger(); // returns at the breakpoint
    }
    for (const QString value : {"0", "1"}) {
        QTRY_COMPARE_WITH_TIMEOUT(f.runs().phase(), RunPhase::Paused, 10000);
        QCOMPARE(f.runs().interpreter().currentBlock()->tagid(), add);
        QCOMPARE(f.runs().variables().getVar("Χ"), value); // before the block runs
        QVERIFY(f.run()->chkPause->isChecked());
        QTest::mouseClick(f.run()->chkPause, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.runs().variables().getVar("Χ") != value, 10000);
        if (speed > 0)
            QCOMPARE(f.window.timerRunner().interval(), 600 - 100 * speed);
    }
    f.diagram().currentBlockIndex = 5;
    f.window.menus().breakpoint->trigger(); // F9 again: the mark goes
    QVERIFY(f.runs().breakpoints().isEmpty());
    QVERIFY(f.runs().breakpoints().dotCentres().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!f.runs().running(), 10000);
    QVERIFY(f.asked(success));
}

// "Πίνακας τιμών", open before a stepped run, fills as it goes; saved, it is the table
// kelvra-cli writes (the same data files).
void TestRunControls::traceTableFollowsTheRun_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a loop") << "parago.kv" << QStringList{"3"} << "trace/parago_3.csv";
    QTest::newRow("a decision") << "artios-peritos.kv" << QStringList{"7"}
                                << "trace/artios-peritos_7.csv";
    QTest::newRow("the largest of three")
        << "maxabc.kv" << QStringList{"4", "9", "2"} << "trace/maxabc_4_9_2.csv";
}

void TestRunControls::traceTableFollowsTheRun() {
    QFETCH(QString, diagram);
    QFETCH(QStringList, input);
    QFETCH(QString, expected);
    RunFixture f;
    QVERIFY(f.window.files().load_FILE(QStringLiteral(KELVRA_EXAMPLES_DIR "/") + diagram));
    TraceWindow* table = f.runs().showTrace();
    QCOMPARE(table->model()->rowCount(), 0);
    f.window.menus().step_run->trigger();
    for (const QString& value : input)
        f.questions.answerText(value);
    for (int step = 1; step <= 3; ++step) {
        QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
        QTRY_COMPARE(table->model()->rowCount(), step); // live, while stepping
    }
    QCOMPARE(table->model()->index(1, 0).data().toString(), QStringLiteral("2"));
    for (int click = 0; click < 1000 && !f.asked(success); ++click)
        QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
    QVERIFY(f.asked(success));
    QTemporaryDir dir;
    f.questions.answerText(dir.filePath("t.csv"));
    QTest::mouseClick(table->saveButton(), Qt::LeftButton);
    QFile written(dir.filePath("t.csv")), wanted(QStringLiteral(KELVRA_TEST_DATA "/") + expected);
    QVERIFY(written.open(QIODevice::ReadOnly) && wanted.open(QIODevice::ReadOnly));
    const QByteArray csv = written.readAll();
    QCOMPARE(csv, wanted.readAll());
    // Read back by a CSV reader, the file holds the window's cells.
    const QList<QStringList> cells = parseCsv(QString::fromUtf8(csv).mid(1)); // after the BOM
    QTRY_COMPARE(table->model()->rowCount() + 1, cells.size()); // once the window caught up
    for (int row = 0; row < table->model()->rowCount(); ++row)
        for (int column = 0; column < table->model()->columnCount(); ++column)
            QCOMPARE(cells[row + 1].value(column),
                     table->model()->index(row, column).data().toString());
    // A new diagram leaves nothing of the old run in the table.
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.menus().mnuNew->trigger();
    QTRY_COMPARE(table->model()->rowCount(), 0);
}

// Printed, a long table goes over several A4 pages, each with the header row.
void TestRunControls::traceTablePrintsWithItsHeader() {
    RunFixture f;
    f.endlessDiagram();
    TraceWindow* table = f.runs().showTrace();
    f.window.menus().step_run->trigger();
    for (int click = 0; click < 150; ++click)
        QTest::mouseClick(f.run()->cmdNextStep, Qt::LeftButton);
    QTRY_COMPARE(table->model()->rowCount(), 75); // the junction's steps have no row
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("t.pdf"));
    table->showPreview = [table](QPrinter& target) { table->printTo(target); };
    table->showPreview(printer);
    QFile pdf(dir.filePath("t.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                bytes.count("/Type /Page ") >=
            2);
    QTest::mousePress(f.run()->cmdStop, Qt::LeftButton);
}

// "Συμπλήρωσε πρώτα εσύ" on parago.kv reading 3: what the pupil types in a cell is marked
// right or wrong against the run's own table.
void TestRunControls::predictedCells_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("the command that runs") << 5 << 1 << "6" << true;
    QTest::newRow("not that one") << 5 << 1 << "5" << false;
    QTest::newRow("a value with a point") << 2 << 5 << "3.0" << true;
    QTest::newRow("a wrong value") << 3 << 5 << "0" << false;
    QTest::newRow("the outcome, short") << 5 << 3 << "α" << true;
    QTest::newRow("the wrong outcome") << 5 << 3 << "Ψευδής" << false;
    QTest::newRow("a variable in small letters") << 3 << 4 << "π" << true;
    QTest::newRow("a Latin look-alike") << 2 << 4 << "X" << true;
    QTest::newRow("nothing changes") << 1 << 4 << "" << true;
    QTest::newRow("a change that is not") << 1 << 4 << "Χ" << false;
    QTest::newRow("beyond the end of the run") << 40 << 1 << "1" << false;
}

void TestRunControls::predictedCells() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    RunFixture f;
    QVERIFY(f.window.files().load_FILE(QStringLiteral(KELVRA_EXAMPLES_DIR "/parago.kv")));
    f.window.menus().predict->trigger();
    PredictWindow* window = f.window.predictWindow();
    QVERIFY(window->isVisible());
    window->steps->setValue(40);
    window->newFrame();
    QTest::keyClicks(window->inputs, "3");
    window->table->item(row - 1, column)->setText(typed);
    QTest::mouseClick(window->check, Qt::LeftButton);
    const QTableWidgetItem* cell = window->table->item(row - 1, column);
    QCOMPARE(cell->background().color() == QColor(0xC8, 0xF0, 0xC8), right);
    QCOMPARE(cell->toolTip().isEmpty(), right);
    QVERIFY(!window->table->item(0, 2)->text().isEmpty()); // the commands shown once checked
    QVERIFY(f.window.files().currentFile().endsWith("parago.kv")); // the diagram untouched
}

QTEST_MAIN(TestRunControls)
#include "tst_runcontrols.moc"

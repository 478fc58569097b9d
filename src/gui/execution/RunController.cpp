#include "gui/execution/RunController.h"

#include "gui/execution/Breakpoints.h"
#include "gui/execution/TraceWindow.h"

#include "core/execution/RunMessages.h"
#include "core/execution/RunReport.h"
#include "core/files/LineBreaks.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/canvas/CanvasView.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/execution/RunControlsFrame.h"
#include "gui/execution/RunWindow.h"
#include "gui/execution/VariablesWindow.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <utility>

namespace {
// The zero-interval loop lets the window react this often, whatever the number of steps:
// fifty pictures a second follow the run smoothly, and Stop is felt at once, while painting
// takes little of the time the steps have.
constexpr qint64 eventIntervalMs = 20;
} // namespace

RunController::RunController(RunWindow& window, QObject* parent)
    : QObject(parent), m_window(window),
      m_session(window.diagram(), window.questions(), window.messageSink(), *this),
      m_caption(new QLabel(window.canvas())),
      m_breakpoints(new Breakpoints(window.diagram(), *window.canvas(), this)) {
    m_caption->setStyleSheet(
        QStringLiteral("background: #FFFFE8; border: 1px solid #808080; padding: 2px;"));
    m_caption->hide();
    m_numbersShownOn = window.canvas();
    m_numbersShownOn->setStepNumbers(&m_markers);
    connect(&window.timerRunner(), &QTimer::timeout, this, &RunController::timerRunner_Timer);
}

RunController::~RunController() {
    if (m_numbersShownOn) // the canvas may outlive the run controls by a moment
        m_numbersShownOn->setStepNumbers(nullptr);
}

Vars_F* RunController::varsWindow() const {
    return m_varsWindow;
}

bool RunController::running() const {
    return m_session.interpreter().currentBlock() != nullptr;
}

int RunController::speed() const {
    return m_window.fraDebug()->scroll_ExecutionDelay->value();
}

// --- What a step shows -------------------------------------------------------------------

void RunController::setSelector(cBck* block) {
    m_pending.selector = true;
    m_pending.selectorBlock = block;
}

void RunController::hideSelector() {
    m_pending.selector = true;
    m_pending.selectorBlock = nullptr;
}

void RunController::showPointer(cBck* block) {
    m_pending.pointer = true;
    m_pending.pointerBlock = block;
}

void RunController::hidePointer() {
    m_pending.pointer = true;
    m_pending.pointerBlock = nullptr;
}

void RunController::stepCaptionChanged() {
    m_pending.caption = true;
}

void RunController::setStatusCaption(const QString& text) {
    m_pending.status = true;
    m_pending.statusText = text;
}

void RunController::showOutputBox() {
    m_pending.outputBox = true;
}

void RunController::outputChanged(const RunOutput&) {
    m_pending.output = true;
}

void RunController::showOutput(const RunOutput& output) {
    QPlainTextEdit* box = m_window.text1();
    QScrollBar* scroll = box->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    if (output.cuts() != m_shownOutput.cuts || output.kept().size() < m_shownOutput.size) {
        box->setPlainText(LineBreaks::toLf(output.text()));
    } else if (output.kept().size() > m_shownOutput.size) {
        QTextCursor end(box->document());
        end.movePosition(QTextCursor::End);
        end.insertText(LineBreaks::toLf(output.kept().mid(m_shownOutput.size)));
    }
    m_shownOutput = {output.cuts(), output.kept().size()};
    if (atEnd)
        scroll->setValue(scroll->maximum()); // the newest line stays in view
}

void RunController::showPending() {
    PendingDisplay pending = std::exchange(m_pending, {});
    if (pending.outputBox && m_window.text1()->isHidden()) {
        m_window.text1()->show();
        m_window.text1()->raise();
    }
    if (pending.output)
        showOutput(m_session.interpreter().outputLog());
    if (pending.caption) {
        m_caption->setText(m_session.interpreter().stepCaption().replace(QStringLiteral("\r\n"),
                                                                         QStringLiteral("\n")));
        m_caption->adjustSize();
    }
    if (pending.pointer && pending.pointerBlock) {
        const cBck* block = pending.pointerBlock;
        const QPointF top(block->shapeLeft() + block->shapeWidth() / 2.0, block->shapeTop());
        const QPointF at(int(block->shapeLeft() + block->shapeWidth() + 40),
                         int(std::max(0.0, block->shapeTop() - 30)));
        m_window.canvas()->placeAt(m_caption, at);
        // Before the first caption of a run there is nothing to say: no empty box.
        m_caption->setVisible(!m_caption->text().isEmpty());
        m_caption->raise();
        m_window.canvas()->setLine1(QLineF(at, top));
        m_window.canvas()->setLine1Visible(true);
    } else if (pending.pointer) {
        m_window.canvas()->setLine1Visible(false);
    }
    if (pending.selector && pending.selectorBlock) {
        m_window.setSelector(pending.selectorBlock);
        showBlock(*pending.selectorBlock);
    } else if (pending.selector)
        m_window.canvas()->hideSelector();
    if (pending.status)
        m_window.statusPanel(1)->setText(pending.statusText);
}

void RunController::showBlock(const cBck& block) {
    if (m_phase != RunPhase::Idle || m_session.interpreter().currentBlock())
        m_window.canvasView()->showDiagramRect(
            QRectF(block.shapeLeft(), block.shapeTop(), block.shapeWidth(), block.shapeHeight()));
}

void RunController::stepRecorded() {
    emit recordStep(); // a recorder that takes a picture first asks for showPending()
}

void RunController::addMarker(cBck& block) {
    m_markers.push_back(
        {QPointF(block.shapeLeft(), block.shapeTop()), Interpreter::blockNumber(block)});
    m_window.canvas()->stepNumberAdded();
}

void RunController::clearMarkers() {
    m_markers.clear();
    m_window.canvas()->stepNumbersCleared();
    m_trace.restart(m_window.diagram().generation());
    m_caption->clear();
    m_caption->hide();
    m_session.interpreter().clearExecutedBlocks();
}

// --- Stepping ---------------------------------------------------------------------------------

void RunController::timerRunner_Timer() {
    cBck* block = m_session.interpreter().currentBlock();
    if (block && pausesBefore(*block))
        return;
    const qsizetype executedBefore = m_session.interpreter().executedBlocks().size();
    const RunOutput& output = m_session.interpreter().outputLog();
    const qsizetype outputBefore = output.kept().size();
    const int cutsBefore = output.cuts();
    const Interpreter::Outcome outcome = m_session.interpreter().step();
    if (block && m_session.interpreter().executedBlocks().size() > executedBefore)
        addMarker(*block);
    if (block)
        m_trace.record(*block, m_session.interpreter().lastChange(),
                       output.writtenSince(outputBefore, cutsBefore));
    handle(outcome);
    if (!m_looping)
        showPending(); // a timed step or a step of its own: shown at once
    if (outcome == Interpreter::Outcome::Continue && ++m_stepsSinceAsked >= m_stepsBeforeAsking)
        askToGoOnAfterManySteps();
}

// A marked block stops a timed or a fast run before it runs, once: going on runs it.
bool RunController::pausesBefore(const cBck& block) {
    // A stepped run stops before every block anyway.
    const bool driven = m_phase == RunPhase::Running || m_phase == RunPhase::Racing;
    if (m_pausedAt == &block || !driven || !m_breakpoints->at(block)) {
        m_pausedAt = nullptr;
        return false;
    }
    m_pausedAt = &block;
    m_resumesRacing = m_phase == RunPhase::Racing;
    m_window.setTimerEnabled(false);
    setPhase(RunPhase::Paused);
    m_window.fraDebug()->chkPause->setChecked(true);
    showPending();
    return true;
}

void RunController::toggleBreakpoint() {
    Diagram& diagram = m_window.diagram();
    const cBck* block = diagram.blockAt(diagram.currentBlockIndex);
    if (!block || Bl_Co::isDeleted(*block)) {
        m_window.messageSink().showMessage(
            QStringLiteral("Επιλέξτε πρώτα την εντολή όπου θα σταματά η "
                           "εκτέλεση."));
        return;
    }
    m_breakpoints->toggle(*block);
}

bool RunController::askToGoOnAfterManySteps() {
    showPending();
    m_stepsSinceAsked = 0;
    const bool wasEnabled = m_window.timerEnabled();
    m_window.setTimerEnabled(false);
    const ModalQuestions::Answer answer = m_window.questions().messageBox(
        QStringLiteral("Η εκτέλεση έχει κάνει ") + QString::number(m_stepsBeforeAsking) +
            QStringLiteral(" βήματα χωρίς να φτάσει στο Τέλος. Μήπως το διάγραμμα δεν "
                           "τελειώνει ποτέ;\r\n\r\nΝα συνεχιστεί η εκτέλεση;"),
        QStringLiteral("Προσοχή"), ModalQuestions::Buttons::YesNo);
    if (answer == ModalQuestions::Answer::Yes) {
        m_window.setTimerEnabled(wasEnabled);
        return true;
    }
    cmdStop_MouseDown();
    return false;
}

void RunController::handle(Interpreter::Outcome outcome) {
    using Outcome = Interpreter::Outcome;
    if (outcome == Outcome::Continue)
        return;
    showPending(); // the last step is on the screen before the run's end is reported
    const RunReport::End end = RunReport::endOf(outcome, m_session.interpreter());
    // A dead end or a block of no known kind puts the speed back, as Stop does; a stop from
    // the input box is Stop.
    if (outcome == Outcome::Failed || outcome == Outcome::UnknownKind ||
        outcome == Outcome::Stopped)
        m_window.ENABLE_ALL_CMD();
    if (end.failedBlock)
        no_terminator();
    else
        finishRun(end);
}

void RunController::StartExecution() {
    QTimer& timer = m_window.timerRunner();
    m_window.setTimerEnabled(true);
    // A timed run is driven by the timer; a stepped run waits for "Επόμενο βήμα".
    if (timer.interval() != 0 || m_phase != RunPhase::Racing || m_looping)
        return;
    // Steps follow each other; the window stays usable, so Stop can end the loop.
    m_looping = true;
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    unsigned steps = 0;
    while (m_window.timerEnabled() && m_phase == RunPhase::Racing && timer.interval() == 0 &&
           m_window.runOwner().isVisible()) {
        timerRunner_Timer();
        // The clock is read every few steps: reading it costs about as much as a step.
        if (++steps % 16 == 0 && sinceEvents.elapsed() >= eventIntervalMs) {
            showPending();
            QApplication::processEvents();
            sinceEvents.restart();
        }
    }
    showPending();
    m_looping = false;
}

void RunController::TerminateExecution(bool success) {
    finishRun(RunReport::ended(success));
}

void RunController::finishRun(const RunReport::End& end) {
    m_window.diagram().previousBlockIndex = -1;
    m_session.interpreter().stop();
    m_window.setTimerEnabled(false);
    controlsAfterRun();
    RunReport::report(end, m_window.questions());
    m_window.canvas()->setLine1Visible(false);
    m_window.menus().showRecording(false);
    emit runEnded();
}

void RunController::no_terminator() {
    const RunReport::End end =
        RunReport::endOf(Interpreter::Outcome::ExpressionFailed, m_session.interpreter());
    const cBck* block = end.failedBlock;
    const QString number = block ? Interpreter::blockNumber(*block) : QString();
    QLabel* error = m_window.texterror();
    const QString reason = m_session.interpreter().failureReason();
    // The reason, when the run knows it; the design's list of likely causes otherwise.
    if (!reason.isEmpty())
        error->setText(RunMessages::end(false) + QLatin1Char('\n') +
                       RunMessages::problemInBlock(number) + QStringLiteral(":\n") + reason);
    else
        error->setText(
            QStringList({RunMessages::end(false), RunMessages::problemInBlock(number),
                         QStringLiteral("Το πρόβλημα μπορεί να δημιουργείται είτε "),
                         QStringLiteral("από την χρήση μεταβλητής που δεν έχει τιμή είτε"),
                         QStringLiteral("από συνάρτηση που δεν υποστηρίζεται απο την "
                                        "εφαρμογή."),
                         QStringLiteral("Οι συναρτήσεις Ακέραιο μέρος (Α_Μ), Απόλυτος "
                                        "τιμή (Α_Τ),"),
                         QStringLiteral("Τετραγωνική ρίζα (Τ_Ρ), πρέπει να υπάρχουν μόνο "
                                        "στην αρχή μιας έκφρασης.")})
                .join(QLatin1Char('\n')));
    error->adjustSize();
    if (block) {
        showBlock(*block);
        // Beside the block, but always whole inside the visible part of the canvas.
        CanvasWidget* canvas = m_window.canvas();
        QWidget* overlay = m_window.canvasOverlay();
        const QPointF corner(block->shapeLeft() + block->shapeWidth() + 60,
                             block->shapeTop() + block->shapeHeight() + 20);
        const QPoint beside = canvas->mapTo(overlay, canvas->toView(corner).toPoint());
        const QSize room = overlay->size() - error->size();
        error->move(std::clamp(beside.x(), 0, std::max(0, room.width())),
                    std::clamp(beside.y(), 0, std::max(0, room.height())));
        const QPoint from =
            canvas->mapFrom(overlay, QPoint(error->x(), error->y() + error->height() / 2));
        m_window.canvas()->setLine1(
            QLineF(canvas->toDiagram(from),
                   QPointF(block->shapeLeft() + block->shapeWidth() / 2.0, block->shapeTop())));
    }
    error->show();
    error->raise();
    m_window.canvas()->setLine1Visible(true);
    // The box must leave the explanation readable.
    m_window.questions().keepClearOf(QRect(error->mapToGlobal(QPoint(0, 0)), error->size()));
    RunReport::report(end, m_window.questions());
    m_window.questions().keepClearOf(QRect());
    m_window.canvas()->setLine1Visible(false);
    error->hide();
    m_session.interpreter().stop();
    m_window.setTimerEnabled(false);
    controlsAfterRun();
    emit runEnded();
}

void RunController::controlsAfterRun() {
    m_speedLocked = false;
    setPhase(RunPhase::Idle);
    showSpeed(speed()); // a stepped or fast run may have changed the label and the interval
    m_caption->hide();
}

bool RunController::refuseEmptyDiagram() {
    if (m_window.diagram().the_bl_co().Count() > 0)
        return false;
    m_window.questions().messageBox(RunMessages::noDiagram(), QString(),
                                    ModalQuestions::Buttons::Ok);
    return true;
}

void RunController::setPhase(RunPhase phase) {
    m_phase = phase;
    showRunControls();
}

void RunController::showRunControls() {
    const RunControlStates states = runControlStates(m_phase, speed(), m_speedLocked);
    RunControlsFrame* run = m_window.fraDebug();
    run->cmdRun->setEnabled(states.run);
    run->cmdStop->setEnabled(states.stop);
    run->cmdNextStep->setEnabled(states.nextStep);
    run->chkPause->setEnabled(states.pause);
    run->chkPause->setChecked(states.pauseTicked);
    run->cmdVars->setEnabled(states.vars);
    run->scroll_ExecutionDelay->setEnabled(states.speed);
    MainMenus& menus = m_window.menus();
    for (QAction* action : {menus.auto_run, menus.step_run, menus.fast_run})
        action->setEnabled(states.runMenus);
    menus.mnuHelp->setEnabled(states.runMenus);
    menus.mnuFile->setEnabled(states.fileMenus);
    menus.mnuChangeShape->setEnabled(states.fileMenus);
}

void RunController::showSpeed(int position) {
    m_window.fraDebug()->lblDelay->setText(RunControlsFrame::speedLabel(position));
    m_window.timerRunner().setInterval(RunControlsFrame::speedInterval(position));
    if (position == 0)
        m_window.timerRunner().setInterval(0);
    m_window.applyTimer();
}

// --- The run controls -------------------------------------------------------------------------

bool RunController::startRun(RunPhase pace, bool speedLocked) {
    if (refuseEmptyDiagram()) {
        return false;
    }
    m_window.NEO();
    clearMarkers();
    m_stepsSinceAsked = 0;
    m_resumesRacing = false;
    // Unsaved work is offered for saving; the run goes on whatever the answer.
    m_window.askSaveChangesBeforeRun();
    m_window.text1()->clear();
    m_shownOutput = {};
    m_window.text1()->hide();
    m_window.texterror()->hide();
    m_window.canvas()->setLine1Visible(false);
    m_session.start();
    m_window.setSelector(m_session.interpreter().currentBlock());
    m_speedLocked = speedLocked;
    setPhase(pace);
    StartExecution();
    return true;
}

void RunController::cmdRun_MouseDown() {
    if (m_window.fraDebug()->cmdRun->isEnabled())
        startRun(speed() > 0 ? RunPhase::Running : RunPhase::Stepping, speed() == 0);
}

void RunController::cmdStop_MouseDown() {
    // While a run waits in its input box, the box answers Stop and the run ends from there.
    if (m_window.questions().runInputOpen()) {
        m_window.questions().stopRunInput();
        return;
    }
    m_window.ENABLE_ALL_CMD();
    TerminateExecution(false);
}

void RunController::cmdNextStep_Click() {
    if (refuseEmptyDiagram()) {
        return;
    }
    if (!m_session.interpreter().currentBlock()) {
        m_session.interpreter().goToStart();
        m_window.setSelector(m_session.interpreter().currentBlock());
    }
    if (m_phase == RunPhase::Idle) {
        // A step from the start block is a run under way: its commands are out of reach.
        m_speedLocked = true;
        setPhase(RunPhase::Stepping);
    }
    timerRunner_Timer();
    if (m_phase == RunPhase::Paused) { // a step unticks "Παύση": the timer runs again
        m_resumesRacing = false;
        m_window.setTimerEnabled(true);
        setPhase(speed() > 0 ? RunPhase::Running : RunPhase::Stepping);
    }
}

void RunController::chkPause_Click() {
    const bool ticked = m_window.fraDebug()->chkPause->isChecked();
    m_window.setTimerEnabled(!ticked);
    if (ticked && m_phase == RunPhase::Running)
        setPhase(RunPhase::Paused);
    else if (!ticked && m_phase == RunPhase::Paused && m_resumesRacing)
        resumeRacing();
    else if (!ticked && m_phase == RunPhase::Paused)
        setPhase(speed() > 0 ? RunPhase::Running : RunPhase::Stepping);
    else
        showRunControls();
}

// A fast run paused at a breakpoint goes on as fast as before.
void RunController::resumeRacing() {
    m_resumesRacing = false;
    setPhase(RunPhase::Racing);
    m_window.timerRunner().setInterval(0);
    StartExecution(); // returns once the run has ended, was stopped or paused again
}

TraceWindow* RunController::showTrace() {
    if (!m_traceWindow)
        m_traceWindow = new TraceWindow(m_trace, m_window.diagram(), m_window.questions(),
                                        &m_window.runOwner());
    m_traceWindow->show();
    m_traceWindow->raise();
    return m_traceWindow;
}

void RunController::cmdVars_Click() {
    if (m_session.interpreter().executedBlocks().isEmpty())
        return;
    if (!m_varsWindow) {
        m_varsWindow = new Vars_F(m_session.variables(), m_window.diagram(), &m_window.runOwner());
        connect(m_varsWindow, &Vars_F::left, this, [this] { showRunControls(); });
    }
    m_varsWindow->model->refresh();
    m_varsWindow->saveBlockColours();
    if (QScreen* screen = m_window.runOwner().screen()) {
        const QRect area = screen->availableGeometry();
        m_varsWindow->move(area.right() - m_varsWindow->frameGeometry().width(), area.top());
    }
    m_varsWindow->setModal(true);
    m_varsWindow->show();
    m_varsWindow->raise();
}

void RunController::auto_run_Click() {
    if (refuseEmptyDiagram())
        return;
    m_window.fraDebug()->scroll_ExecutionDelay->setValue(4);
    scroll_ExecutionDelay_Change(); // also when it already stood at 4
    startRun(RunPhase::Running, false);
}

void RunController::step_run_Click() {
    if (refuseEmptyDiagram())
        return;
    // The slider shows the pace: at 0 every "Επόμενο βήμα" executes one block.
    m_window.fraDebug()->scroll_ExecutionDelay->setValue(0);
    showSpeed(0);
    m_window.fraDebug()->lblDelay->setText(QStringLiteral("Βηματική εκτέλεση"));
    startRun(RunPhase::Stepping, true);
}

void RunController::fast_run_Click() {
    if (refuseEmptyDiagram())
        return;
    m_window.fraDebug()->lblDelay->setText(QStringLiteral("Γρήγορη εκτέλεση"));
    m_window.timerRunner().setInterval(0);
    startRun(RunPhase::Racing, true); // returns once the run has ended or was stopped
}

void RunController::scroll_ExecutionDelay_Change() {
    const int position = speed();
    showSpeed(position);
    if (position == 0) {
        m_session.interpreter().setCurrentBlock(
            m_window.diagram().findActionBlock(BlockKinds::start));
        m_window.setSelector(m_session.interpreter().currentBlock());
    }
    // A timed run moved to 0 waits for "Επόμενο βήμα"; moved back, the timer drives it again.
    if (position == 0 && m_phase == RunPhase::Running)
        m_phase = RunPhase::Stepping;
    else if (position > 0 && m_phase == RunPhase::Stepping && !m_speedLocked)
        m_phase = RunPhase::Running;
    showRunControls();
}

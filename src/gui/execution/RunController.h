#pragma once

#include "core/execution/RunPhase.h"
#include "core/execution/RunReport.h"
#include "core/execution/RunSession.h"
#include "core/execution/TraceRecorder.h"
#include "gui/canvas/CanvasWidget.h"

#include <QObject>
#include <QPointer>
#include <vector>

class RunWindow;
class QLabel;
class TraceWindow;
class Vars_F;

// The run controls of the main window: starting, pausing, stepping and stopping a run, the
// variables window, and what each step shows on the canvas.
class Breakpoints;

class RunController : public QObject, public RunDisplay {
    Q_OBJECT
public:
    RunController(RunWindow& window, QObject* parent);
    ~RunController() override;

    Interpreter& interpreter() { return m_session.interpreter(); }
    VariableStore& variables() { return m_session.variables(); }
    RandomSource& random() { return m_session.random(); }
    // The step caption beside the block just executed.
    QLabel* lbcapti() const { return m_caption; }
    Vars_F* varsWindow() const;
    // The trace table of the current or last run ("Πίνακας τιμών"), and its window, which
    // follows the run live.
    const TraceRecorder& trace() const { return m_trace; }
    TraceWindow* showTrace();
    // The numbers of the blocks the run executed, painted beside them on the canvas.
    const std::vector<CanvasWidget::StepNumber>& executedMarkers() const { return m_markers; }
    // "Σημείο διακοπής" (F9) on the selected block: a timed run pauses before a marked
    // block; unticking "Παύση" goes on.
    void toggleBreakpoint();
    Breakpoints& breakpoints() { return *m_breakpoints; }
    bool running() const;

    // Handlers of the run controls.
    void cmdRun_MouseDown();                     // starts a run at the slider's speed
    void cmdRun_ClickP() { cmdRun_MouseDown(); } // the same, called from code
    void cmdStop_MouseDown();                    // ends the run as a failure
    void cmdNextStep_Click();                    // executes one block
    void chkPause_Click();                       // "Παύση" ticked or unticked
    void cmdVars_Click();                        // the variables window, after a run
    void auto_run_Click();                       // "Αυτόματη Εκτέλεση"
    void step_run_Click();                       // "Βηματική Εκτέλεση"
    // "Γρήγορη Εκτέλεση": the steps follow each other without delay until the end or Stop.
    void fast_run_Click();
    // The slider moved: label, interval and the run's phase follow.
    void scroll_ExecutionDelay_Change();
    RunPhase phase() const { return m_phase; }
    // Puts every run control in the state the phase and the speed give it.
    void showRunControls();

    // One step of the run (the timer's tick).
    void timerRunner_Timer();
    // Lets the timer drive the steps, or, for a fast run, steps until the end.
    void StartExecution();
    // Ends the run and reports its success or failure.
    void TerminateExecution(bool success);
    // Ends the run after an expression that could not be computed, explaining it.
    void no_terminator();
    // Removes the executed-block markers.
    void clearMarkers();

    // What a step shows.
    void setSelector(cBck* block) override;
    void hideSelector() override;
    void showPointer(cBck* block) override;
    void hidePointer() override;
    void stepCaptionChanged() override;
    void setStatusCaption(const QString& text) override;
    void showOutputBox() override;
    void outputChanged(const RunOutput& output) override;
    void stepRecorded() override;
    // A fast run changes the widgets only when the screen can show it: what the steps set
    // is kept here and put on the widgets before events are processed, before the pupil is
    // asked, before a screen picture and at every end of a run.
    void showPending() override;

signals:
    // After every step that leads on, while recording is on.
    void recordStep();
    void runEnded();

private:
    // Clears the last run and starts a new one at `pace`; `speedLocked` keeps the slider
    // still until the run ends.
    bool startRun(RunPhase pace, bool speedLocked);
    void setPhase(RunPhase phase);
    // The speed label and the timer interval of a slider position.
    void showSpeed(int position);
    // "Δεν Υπάρχει διάγραμμα" when there is nothing to run; true then.
    bool refuseEmptyDiagram();
    // The controls as every end of a run leaves them.
    void controlsAfterRun();
    void handle(Interpreter::Outcome outcome);
    // Every end of a run: the controls back, then the end's message boxes.
    void finishRun(const RunReport::End& end);
    void addMarker(cBck& block);
    // Scrolls the canvas, during a run, so that the block is in view.
    void showBlock(const cBck& block);
    int speed() const;

    // What the steps set since the widgets were last brought up to date.
    struct PendingDisplay {
        bool selector = false;
        cBck* selectorBlock = nullptr; // none: hide the selector
        bool pointer = false;
        cBck* pointerBlock = nullptr; // none: hide the pointer line
        bool caption = false;
        bool status = false;
        QString statusText;
        bool outputBox = false;
        bool output = false;
    };
    PendingDisplay m_pending;
    // How much of the run's output the box shows: only what is new is appended to it.
    struct ShownOutput {
        int cuts = -1;
        qsizetype size = 0;
    };
    ShownOutput m_shownOutput;
    void showOutput(const RunOutput& output);

    RunWindow& m_window;
    RunSession m_session;
    QLabel* m_caption;
    std::vector<CanvasWidget::StepNumber> m_markers;
    QPointer<CanvasWidget> m_numbersShownOn;
    Breakpoints* m_breakpoints;
    bool m_resumesRacing = false;     // the run paused at a breakpoint was a fast one
    const cBck* m_pausedAt = nullptr; // the marked block the run paused before
    QPointer<Vars_F> m_varsWindow;
    TraceRecorder m_trace;
    QPointer<TraceWindow> m_traceWindow;
    bool m_looping = false;
    RunPhase m_phase = RunPhase::Idle;
    bool m_speedLocked = false;
    // Steps since the run started or the pupil last chose to go on.
    long long m_stepsSinceAsked = 0;
    // Pauses a run that may never end and asks whether to go on; false when it was stopped.
    bool askToGoOnAfterManySteps();
    bool pausesBefore(const cBck& block);
    void resumeRacing();
    long long m_stepsBeforeAsking = defaultStepsBeforeAsking;

public:
    // A run this long is probably endless; its variables table grows with every step.
    static constexpr long long defaultStepsBeforeAsking = 1000000;
    void setStepsBeforeAsking(long long steps) { m_stepsBeforeAsking = steps; }
};

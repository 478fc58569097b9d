#pragma once

// Where a run stands. The run frame and the run menus show nothing but what this phase and
// the speed position say, so the panel can never show a state the timer does not have.
enum class RunPhase {
    Idle,    // no run under way: before the first run and after every end of a run
    Running, // the timer drives the steps (a speed position above 0)
    Paused,  // a timed run with "Παύση" ticked
    Stepping, // one block per "Επόμενο βήμα" (speed 0, or "Βηματική Εκτέλεση")
    Racing, // "Γρήγορη Εκτέλεση": the steps follow each other without delay
};

// Enabled (and ticked) state of every run control.
struct RunControlStates {
    bool run = false;      // cmdRun
    bool stop = false;     // cmdStop
    bool nextStep = false; // cmdNextStep
    bool pause = false;    // chkPause enabled
    bool pauseTicked = false;
    bool vars = false;      // cmdVars
    bool runMenus = false;  // auto_run, step_run, the fast run and mnuHelp
    bool fileMenus = false; // mnuFile and mnuChangeShape
    bool speed = false;     // scroll_ExecutionDelay

    bool operator==(const RunControlStates&) const = default;
};

// The one table of the run controls. `speedPosition` is the slider's position (0 to 5);
// `speedLocked` says the slider stood at 0 when the run began or the run came from a menu
// that fixes the pace, so it may not be moved until the run ends.
RunControlStates runControlStates(RunPhase phase, int speedPosition, bool speedLocked);

// The phase's name, for messages of tests and benchmarks.
const char* runPhaseName(RunPhase phase);

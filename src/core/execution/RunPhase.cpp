#include "core/execution/RunPhase.h"

RunControlStates runControlStates(RunPhase phase, int speedPosition, bool speedLocked) {
    RunControlStates states;
    const bool stepping = speedPosition == 0;
    switch (phase) {
    case RunPhase::Idle:
        states.run = !stepping;
        states.nextStep = stepping;
        states.vars = true;
        states.runMenus = true;
        states.fileMenus = true;
        states.speed = true;
        states.stop = true; // a press ends nothing, as it always did
        return states;
    case RunPhase::Running:
    case RunPhase::Paused:
        states.stop = true;
        states.nextStep = stepping;
        states.pause = true;
        states.pauseTicked = phase == RunPhase::Paused;
        states.speed = !speedLocked;
        return states;
    case RunPhase::Stepping:
        states.stop = true;
        states.nextStep = true;
        states.speed = !speedLocked;
        return states;
    case RunPhase::Racing:
        states.stop = true;
        return states;
    }
    return states;
}

const char* runPhaseName(RunPhase phase) {
    switch (phase) {
    case RunPhase::Idle:
        return "idle";
    case RunPhase::Running:
        return "running";
    case RunPhase::Paused:
        return "paused";
    case RunPhase::Stepping:
        return "stepping";
    case RunPhase::Racing:
        return "racing";
    }
    return "?";
}

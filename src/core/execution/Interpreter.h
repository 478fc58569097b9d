#pragma once

#include "core/execution/RunOutput.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <memory>
#include <optional>
#include <vector>

class Diagram;
class ExpressionEvaluator;
class ModalQuestions;
class RandomSource;
class RunOutput;
class VariableStore;
class cBck;
class cLn;

// What a step shows. The editor draws it on the canvas; a plain RunDisplay shows nothing,
// as a headless run needs.
class RunDisplay {
public:
    virtual ~RunDisplay() = default;
    virtual void setSelector(cBck*) {}
    virtual void hideSelector() {}
    // The step caption beside the diagram, and the pointer line from it to `block`.
    virtual void showPointer(cBck*) {}
    virtual void hidePointer() {}
    // The interpreter's stepCaption() changed; a display that shows it asks for it.
    virtual void stepCaptionChanged() {}
    // The first panel of the status bar.
    virtual void setStatusCaption(const QString&) {}
    virtual void showOutputBox() {}
    // The output grew (or was cut at its beginning); a display that shows it appends what
    // is new.
    virtual void outputChanged(const RunOutput&) {}
    // After every step that leads on to a block: the place for a screen picture.
    virtual void stepRecorded() {}
    // Before the run waits for the pupil (an input box): whatever the display holds back
    // must be on the screen now.
    virtual void showPending() {}
};

// Walks the flowchart one block per step. It owns the run state; starting, pausing and
// ending a run belong to whoever drives the steps (the run controls or the headless tool).
class Interpreter {
public:
    enum class Outcome {
        Continue,         // a next block is current
        Succeeded,        // the end block was reached
        Failed,           // no current block, or no line that fits
        UnknownKind,      // a block of no known kind; see unknownKind()
        ExpressionFailed, // an assignment or condition gave "EROR"; see failedBlock()
        NoInput,          // an input was asked and no answer can come
        Stopped,          // the pupil stopped the run from the input box
    };

    Interpreter(Diagram& diagram, VariableStore& variables, ExpressionEvaluator& evaluator,
                RandomSource& random, ModalQuestions& questions, RunDisplay& display);

    cBck* currentBlock() const { return m_current; }
    void setCurrentBlock(cBck* block);
    // Makes the start block current, as every run begins; a diagram without one, or with
    // several, is said in the message window (and the first one is used).
    void goToStart();
    cLn* traversedLine() const { return m_traversed; }
    // Numbers of the blocks executed so far, each once.
    const QStringList& executedBlocks() const { return m_executed; }
    void clearExecutedBlocks() {
        m_executed.clear();
        m_executedBlocks.clear();
        ++m_executedEpoch;
    }
    QString output() const { return m_output.text(); }
    // What the last step did, for a trace table: the variable it gave a value (indices
    // computed, "Α[2]") and the value, or the outcome of the condition it tested.
    struct Change {
        QString variable, value;
        std::optional<bool> truth;
    };
    const Change& lastChange() const { return m_lastChange; }
    // Values the next inputs take, in order, instead of asking: an exercise's case watched
    // step by step. The rest is dropped when the run ends.
    void giveInputs(const QStringList& values) { m_givenInputs = values; }
    const RunOutput& outputLog() const { return m_output; }
    void clearOutput() { m_output.clear(); }
    // What the last step computed, as the caption beside its block shows it; written out
    // only when asked, since a fast run asks for few of them.
    QString stepCaption() const;
    QString unknownKind() const { return m_unknownKind; }
    cBck* failedBlock() const { return m_failed; }
    // Why the failed block's expression could not be computed, when that is known.
    QString failureReason() const { return m_failureReason; }

    // Executes the current block and moves on.
    Outcome step();
    // Follows the line leaving `block` whose caption is `choice` (any line when empty).
    cBck* nextBlock(cBck* block, const QString& choice);
    // The run has ended: no block is current.
    void stop() {
        m_current = nullptr;
        m_givenInputs.clear();
    }

    static QString blockNumber(const cBck& block);

private:
    Outcome read(cBck& block);
    // True when the flowchart computes or compares with the variable (or table) `name`: its
    // input must then be a number.
    bool usedAsNumber(const QString& name) const;
    Outcome write(cBck& block);
    // The value of one output item, numbers padded on the left to six characters.
    QString printedValue(const QString& expression);
    Outcome assign(cBck& block);
    Outcome moveOn(cBck* next);
    void caption(const QString& text);

    Diagram& m_diagram;
    VariableStore& m_variables;
    ExpressionEvaluator& m_evaluator;
    RandomSource& m_random;
    ModalQuestions& m_questions;
    RunDisplay& m_display;
    cBck* m_current = nullptr;
    int m_generation = -1; // of the diagram the run state belongs to
    cLn* m_traversed = nullptr;
    quint64 m_traversedRevision = 0; // the lines' revision when it was followed
    // By the tag they leave; most blocks have one or two, kept without an allocation.
    QHash<QString, QVarLengthArray<cLn*, 2>> m_outgoing;
    quint64 m_outgoingRevision = ~quint64(0);
    cBck* m_failed = nullptr;
    QString m_failureReason;
    Outcome expressionFailed(cBck& block, const QString& reason);
    QStringList m_executed;
    QSet<const cBck*> m_executedBlocks; // the same blocks, for a quick look-up
    int m_executedEpoch = 0;            // moves on whenever the list is cleared
    // A line leaving a block, and the block it leads to, trusted only for the same tag: lines
    // come and go with edits.
    struct Exit {
        cLn* line;
        QString to;
        cBck* target;
    };
    // What a step does with a block, read from its action text.
    enum class StepKind { Start, Input, Output, Assign, Condition, Junction, End, Unknown };
    // What every step at a block needs of it, found once a run (a block keeps its place and
    // its lines until the diagram is replaced or the lines change): a step then costs the
    // same in a diagram of any size.
    struct BlockPlan {
        QString action; // the action text the kind was read from, shared with the block's
        StepKind kind = StepKind::Unknown;
        bool showsPointer = false;
        int index = -1; // in the block collection
        std::vector<Exit> outgoing;
        quint64 outgoingRevision = ~quint64(0);
        int executedEpoch = -1; // the block is in the executed list of this epoch
        // A condition's text and the name its outcome is recorded under.
        QString condition;
        QString recordName;
    };
    // Each plan keeps its place while others are added.
    QHash<const cBck*, std::shared_ptr<BlockPlan>> m_plans;
    int m_plansGeneration = -1; // of the diagram the plans were found in
    // The plans of the blocks met lately, by the block's address: a loop's few blocks are
    // found without hashing.
    struct RecentPlan {
        const cBck* block = nullptr;
        BlockPlan* plan = nullptr;
    };
    RecentPlan m_recentPlans[128]; // 64 pairs
    void forgetPlaces();
    BlockPlan& planOf(const cBck& block);
    std::vector<Exit>& outgoingLines(const cBck& block);
    void explainDeadEnd(const cBck& block, const QString& why);
    cBck* targetOf(Exit& exit);
    const QString& recordNameOf(BlockPlan& plan, const QString& condition);
    Outcome test(cBck& block, BlockPlan& plan, QString* choice);
    RunOutput m_output;
    QStringList m_givenInputs;
    Change m_lastChange;
    // The caption's pieces: a text, or an assignment (target, translated, value), or a
    // condition (translated, truth).
    struct CaptionParts {
        enum class Kind { Text, Assignment, Condition } kind = Kind::Text;
        QString first, second, third;
        bool truth = false;
    };
    CaptionParts m_caption;
    QString m_unknownKind;
};

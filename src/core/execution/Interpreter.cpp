#include "core/execution/Interpreter.h"

#include "core/execution/ConditionRecord.h"
#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/RandomSource.h"
#include "core/execution/VariableStore.h"
#include "core/expression/ExpressionTree.h"
#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/LineControls.h"
#include "core/model/MessageSink.h"
#include "core/model/ModalQuestions.h"
#include "core/model/OutputList.h"

#include <QRegularExpression>

#include <cmath>
#include <initializer_list>

namespace {
const QString crlf = QStringLiteral("\r\n");
constexpr quint32 traversedColour = 0x004000; // dark green
const QString numberCharacters = QStringLiteral("0123456789.");

// One allocation for a caption of many pieces: a long run builds one every step.
QString joined(std::initializer_list<QString> pieces) {
    qsizetype size = 0;
    for (const QString& piece : pieces)
        size += piece.size();
    QString text;
    text.reserve(size);
    for (const QString& piece : pieces)
        text += piece;
    return text;
}

// "EROR" in any letter case; upper-casing never shortens a text, so only short ones can be,
// and only those that begin with an E (a short number is looked at no further).
bool isError(const QString& value) {
    return value.size() <= ExpressionEvaluator::error.size() && !value.isEmpty() &&
           value.front().toUpper() == QLatin1Char('E') &&
           value.toUpper() == ExpressionEvaluator::error;
}

bool isTrue(const QString& value) {
    // A comparison's own values first: they are nearly every condition's.
    if (value == QLatin1String("-1"))
        return true;
    if (value == QLatin1String("0"))
        return false;
    bool ok = false;
    const double number = value.trimmed().toDouble(&ok);
    return ok && number != 0;
}
} // namespace

Interpreter::Interpreter(Diagram& diagram, VariableStore& variables, ExpressionEvaluator& evaluator,
                         RandomSource& random, ModalQuestions& questions, RunDisplay& display)
    : m_diagram(diagram), m_variables(variables), m_evaluator(evaluator), m_random(random),
      m_questions(questions), m_display(display) {}

QString Interpreter::blockNumber(const cBck& block) {
    return block.tagid().mid(2);
}

void Interpreter::setCurrentBlock(cBck* block) {
    m_current = block;
    if (m_generation != m_diagram.generation())
        forgetPlaces();
    m_generation = m_diagram.generation();
}

void Interpreter::goToStart() {
    m_failureReason.clear();
    int starts = 0;
    for (const auto& block : m_diagram.the_bl_co()) {
        if (!Bl_Co::isDeleted(*block) && block->zaction() == BlockKinds::start)
            ++starts;
    }
    cBck* start = m_diagram.findActionBlock(BlockKinds::start);
    if (!start) {
        m_failureReason = QStringLiteral("το διάγραμμα δεν έχει εντολή «Αρχή»");
        m_variables.messages().showMessage(QStringLiteral("Η εκτέλεση δεν ξεκίνησε: ") +
                                           m_failureReason + QLatin1Char('.'));
    } else if (starts > 1) {
        m_variables.messages().showMessage(
            QStringLiteral("Το διάγραμμα έχει ") + QString::number(starts) +
            QStringLiteral(" εντολές «Αρχή»· η εκτέλεση ξεκινά από την εντολή ") +
            blockNumber(*start) + QLatin1Char('.'));
    }
    setCurrentBlock(start);
}

void Interpreter::forgetPlaces() {
    m_plans.clear();
    for (RecentPlan& recent : m_recentPlans)
        recent = {};
    m_outgoingRevision = ~quint64(0);
}

namespace {

// What a block does: its action without the loop's "_WHILE" or "_UNTIL".
QString kindOf(const QString& action) {
    QString kind = action;
    if (kind.contains(QLatin1Char('_')))
        kind.remove(QStringLiteral("_WHILE")).remove(QStringLiteral("_UNTIL"));
    return kind;
}

} // namespace

Interpreter::BlockPlan& Interpreter::planOf(const cBck& block) {
    if (m_plansGeneration != m_diagram.generation()) {
        forgetPlaces();
        m_plansGeneration = m_diagram.generation();
    }
    // Blocks lie a whole number of their sizes apart: their addresses are mixed (Fibonacci
    // hashing) before they choose a pair of places, or a loop's blocks would share a few.
    const size_t set = size_t((quint64(quintptr(&block)) * 0x9E3779B97F4A7C15ULL) >> 58);
    RecentPlan* pair = &m_recentPlans[2 * set];
    if (pair[0].block != &block) {
        if (pair[1].block != &block) {
            if (m_plans.isEmpty())
                m_plans.reserve(m_diagram.the_bl_co().Count()); // a long chain meets every block
            std::shared_ptr<BlockPlan>& found = m_plans[&block];
            if (!found)
                found = std::make_shared<BlockPlan>();
            pair[1] = {&block, found.get()};
        }
        std::swap(pair[0], pair[1]); // the newest first
    }
    BlockPlan& plan = *pair[0].plan;
    const QString& action = block.zaction();
    if (plan.index >= 0 && plan.action.constData() == action.constData() &&
        plan.action.size() == action.size())
        return plan;
    plan.action = action;
    plan.index = m_diagram.the_bl_co().get_Index_f_Tag(block.tagid());
    plan.showsPointer = !(action.startsWith(QStringLiteral("ΣΥΝΔΕ")) || action.isEmpty() ||
                          QStringLiteral("Αρχή,Τέλος").contains(action));
    const QString kind = kindOf(action);
    plan.kind = kind == BlockKinds::start       ? StepKind::Start
                : kind == BlockKinds::input     ? StepKind::Input
                : kind == BlockKinds::output    ? StepKind::Output
                : kind == BlockKinds::assign    ? StepKind::Assign
                : BlockKinds::isCondition(kind) ? StepKind::Condition
                : kind == BlockKinds::junction  ? StepKind::Junction
                : kind == BlockKinds::end       ? StepKind::End
                                                : StepKind::Unknown;
    return plan;
}

cBck* Interpreter::targetOf(Exit& exit) {
    const QString& to = exit.line->sTo();
    if (exit.target && exit.to == to)
        return exit.target;
    exit.to = to;
    exit.target = m_diagram.blockAt(m_diagram.the_bl_co().get_Index_f_Tag(to));
    return exit.target;
}

const QString& Interpreter::recordNameOf(BlockPlan& plan, const QString& condition) {
    // Kept while the block keeps the same text: the name is made once, not at every test.
    if (plan.recordName.isEmpty() || plan.condition.constData() != condition.constData() ||
        plan.condition.size() != condition.size()) {
        plan.condition = condition;
        plan.recordName = ConditionRecord::nameOf(condition);
    }
    return plan.recordName;
}

void Interpreter::caption(const QString& text) {
    m_caption = {CaptionParts::Kind::Text, text, {}, {}, false};
    m_display.stepCaptionChanged();
}

QString Interpreter::stepCaption() const {
    switch (m_caption.kind) {
    case CaptionParts::Kind::Text:
        return m_caption.first;
    case CaptionParts::Kind::Assignment:
        return joined({m_caption.first, QStringLiteral(" <-- "), m_caption.second, crlf,
                       m_caption.first, QStringLiteral(" <-- "), m_caption.third});
    case CaptionParts::Kind::Condition:
        return joined({m_caption.first, crlf,
                       m_caption.truth ? QStringLiteral("Αλήθης") : QStringLiteral("Ψευδής")});
    }
    return {};
}

std::vector<Interpreter::Exit>& Interpreter::outgoingLines(const cBck& block) {
    // The lines leaving each block, in the collection's order (the first that matches is
    // followed), found once per change of the lines rather than at every step.
    const Li_Co& lines = m_diagram.the_li_co();
    BlockPlan& plan = planOf(block);
    if (plan.outgoingRevision == lines.revision())
        return plan.outgoing;
    if (m_outgoingRevision != lines.revision()) {
        m_outgoing.clear();
        m_outgoing.reserve(lines.Count()); // grown once, not doubled step by step
        for (const auto& line : lines)
            m_outgoing[line->sFrom()].push_back(line.get());
        m_outgoingRevision = lines.revision();
    }
    const auto found = m_outgoing.constFind(block.tagid());
    plan.outgoing.clear();
    if (found != m_outgoing.cend()) {
        for (cLn* line : *found)
            plan.outgoing.push_back({line, QString(), nullptr});
    }
    plan.outgoingRevision = lines.revision();
    return plan.outgoing;
}

cBck* Interpreter::nextBlock(cBck* block, const QString& choice) {
    if (!block)
        return nullptr;
    Li_Co& lines = m_diagram.the_li_co();
    if (m_traversed) {
        // The line may have gone with an edit since it was followed: then it is looked for.
        bool stands = m_traversedRevision == lines.revision();
        for (auto it = lines.begin(); !stands && it != lines.end(); ++it)
            stands = it->get() == m_traversed;
        if (stands && m_traversed->t_Object_Line())
            m_traversed->t_Object_Line()->setPen(1, 0);
    }
    // The plan's own list: nothing below changes the lines.
    for (Exit& exit : outgoingLines(*block)) {
        cLn* line = exit.line;
        if (!choice.isEmpty() && line->sCaption().compare(choice, Qt::CaseInsensitive) != 0)
            continue;
        if (LineControls* controls = line->t_Object_Line())
            controls->setPen(LineControls::highlightWidth, traversedColour);
        m_traversed = line;
        m_traversedRevision = lines.revision();
        cBck* target = targetOf(exit);
        if (!target)
            explainDeadEnd(*block, QStringLiteral(": η γραμμή που φεύγει από αυτή δεν φτάνει σε "
                                                  "καμία ενέργεια."));
        return target;
    }
    if (choice.isEmpty())
        explainDeadEnd(*block, QStringLiteral(": δεν φεύγει καμία γραμμή από αυτή."));
    else
        explainDeadEnd(*block, QStringLiteral(": δεν υπάρχει η γραμμή «") + choice +
                                   QStringLiteral("» που ακολουθείται όταν η συνθήκη είναι ") +
                                   (choice == QStringLiteral("Ν") ? QStringLiteral("αληθής.")
                                                                  : QStringLiteral("ψευδής.")));
    return nullptr;
}

Interpreter::Outcome Interpreter::step() {
    m_lastChange = {};
    if (m_generation != m_diagram.generation()) {
        // The diagram was replaced since: nothing of the old run is left to follow.
        m_current = nullptr;
        m_traversed = nullptr;
        forgetPlaces();
        m_generation = m_diagram.generation();
    }
    if (!m_current)
        return Outcome::Failed;
    cBck& block = *m_current;
    m_variables.setReportingBlock(block.tagid());
    m_display.setSelector(&block);
    BlockPlan& plan = planOf(block);
    if (plan.executedEpoch != m_executedEpoch && !block.sCaption().isEmpty()) {
        plan.executedEpoch = m_executedEpoch; // in the list now: not looked for again
        if (!m_executedBlocks.contains(&block)) {
            m_executedBlocks.insert(&block);
            // A block new to the set is new to the list too: numbers are unique.
            m_executed.append(blockNumber(block));
        }
    }
    m_diagram.currentBlockIndex = plan.index;
    m_diagram.previousBlockIndex = -1;
    if (plan.showsPointer)
        m_display.showPointer(&block);
    else
        m_display.hidePointer();
    m_display.setStatusCaption(block.sCaption());

    QString choice;
    switch (plan.kind) {
    case StepKind::Start:
        m_traversed = nullptr;
        break;
    case StepKind::Input:
        return read(block);
    case StepKind::Output:
        return write(block);
    case StepKind::Assign: {
        const Outcome outcome = assign(block);
        if (outcome != Outcome::Continue)
            return outcome;
        break;
    }
    case StepKind::Condition: {
        const Outcome outcome = test(block, plan, &choice);
        if (outcome != Outcome::Continue)
            return outcome;
        break;
    }
    case StepKind::Junction:
        return moveOn(nextBlock(&block, QString()));
    case StepKind::End:
        m_display.hideSelector();
        m_current = nullptr;
        return Outcome::Succeeded;
    case StepKind::Unknown:
        m_unknownKind = kindOf(block.zaction());
        m_current = nullptr;
        return Outcome::UnknownKind;
    }
    return moveOn(nextBlock(&block, choice));
}

// A run that ends at a dead end says where and why, besides the failure message of its end.
void Interpreter::explainDeadEnd(const cBck& block, const QString& why) {
    m_variables.messages().showMessage(QStringLiteral("Η εκτέλεση σταμάτησε στην ενέργεια ") +
                                       blockNumber(block) + why);
}

Interpreter::Outcome Interpreter::moveOn(cBck* next) {
    m_current = next;
    if (!next)
        return Outcome::Failed;
    m_display.setSelector(next);
    m_display.stepRecorded();
    return Outcome::Continue;
}

namespace {

bool namesIn(const ExpressionTree::Expr& e, const QString& name) {
    if ((e.kind == ExpressionTree::Expr::Kind::Name ||
         e.kind == ExpressionTree::Expr::Kind::Element) &&
        e.text == name)
        return true;
    for (const auto& arg : e.args) {
        if (namesIn(*arg, name))
            return true;
    }
    return false;
}

bool isNumberText(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*[-+]?(\\d+(\\.\\d*)?|\\.\\d+)\\s*$"));
    return number.match(text).hasMatch();
}

} // namespace

bool Interpreter::usedAsNumber(const QString& name) const {
    using ExpressionTree::Expr;
    for (const auto& block : m_diagram.the_bl_co()) {
        if (Bl_Co::isDeleted(*block))
            continue;
        QStringList expressions;
        const QString kind = block->zaction();
        if (kind == BlockKinds::assign || BlockKinds::isCondition(kind))
            expressions << block->zParam2();
        else if (kind == BlockKinds::output)
            expressions << OutputList::items(block->zParam1(), block->zParam2());
        for (QString text : expressions) {
            text.remove(QLatin1Char(';'));
            const auto tree = ExpressionTree::parse(text, ExpressionTree::Dialect::Run);
            if (!tree || !namesIn(**tree, name))
                continue;
            // A value only copied or printed as it is may be a text; anything else computes.
            const bool bare = (*tree)->kind == Expr::Kind::Name && !BlockKinds::isCondition(kind);
            if (!bare)
                return true;
        }
    }
    return false;
}

Interpreter::Outcome Interpreter::read(cBck& block) {
    m_display.showPending(); // the pupil sees which block asks
    // Without a prompt of its own, the title names what it reads; the box always does, with
    // the rule for what may be typed (a window manager may hide the title).
    const QString title =
        QStringLiteral("Διάβασε ") + (block.zParam1().isEmpty() ? block.zParam2() : QString());
    const QString target = block.zParam2();
    const qsizetype bracket = target.indexOf(QLatin1Char('['));
    const bool number = usedAsNumber(bracket < 0 ? target : target.left(bracket));
    const QString rule = number ? QStringLiteral("Δώστε έναν αριθμό (π.χ. 3.5 — με τελεία).")
                                : QStringLiteral("Δώστε έναν αριθμό (π.χ. 3.5 — με τελεία) ή ένα "
                                                 "κείμενο σε εισαγωγικά (π.χ. \"ΝΑΙ\").");
    QString reason;
    QString answer;
    for (;;) {
        QStringList lines;
        if (!block.zParam1().isEmpty())
            lines << block.zParam1();
        lines << QStringLiteral("Διάβασε ") + target + QStringLiteral(": ") + rule;
        if (!reason.isEmpty())
            lines << reason;
        const ModalQuestions::RunInput given =
            m_givenInputs.isEmpty()
                ? m_questions.runInputBox(lines.join(QLatin1Char('\n')), title)
                : ModalQuestions::RunInput{ModalQuestions::RunInput::Kind::Value,
                                           m_givenInputs.takeFirst()};
        if (given.kind == ModalQuestions::RunInput::Kind::Stop) {
            m_current = nullptr;
            return Outcome::Stopped;
        }
        answer = given.text;
        reason.clear();
        if (given.kind == ModalQuestions::RunInput::Kind::Value && !answer.trimmed().isEmpty()) {
            if (answer.contains(QLatin1Char(',')) || (number && !isNumberText(answer)))
                reason = QStringLiteral("«") + answer +
                         QStringLiteral("»: δώστε αριθμό, π.χ. 3.5 — με τελεία.");
            else
                break;
        }
        if (!m_questions.canAskAgain()) {
            m_current = nullptr;
            return Outcome::NoInput;
        }
    }
    const QString name = m_evaluator.evalIndices(target);
    m_variables.setVar(name, answer, block.tagid(), answer);
    m_lastChange = {name, m_variables.ifVarGetValue(name), std::nullopt};
    caption(name + QLatin1Char('=') + m_lastChange.value);
    return moveOn(nextBlock(&block, QString()));
}

Interpreter::Outcome Interpreter::write(cBck& block) {
    m_display.showOutputBox();
    QString printed;
    for (QString item : OutputList::items(block.zParam1(), block.zParam2())) {
        item.remove(QLatin1Char(';'));
        printed += OutputList::isMessage(item) ? item.trimmed() : printedValue(item);
    }
    m_output.append((block.sCaption().endsWith(QLatin1Char(';')) ? QStringLiteral(" ") : crlf) +
                    printed);
    m_display.outputChanged(m_output);
    return moveOn(nextBlock(&block, QString()));
}

QString Interpreter::printedValue(const QString& expression) {
    QString value = m_evaluator.evalExpr(expression);
    bool numeric = true;
    for (const QChar c : value.trimmed())
        numeric = numeric && numberCharacters.contains(c);
    if (numeric && value.size() < 6)
        value = QString(6 - value.size(), QLatin1Char(' ')) + value;
    return value;
}

// The evaluator's reason goes with the block into the report of the run's end.
Interpreter::Outcome Interpreter::expressionFailed(cBck& block, const QString& reason) {
    m_failed = &block;
    m_failureReason = reason;
    m_current = nullptr;
    return Outcome::ExpressionFailed;
}

Interpreter::Outcome Interpreter::assign(cBck& block) {
    m_random.reseedFromClock();
    QString value;
    QString translated;
    if (block.zParam2() == QStringLiteral("RND"))
        value = QString::number(int(std::floor(m_random.next() * 100)));
    else
        value = m_evaluator.evalExpr(block.zParam2(), &translated);
    const QString reason = m_evaluator.failureReason();
    QString target = m_evaluator.evalIndices(block.zParam1());
    if (isError(value))
        return expressionFailed(block, reason);
    m_variables.setVar(target, value, block.tagid(), translated);
    // Handed on rather than copied where they are last used: a step makes few copies.
    m_caption.kind = CaptionParts::Kind::Assignment;
    m_caption.first = target;
    m_caption.second = std::move(translated);
    m_caption.third = value;
    m_lastChange.variable = std::move(target);
    m_lastChange.value = std::move(value);
    m_display.stepCaptionChanged();
    return Outcome::Continue;
}

Interpreter::Outcome Interpreter::test(cBck& block, BlockPlan& plan, QString* choice) {
    QString translated;
    const QString value = m_evaluator.evalExpr(block.zParam2(), &translated);
    if (isError(value))
        return expressionFailed(block, m_evaluator.failureReason());
    const bool truth = isTrue(value);
    // The record says what the run did: a condition worth 5 takes the "Ν" line and is true.
    m_variables.setVar(recordNameOf(plan, block.zParam2()),
                       truth ? QStringLiteral("Αλ") : QStringLiteral("Ψε"), block.tagid(),
                       translated);
    m_caption.kind = CaptionParts::Kind::Condition;
    m_caption.first = std::move(translated);
    m_caption.truth = truth;
    m_lastChange.truth = truth;
    m_display.stepCaptionChanged();
    *choice = truth ? QStringLiteral("Ν") : QStringLiteral("Ο");
    return Outcome::Continue;
}

#include "core/exercise/ExerciseCheck.h"

#include "core/codegen/FlowStructure.h"
#include "core/execution/HeadlessRun.h"
#include "core/execution/RunReport.h"
#include "core/exercise/OutputComparison.h"
#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/BlockKinds.h"
#include "core/model/Diagram.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace ExerciseCheck {

namespace {

// A case that computes for long without many steps (a very long text) is stopped too.
constexpr qint64 caseMilliseconds = 20000;

QString quoted(const QString& text) {
    return QStringLiteral("«") + text + QStringLiteral("»");
}

// --- Rules ---------------------------------------------------------------------------------

struct Shape {
    bool loop = false, decision = false;
};

void shapeOf(const std::vector<FlowStructure::Node>& nodes, Shape& shape) {
    using Kind = FlowStructure::Node::Kind;
    for (const FlowStructure::Node& node : nodes) {
        shape.loop = shape.loop || node.kind == Kind::While || node.kind == Kind::Until;
        shape.decision = shape.decision || node.kind == Kind::If;
        shapeOf(node.body, shape);
        shapeOf(node.otherwise, shape);
    }
}

bool hasKind(const Diagram& diagram, const QString& kind) {
    for (const auto& block : diagram.the_bl_co())
        if (!Bl_Co::isDeleted(*block) && block->zaction() == kind)
            return true;
    return false;
}

bool hasArray(const Diagram& diagram) {
    for (const auto& block : diagram.the_bl_co())
        if (!Bl_Co::isDeleted(*block) && (block->zParam1().contains(QLatin1Char('[')) ||
                                          block->zParam2().contains(QLatin1Char('['))))
            return true;
    return false;
}

// Commands: every block but the start, the end and the junctions.
int commandCount(const Diagram& diagram) {
    int count = 0;
    for (const auto& block : diagram.the_bl_co()) {
        const QString kind = block->zaction();
        if (!Bl_Co::isDeleted(*block) && kind != BlockKinds::start && kind != BlockKinds::end &&
            kind != BlockKinds::junction)
            ++count;
    }
    return count;
}

bool uses(const Diagram& diagram, const QString& word) {
    const QRegularExpression whole(QStringLiteral("(^|[^\\w])") +
                                       QRegularExpression::escape(word.toUpper()) +
                                       QStringLiteral("($|[^\\w])"),
                                   QRegularExpression::UseUnicodePropertiesOption);
    for (const auto& block : diagram.the_bl_co()) {
        if (Bl_Co::isDeleted(*block))
            continue;
        for (const QString& text : {block->zParam1(), block->zParam2(), block->sCaption()})
            if (text.toUpper().contains(whole))
                return true;
    }
    return false;
}

std::vector<RuleResult> rulesOf(const Exercise::Rules& rules, const Diagram& diagram) {
    std::vector<RuleResult> results;
    Shape shape;
    if (const auto program = FlowStructure::read(diagram))
        shapeOf(*program, shape);
    static const QHash<QString, QString> needNames = {{"loop", QStringLiteral("επανάληψη")},
                                                      {"decision", QStringLiteral("απόφαση")},
                                                      {"input", QStringLiteral("είσοδο (Διάβασε)")},
                                                      {"output", QStringLiteral("έξοδο (Γράψε)")},
                                                      {"array", QStringLiteral("πίνακα")}};
    for (const QString& need : rules.needs) {
        bool has = false;
        if (need == QStringLiteral("loop"))
            has = shape.loop;
        else if (need == QStringLiteral("decision"))
            has = shape.decision;
        else if (need == QStringLiteral("input"))
            has = hasKind(diagram, BlockKinds::input);
        else if (need == QStringLiteral("output"))
            has = hasKind(diagram, BlockKinds::output);
        else if (need == QStringLiteral("array"))
            has = hasArray(diagram);
        results.push_back({QStringLiteral("χρειάζεται ") + needNames.value(need, need), has,
                           has ? QString() : QStringLiteral("λείπει")});
    }
    if (rules.maxBlocks > 0) {
        const int count = commandCount(diagram);
        results.push_back({QStringLiteral("το πολύ ") + QString::number(rules.maxBlocks) +
                               QStringLiteral(" εντολές"),
                           count <= rules.maxBlocks,
                           QString::number(count) + QStringLiteral(" εντολές")});
    }
    for (const QString& word : rules.forbid) {
        const bool used = uses(diagram, word);
        results.push_back({QStringLiteral("χωρίς ") + quoted(word), !used,
                           used ? QStringLiteral("χρησιμοποιείται") : QString()});
    }
    return results;
}

QString verdictName(CaseResult::Verdict verdict) {
    switch (verdict) {
    case CaseResult::Verdict::Right:
        return QStringLiteral("right");
    case CaseResult::Verdict::Wrong:
        return QStringLiteral("wrong");
    case CaseResult::Verdict::Endless:
        return QStringLiteral("endless");
    case CaseResult::Verdict::Failed:
        return QStringLiteral("failed");
    case CaseResult::Verdict::NeedsInput:
        return QStringLiteral("needs_input");
    }
    return {};
}

// Why a visible case is wrong, in a few words.
QString why(const CaseResult& result, long long maxSteps) {
    switch (result.verdict) {
    case CaseResult::Verdict::Wrong:
        return QStringLiteral("περίμενα ") + quoted(result.expectedPart) +
               QStringLiteral(", βγήκε ") + quoted(result.actualPart);
    case CaseResult::Verdict::Endless:
        return QStringLiteral("δεν τελείωσε μέσα σε ") + QString::number(maxSteps) +
               QStringLiteral(" βήματα");
    case CaseResult::Verdict::NeedsInput:
        return QStringLiteral("ζήτησε περισσότερες τιμές από όσες δίνει η περίπτωση");
    case CaseResult::Verdict::Failed:
        return QStringLiteral("η εκτέλεση απέτυχε: ") + result.reason;
    case CaseResult::Verdict::Right:
        break;
    }
    return {};
}

} // namespace

int Report::rightCases() const {
    return int(std::count_if(cases.begin(), cases.end(), [](const auto& c) { return c.right(); }));
}

bool Report::rulesKept() const {
    return std::all_of(rules.begin(), rules.end(), [](const RuleResult& r) { return r.kept; });
}

long long Report::steps() const {
    long long total = 0;
    for (const CaseResult& c : cases)
        total += c.steps;
    return total;
}

CaseResult run(Diagram& diagram, const QStringList& inputs, long long maxSteps) {
    ScriptedQuestions questions;
    for (const QString& input : inputs)
        questions.answerText(input);
    CollectingSink sink;
    HeadlessRun runner(diagram, questions, sink);
    runner.random().setFixedSeed(1);
    const HeadlessRun::Result ran = runner.run(maxSteps, caseMilliseconds);
    CaseResult result;
    result.steps = ran.steps;
    result.output = OutputComparison::shown(runner.interpreter().output());
    if (ran.stepLimitReached || ran.timeLimitReached) {
        result.verdict = CaseResult::Verdict::Endless;
    } else if (ran.outcome == Interpreter::Outcome::Succeeded) {
        result.verdict = CaseResult::Verdict::Right;
    } else if (ran.outcome == Interpreter::Outcome::NoInput) {
        result.verdict = CaseResult::Verdict::NeedsInput;
    } else {
        result.verdict = CaseResult::Verdict::Failed;
        QStringList reasons;
        for (const RunReport::Box& box : RunReport::endOf(ran.outcome, runner.interpreter()).boxes)
            reasons << box.text;
        result.reason = reasons.join(QLatin1Char(' ')).replace(QStringLiteral("\r\n"), " ");
    }
    return result;
}

Report check(const Exercise& exercise, Diagram& diagram) {
    Report report;
    for (const Exercise::Case& c : exercise.cases) {
        CaseResult result = run(diagram, c.inputs, exercise.maxSteps);
        if (result.right()) {
            const OutputComparison::Difference difference =
                OutputComparison::compare(c.output, result.output, exercise.compare);
            if (!difference.same) {
                result.verdict = CaseResult::Verdict::Wrong;
                result.expectedPart = difference.expected;
                result.actualPart = difference.actual;
            }
        }
        report.cases.push_back(std::move(result));
    }
    report.rules = rulesOf(exercise.rules, diagram);
    return report;
}

QString caseLine(const Exercise& exercise, const Report& report, size_t index) {
    const Exercise::Case& c = exercise.cases[index];
    const CaseResult& result = report.cases[index];
    QString head = QStringLiteral("Περίπτωση ") + QString::number(index + 1);
    if (c.hidden)
        head += QStringLiteral(" (κρυφή)");
    else if (!c.name.isEmpty())
        head += QStringLiteral(" (") + c.name + QLatin1Char(')');
    if (result.right())
        return head + QStringLiteral(": ΣΩΣΤΟ");
    if (c.hidden)
        return head + QStringLiteral(": ΛΑΘΟΣ");
    return head + QStringLiteral(": ΛΑΘΟΣ: ") + why(result, exercise.maxSteps);
}

QString summary(const Report& report) {
    const int rulesKept = int(std::count_if(report.rules.begin(), report.rules.end(),
                                            [](const RuleResult& r) { return r.kept; }));
    QString text = QStringLiteral("Σύνολο: ") + QString::number(report.rightCases()) +
                   QStringLiteral(" από ") + QString::number(report.cases.size()) +
                   QStringLiteral(" περιπτώσεις σωστές");
    if (!report.rules.empty())
        text += QStringLiteral(", ") + QString::number(rulesKept) + QStringLiteral(" από ") +
                QString::number(report.rules.size()) + QStringLiteral(" κανόνες");
    return text + (report.passed() ? QStringLiteral(" — ΠΕΡΑΣΕ") : QStringLiteral(" — ΔΕΝ ΠΕΡΑΣΕ"));
}

QStringList lines(const Exercise& exercise, const Report& report) {
    QStringList out;
    for (const QString& note : report.notes)
        out << QStringLiteral("Προσοχή: ") + note;
    for (size_t i = 0; i < report.cases.size(); ++i)
        out << caseLine(exercise, report, i);
    for (const RuleResult& rule : report.rules)
        out << QStringLiteral("Κανόνας: ") + rule.rule + QStringLiteral(": ") +
                   (rule.kept ? QStringLiteral("ΤΗΡΕΙΤΑΙ")
                              : QStringLiteral("ΔΕΝ ΤΗΡΕΙΤΑΙ (") + rule.detail + QLatin1Char(')'));
    out << summary(report);
    return out;
}

QJsonObject json(const Exercise& exercise, const Report& report) {
    QJsonArray cases;
    for (size_t i = 0; i < report.cases.size(); ++i) {
        const Exercise::Case& c = exercise.cases[i];
        const CaseResult& result = report.cases[i];
        QJsonObject object{
            {"number", int(i + 1)},          {"hidden", c.hidden},
            {"right", result.right()},       {"verdict", verdictName(result.verdict)},
            {"steps", double(result.steps)}, {"line", caseLine(exercise, report, i)}};
        if (!c.hidden) {
            object.insert("name", c.name);
            object.insert("inputs", QJsonArray::fromStringList(c.inputs));
            object.insert("expected", c.output);
            object.insert("output", result.output);
            if (!result.right())
                object.insert("why", why(result, exercise.maxSteps));
        }
        cases.append(object);
    }
    QJsonArray rules;
    for (const RuleResult& rule : report.rules)
        rules.append(
            QJsonObject{{"rule", rule.rule}, {"kept", rule.kept}, {"detail", rule.detail}});
    return {{"title", exercise.title},
            {"changed", report.changed},
            {"notes", QJsonArray::fromStringList(report.notes)},
            {"cases", cases},
            {"rules", rules},
            {"right_cases", report.rightCases()},
            {"wrong_cases", int(report.cases.size()) - report.rightCases()},
            {"steps", double(report.steps())},
            {"passed", report.passed()},
            {"summary", summary(report)}};
}

} // namespace ExerciseCheck

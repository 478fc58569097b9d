#include "core/execution/TracePrediction.h"

#include "core/editor/CanonicalText.h"
#include "core/execution/HeadlessRun.h"
#include "core/execution/TraceTable.h"
#include "core/model/Diagram.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"

namespace TracePrediction {

namespace {

enum Column { Step, Block, Text, Condition, Variable, Value, Output };

// Enough steps for `rows` rows even when junctions, which have none, come between them.
constexpr long long stepsPerRow = 64;

// As the run reads names: capitals, accents off, Latin look-alikes as Greek ("X" is "Χ").
QString plain(const QString& text) {
    return ucase_en_gr(text.simplified());
}

std::optional<double> number(const QString& text) {
    bool ok = false;
    const double value = plain(text).toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// "Ι<=Χ: Αληθής" gives "Α"; the pupil's "Αληθής", "αλ" or "Α" give "Α" too.
QString outcome(const QString& text) {
    const QString after = plain(text.section(QLatin1Char(':'), -1));
    return after.left(1);
}

} // namespace

QList<QStringList> actualRows(Diagram& diagram, const QStringList& inputs, int rows) {
    ScriptedQuestions questions; // the end of the run is said to no one
    CollectingSink messages;
    HeadlessRun runner(diagram, questions, messages);
    runner.interpreter().giveInputs(inputs);
    QList<QStringList> table;
    runner.watchSteps([&](const cBck& block, long long, const QString& written) {
        if (table.size() >= rows)
            return;
        const QStringList row =
            TraceTable::row(table.size() + 1, block, runner.interpreter().lastChange(), written);
        if (!row.isEmpty())
            table << row;
    });
    runner.run(stepsPerRow * std::max(1, rows));
    return table;
}

bool filledByThePupil(int column) {
    return column == Block || column == Condition || column == Variable || column == Value ||
           column == Output;
}

bool matches(int column, const QString& typed, const QString& actual) {
    if (column == Condition)
        return outcome(typed) == outcome(actual);
    const std::optional<double> typedNumber = number(typed), actualNumber = number(actual);
    if (typedNumber && actualNumber)
        return *typedNumber == *actualNumber;
    return plain(typed).remove(QLatin1Char('"')) == plain(actual).remove(QLatin1Char('"'));
}

} // namespace TracePrediction

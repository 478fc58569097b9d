// libFuzzer target: the first line is an expression, each further line NAME=VALUE sets a
// variable. Every evaluation ends with a value or "EROR", never a crash or a hang.
#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/RandomSource.h"
#include "core/execution/VariableStore.h"
#include "core/model/MessageSink.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

namespace {} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    QuietSink sink;
    VariableStore store(sink);
    RandomSource random;
    random.setFixedSeed(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype equals = lines[i].indexOf('=');
        if (equals > 0)
            store.setVar(lines[i].left(equals), lines[i].mid(equals + 1), "id1", lines[i]);
    }
    ExpressionEvaluator evaluator(store, random);
    QString translated;
    const QString value = evaluator.evalExpr(lines.value(0), &translated);
    (void)evaluator.evalIndices(lines.value(0));
    if (value.isNull() && lines.value(0).startsWith(QStringLiteral("ΤΥΧΑΙΟΣ")) == false &&
        value != ExpressionEvaluator::error && !value.isEmpty())
        std::abort();
    return 0;
}

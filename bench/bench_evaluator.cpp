// Evaluations per second with 20 variables in the store, and the cost of recording values
// as the history grows to a million rows.
#include "BenchHelpers.h"
#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/RandomSource.h"
#include "core/execution/VariableStore.h"
#include "core/model/MessageSink.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QuietSink sink;
    VariableStore store(sink);
    RandomSource random;
    for (int i = 0; i < 17; ++i)
        store.setVar(QStringLiteral("Μ") + QString::number(i), QString::number(i), "id1", {});
    store.setVar(QStringLiteral("Α"), QStringLiteral("3"), "id1", {});
    store.setVar(QStringLiteral("Β"), QStringLiteral("4"), "id1", {});
    store.setVar(QStringLiteral("Ι"), QStringLiteral("2"), "id1", {});
    store.setVar(QStringLiteral("Α[3]"), QStringLiteral("8"), "id1", {});
    ExpressionEvaluator evaluator(store, random);

    // Goal: 1,000,000 evaluations a second or more with the compiled forms; the reference
    // translation is shown beside them.
    constexpr int evaluations = 200000;
    for (const bool compiling : {true, false}) {
        evaluator.setCompiling(compiling);
        for (const char* expression : {"Α+Β*2", "Α>1 AND Β<10", "Α[Ι+1]"}) {
            const QString text = QString::fromUtf8(expression);
            measure((compiling ? QStringLiteral("evalExpr ") : QStringLiteral("reference ")) + text,
                    5,
                    [&] {
                        QString translated;
                        for (int i = 0; i < evaluations / (compiling ? 1 : 10); ++i)
                            (void)evaluator.evalExpr(text, &translated);
                    },
                    evaluations / (compiling ? 1 : 10), QStringLiteral("evaluations"));
        }
    }

    // Goal: linear in the number of elements: 13,000 and 26,000 "Α[3]" terms, the second
    // about twice the first.
    evaluator.setCompiling(true);
    for (const int terms : {13000, 26000}) {
        QStringList parts;
        for (int i = 0; i < terms; ++i)
            parts << QStringLiteral("Α[3]");
        const QString text = parts.join(QLatin1Char('+'));
        measure(QString::number(terms) + QStringLiteral(" element terms"), 3,
                [&] { (void)evaluator.evalExpr(text); });
    }

    // Goal: a million history rows in less than 80 MB.
    VariableStore history(sink);
    QTextStream out(stdout);
    QElapsedTimer timer;
    const long before = peakMegabytes();
    for (int chunk = 1; chunk <= 10; ++chunk) {
        timer.restart();
        for (int i = 0; i < 100000; ++i)
            history.setVar(QStringLiteral("Ι"), QString::number(i), QStringLiteral("id4"),
                           QStringLiteral("Ι+1"));
        out << "setVar rows " << (chunk - 1) * 100000 << "-" << chunk * 100000 << ": "
            << QString::number(double(timer.nsecsElapsed()) / 100000, 'f', 1) << " ns/call\n";
    }
    out << "1,000,000 history rows: about " << peakMegabytes() - before << " MB more peak memory\n";
    return 0;
}

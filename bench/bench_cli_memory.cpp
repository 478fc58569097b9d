// The peak memory of kelvra-cli while it writes a run's tables as it goes: the trace table
// of a million-step loop (goal < 150 MB) and the variables table of ten million steps
// (goal < 600 MB); and while it draws a picture of 20,000 blocks (goal: under twice the
// picture's own size).
#include "BenchHelpers.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Ι <-- 0, Σ <-- 0, then ΟΣΟ Ι<rounds: Ι <-- Ι+1, Σ <-- Σ+Ι. Four steps a round.
QString saveLoop(const QTemporaryDir& dir, long long rounds) {
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    const QString start = b.start(), zero = b.assign("Ι", "0"), sum0 = b.assign("Σ", "0"),
                  join = b.junction(), test = b.whileTest("Ι<" + QString::number(rounds)),
                  add = b.assign("Ι", "Ι+1"), sum = b.assign("Σ", "Σ+Ι"), end = b.end();
    b.chain({start, zero, sum0, join, test});
    b.link(test, add, "Ν");
    b.chain({add, sum, join});
    b.link(test, end, "Ο");
    const QString path = dir.filePath(QStringLiteral("loop%1.kv").arg(rounds));
    headless.save(path);
    return path;
}

// 20,000 assignments in 200 rows of 100, each joined to the next: a picture about 7,600 ×
// 7,000 points (215 MB as 32-bit pixels).
QString saveGrid(const QTemporaryDir& dir) {
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    QStringList chain;
    for (int i = 0; i < 20000; ++i) {
        chain << b.assign(QStringLiteral("z%1").arg(i), QStringLiteral("z%1+1").arg(i));
        b.get(chain.last())->setShapeLeft(20 + 75 * (i % 100));
        b.get(chain.last())->setShapeTop(20 + 35 * (i / 100));
    }
    b.chain(chain);
    const QString path = dir.filePath(QStringLiteral("grid.kv"));
    headless.save(path);
    return path;
}

// Children's peak so far: the runs go from the smallest to the largest, so each reading is
// the run just finished.
long childrenPeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024;
}

void runCli(const QString& name, const QStringList& arguments) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(KELVRA_CLI, arguments);
    process.waitForFinished(-1);
    QTextStream(stdout) << name << ": " << QString::number(timer.elapsed() / 1000.0, 'f', 2)
                        << " s, exit " << process.exitCode() << ", peak memory "
                        << childrenPeakMegabytes() << " MB\n";
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString steps = QStringLiteral("20000000");
    runCli(QStringLiteral("kelvra-cli --version"), {QStringLiteral("--version")});
    runCli(QStringLiteral("run --trace, 1M steps (goal < 150 MB)"),
           {"run", saveLoop(dir, 250000), "--max-steps", steps, "--trace", dir.filePath("t.csv")});
    runCli(QStringLiteral("render of 20,000 blocks to PNG (picture 215 MB; goal < 430 MB)"),
           {"render", saveGrid(dir), dir.filePath("grid.png")});
    runCli(QStringLiteral("run --vars, 10M steps (goal < 600 MB)"),
           {"run", saveLoop(dir, 2500000), "--max-steps", steps, "--vars", dir.filePath("v.tsv")});
    return 0;
}

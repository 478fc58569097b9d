// A class's grades: `kelvra-cli grade` over 30 pupils' files must take no longer than the
// slowest single check times 30 divided by the cores, plus the start of the processes.
#include "BenchHelpers.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

// A loop of `count` rounds that sums what it reads: slower the larger `count`.
QString saveSum(const QTemporaryDir& dir, const QString& name, int count) {
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    const QString start = b.start(), read = b.read("Ν"), zero = b.assign("Σ", "0"),
                  one = b.assign("Ι", "1"), join = b.junction(),
                  test = b.whileTest("Ι<=Ν*" + QString::number(count)), add = b.assign("Σ", "Σ+Ι"),
                  next = b.assign("Ι", "Ι+1"), out = b.write("Σ"), end = b.end();
    b.chain({start, read, zero, one, join, test});
    b.link(test, add, "Ν");
    b.chain({add, next, join});
    b.link(test, out, "Ο");
    b.link(out, end);
    const QString path = dir.filePath(name);
    headless.save(path);
    return path;
}

double seconds(const QStringList& arguments) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(KELVRA_CLI, arguments);
    process.waitForFinished(-1);
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString reference = saveSum(dir, "reference.kv", 1000);
    const QString exercise = dir.filePath("sum.kva");
    seconds({"exercise", "make", reference, "--case", "--input", "20", "--case", "--input", "30",
             "-o", exercise, "--max-steps", "1000000"});
    QStringList files;
    for (int i = 0; i < 30; ++i) // pupils' loops of different lengths
        files << saveSum(dir, QStringLiteral("pupil%1.kv").arg(i), 500 + 50 * i);
    double slowest = 0;
    for (const QString& file : files)
        slowest = std::max(slowest, seconds({"check", exercise, file}));
    const double startup = seconds({"--version"});
    const double grade =
        seconds(QStringList{"grade", exercise} << files << "-o" << dir.filePath("grades.csv"));
    const int cores = QThread::idealThreadCount();
    QTextStream(stdout) << "grade 30 files: " << QString::number(grade, 'f', 2)
                        << " s (goal < slowest check " << QString::number(slowest, 'f', 2)
                        << " s x 30 / " << cores << " cores + start-up "
                        << QString::number(startup, 'f', 2)
                        << " s = " << QString::number(slowest * 30 / cores + startup, 'f', 2)
                        << " s)\n";
    return 0;
}

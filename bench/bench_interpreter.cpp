// Steps per second of a counting loop, headless and in the editor at speed 0 (offscreen),
// and the peak memory of a million-step run.
#include "BenchHelpers.h"
#include "core/drawing/MemoryCanvas.h"
#include "core/execution/HeadlessRun.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/Diagram.h"
#include "core/model/DiagramBuilder.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"
#include "gui/editor/MainWindow.h"
#include "gui/execution/RunController.h"
#include "gui/files/FileCommands.h"
#include "gui/windows/MainMenus.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

namespace {
// Αρχή, Ι <-- 0, Σ <-- 0, junction, ΟΣΟ Ι<limit: Ι <-- Ι+1, Σ <-- Σ+Ι back to the junction;
// Τέλος. Four steps a round, three of them recorded in the variables table.
void countingLoop(Diagram& diagram, long long limit) {
    DiagramBuilder builder(diagram);
    auto add = [&](const QString& kind, const QString& p1, const QString& p2) {
        return builder.block(kind, p1, p2);
    };
    const QString condition = QStringLiteral("Ι<") + QString::number(limit);
    const QString s = add(BlockKinds::start, {}, {});
    const QString init = add(BlockKinds::assign, QStringLiteral("Ι"), QStringLiteral("0"));
    const QString sum0 = add(BlockKinds::assign, QStringLiteral("Σ"), QStringLiteral("0"));
    const QString j = add(BlockKinds::junction, {}, {});
    const QString w =
        add(BlockKinds::whileTest, QStringLiteral("ΟΣΟ_") + condition + "_", condition);
    const QString inc = add(BlockKinds::assign, QStringLiteral("Ι"), QStringLiteral("Ι+1"));
    const QString sum = add(BlockKinds::assign, QStringLiteral("Σ"), QStringLiteral("Σ+Ι"));
    const QString e = add(BlockKinds::end, {}, {});
    Li_Co& lines = diagram.the_li_co();
    lines.Add_LINE(s, init, {});
    lines.Add_LINE(init, sum0, {});
    lines.Add_LINE(sum0, j, {});
    lines.Add_LINE(j, w, {});
    lines.Add_LINE(w, inc, QStringLiteral("Ν"));
    lines.Add_LINE(inc, sum, {});
    lines.Add_LINE(sum, j, {});
    lines.Add_LINE(w, e, QStringLiteral("Ο"));
}

// An assignment Ζ <-- 1 under its own tag: the builder's search for a free tag costs too
// much for thousands of blocks.
QString assignmentAt(Diagram& diagram, const QString& tag, double left, double top) {
    cBck* block = diagram.the_bl_co().AddShape(BlockKinds::Rectangle, tag, left, top);
    block->setZaction(BlockKinds::assign);
    block->setZParam1(QStringLiteral("Ζ"));
    block->setZParam2(QStringLiteral("1"));
    block->setCaptionToAction();
    return tag;
}

// `count` assignments under each other, linked in a chain that no run reaches.
void idleChain(Diagram& diagram, int count) {
    for (int i = 0; i < count; ++i) {
        assignmentAt(diagram, QStringLiteral("z%1").arg(i), 400, 20 + 60 * i);
        if (i > 0)
            diagram.the_li_co().Add_LINE(QStringLiteral("z%1").arg(i - 1),
                                         QStringLiteral("z%1").arg(i), {});
    }
}

// Runs the diagram headless to its end (two million steps at most); the result and the
// seconds it took.
std::pair<HeadlessRun::Result, double> runHeadless(Diagram& diagram, ModalQuestions& questions,
                                                   MessageSink& sink) {
    HeadlessRun run(diagram, questions, sink);
    QElapsedTimer timer;
    timer.start();
    const HeadlessRun::Result result = run.run(2000000);
    return {result, double(timer.nsecsElapsed()) / 1e9};
}

// Αρχή, `length` assignments one under the other, Τέλος, linked in a chain.
void chainOf(Diagram& diagram, int length) {
    DiagramBuilder builder(diagram);
    QStringList chain{builder.start()};
    for (int i = 0; i < length; ++i)
        chain << assignmentAt(diagram, QStringLiteral("z%1").arg(i), 100, 80 + 60 * i);
    chain << builder.end();
    builder.chain(chain);
}

// Runs the window's diagram at speed 0 for three seconds, then presses Stop: when Stop was
// pressed and when the run ended, in milliseconds from the start.
struct TimedRun {
    qint64 stopAsked = 0;
    qint64 ended = 0;
    static constexpr int runMs = 3000;
};

TimedRun runThenStop(Main_F& window) {
    window.files().markSaved();
    window.runs().setStepsBeforeAsking(1LL << 40);
    TimedRun timed;
    QElapsedTimer clock;
    QTimer::singleShot(TimedRun::runMs, Qt::PreciseTimer, [&] {
        timed.stopAsked = clock.elapsed();
        window.runs().cmdStop_MouseDown();
    });
    clock.start();
    window.menus().fast_run->trigger(); // the zero-interval loop, until the stop
    timed.ended = clock.elapsed();
    return timed;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    {
        MemoryCanvas canvas;
        QuietSink sink;
        ScriptedQuestions questions;
        Diagram diagram(canvas, sink, questions);
        // Goal: a million steps in under 2 s on one core, under 150 MB.
        countingLoop(diagram, 250000); // four steps a round: a million steps
        const auto [result, seconds] = runHeadless(diagram, questions, sink);
        out << "headless counting loop: " << result.steps << " steps in "
            << QString::number(seconds, 'f', 2) << " s ("
            << QString::number(result.steps / seconds, 'f', 0) << " steps/s), peak memory "
            << peakMegabytes() << " MB\n";
    }
    {
        // The same loop beside 20,000 other blocks and lines: a step must cost the same in
        // any diagram (goal: within 1.2 times the loop alone).
        MemoryCanvas canvas;
        QuietSink sink;
        ScriptedQuestions questions;
        Diagram diagram(canvas, sink, questions);
        countingLoop(diagram, 250000);
        idleChain(diagram, 20000);
        const auto [result, seconds] = runHeadless(diagram, questions, sink);
        out << "headless counting loop beside 20,000 blocks: " << result.steps << " steps in "
            << QString::number(seconds, 'f', 2) << " s ("
            << QString::number(result.steps / seconds, 'f', 0) << " steps/s)\n";
    }
    {
        // A chain of 20,000 blocks run once through (goal: under 0.1 s).
        MemoryCanvas canvas;
        QuietSink sink;
        ScriptedQuestions questions;
        Diagram diagram(canvas, sink, questions);
        chainOf(diagram, 20000);
        HeadlessRun run(diagram, questions, sink);
        QElapsedTimer timer;
        timer.start();
        const HeadlessRun::Result result = run.run(2000000);
        out << "headless chain of 20,000 blocks: " << result.steps << " steps in "
            << QString::number(double(timer.nsecsElapsed()) / 1e9, 'f', 3) << " s\n";
        // The same chain read from its file, fitted as every read fits it (goal < 0.3 s).
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chain.kv"));
        HeadlessDiagram saved;
        chainOf(saved.diagram(), 20000);
        saved.save(path);
        HeadlessDiagram read;
        timer.restart();
        read.load(path);
        out << "headless load of that chain: "
            << QString::number(double(timer.nsecsElapsed()) / 1e9, 'f', 3) << " s\n";
    }
    {
        // A loop that assigns a 60 KB text: goal 20,000 steps a second or more, so that the
        // default step limit is reached in about a minute, not half an hour.
        MemoryCanvas canvas;
        QuietSink sink;
        ScriptedQuestions questions;
        Diagram diagram(canvas, sink, questions);
        DiagramBuilder builder(diagram);
        const QString literal = QLatin1Char('"') + QString(60000, QLatin1Char('x')) + '"';
        const QString s = builder.start(), j = builder.junction(),
                      a = builder.assign(QStringLiteral("Α"), literal);
        builder.chain({s, j, a});
        builder.link(a, j);
        HeadlessRun run(diagram, questions, sink);
        // KELVRA_LITERAL_STEPS shortens the measurement (for a profile).
        const int asked = qEnvironmentVariableIntValue("KELVRA_LITERAL_STEPS");
        QElapsedTimer timer;
        timer.start();
        const HeadlessRun::Result result = run.run(asked > 0 ? asked : 20000);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        out << "headless 60 KB literal loop: " << result.steps << " steps in "
            << QString::number(seconds, 'f', 2) << " s ("
            << QString::number(result.steps / seconds, 'f', 0) << " steps/s), peak memory "
            << peakMegabytes() << " MB\n";
    }
    // Goals: a million steps a second or more, 800,000 beside 20,000 idle blocks, while Stop
    // still ends the run within 100 ms.
    for (const int idle : {0, 20000}) {
        ScriptedQuestions questions;
        Main_F window(&questions);
        window.show();
        countingLoop(window.diagram(), 1000000000);
        idleChain(window.diagram(), idle);
        const TimedRun timed = runThenStop(window);
        const double steps = (window.runs().variables().rowCount() - 2) * 4.0 / 3.0;
        out << "editor at speed 0 (offscreen)" << (idle ? " beside 20,000 idle blocks" : "") << ": "
            << QString::number(steps / (timed.ended / 1000.0), 'f', 0)
            << " steps/s; Stop was late by " << (timed.stopAsked - TimedRun::runMs)
            << " ms and ended the run " << (timed.ended - timed.stopAsked)
            << " ms after it was pressed\n";
    }
    {
        // A chain of 20,000 blocks run once at speed 0 in the editor: every block gets its
        // number on the canvas (goal: under 1 s).
        ScriptedQuestions questions;
        Main_F window(&questions);
        window.show();
        chainOf(window.diagram(), 20000);
        window.files().markSaved();
        QElapsedTimer timer;
        timer.start();
        window.menus().fast_run->trigger(); // returns once the run has ended
        out << "editor chain of 20,000 blocks at speed 0: "
            << QString::number(double(timer.nsecsElapsed()) / 1e9, 'f', 2) << " s, "
            << window.runs().executedMarkers().size() << " step numbers\n";
    }
    {
        // A loop that writes a 60 KB line at speed 0: goal 20 lines a second or more (each
        // line is laid out once in the box), the output bounded, and Stop within 200 ms.
        ScriptedQuestions questions;
        Main_F window(&questions);
        window.show();
        DiagramBuilder builder(window.diagram());
        const QString line = QLatin1Char('"') + QString(60000, QLatin1Char('x')) + '"';
        const QString s = builder.start(), j = builder.junction(), w = builder.write(line);
        builder.chain({s, j, w});
        builder.link(w, j);
        const TimedRun timed = runThenStop(window);
        const RunOutput& output = window.runs().interpreter().outputLog();
        const double lines = double(output.droppedCharacters() + output.kept().size()) / 60002.0;
        out << "editor writing 60 KB lines at speed 0: "
            << QString::number(lines / (timed.ended / 1000.0), 'f', 0)
            << " lines/s; Stop ended the run " << (timed.ended - timed.stopAsked)
            << " ms after it was pressed; peak memory " << peakMegabytes() << " MB\n";
    }
    return 0;
}

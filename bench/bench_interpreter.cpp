// Steps per second of a counting loop, headless and in the editor at speed 0 (offscreen),
// and the peak memory of a million-step run.
#include "BenchHelpers.h"
#include "editor/MainMenus.h"
#include "editor/MainWindow.h"
#include "execution/HeadlessRun.h"
#include "execution/RunController.h"
#include "files/FileCommands.h"
#include "model/Block.h"
#include "model/BlockKinds.h"
#include "model/Diagram.h"
#include "model/MemoryCanvas.h"
#include "windows/MessageSink.h"
#include "windows/ScriptedQuestions.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <sys/resource.h>

namespace {
class QuietSink : public MessageSink {
public:
    void showMessage(const QString&) override {}
};

// Αρχή, Ι <-- 0, junction, ΟΣΟ Ι<limit: Ι <-- Ι+1 back to the junction; Τέλος.
void countingLoop(Diagram& diagram, long long limit) {
    Bl_Co& blocks = diagram.the_bl_co();
    auto add = [&](const QString& kind, const QString& p1, const QString& p2) {
        cBck* b = blocks.AddShape(0, blocks.getFreeTagID(), 100, 60 * blocks.Count());
        b->setShapeWidth(80);
        b->setShapeHeight(20);
        b->setZaction(kind);
        b->setZParam1(p1);
        b->setZParam2(p2);
        b->setCaptionToAction();
        return b->tagid();
    };
    const QString condition = QStringLiteral("Ι<") + QString::number(limit);
    const QString s = add(BlockKinds::start, {}, {});
    const QString init = add(BlockKinds::assign, QStringLiteral("Ι"), QStringLiteral("0"));
    const QString j = add(BlockKinds::junction, {}, {});
    const QString w =
        add(BlockKinds::whileTest, QStringLiteral("ΟΣΟ_") + condition + "_", condition);
    const QString inc = add(BlockKinds::assign, QStringLiteral("Ι"), QStringLiteral("Ι+1"));
    const QString e = add(BlockKinds::end, {}, {});
    Li_Co& lines = diagram.the_li_co();
    lines.Add_LINE(s, init, {});
    lines.Add_LINE(init, j, {});
    lines.Add_LINE(j, w, {});
    lines.Add_LINE(w, inc, QStringLiteral("Ν"));
    lines.Add_LINE(inc, j, {});
    lines.Add_LINE(w, e, QStringLiteral("Ο"));
}

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
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
        countingLoop(diagram, 333333); // three steps per round: about a million steps
        HeadlessRun run(diagram, questions, sink);
        QElapsedTimer timer;
        timer.start();
        const HeadlessRun::Result result = run.run(2000000);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        out << "headless counting loop: " << result.steps << " steps in "
            << QString::number(seconds, 'f', 2) << " s ("
            << QString::number(result.steps / seconds, 'f', 0) << " steps/s), peak memory "
            << peakMegabytes() << " MB\n";
    }
    {
        ScriptedQuestions questions;
        Main_F window(&questions);
        window.show();
        countingLoop(window.diagram(), 1000000000);
        window.files().markSaved();
        constexpr int seconds = 3;
        QTimer::singleShot(seconds * 1000, [&window] { window.runs().cmdStop_MouseDown(); });
        window.menus().step_run->trigger(); // the zero-interval loop, until the stop
        const double steps = window.runs().variables().rowCount() - 2;
        out << "editor at speed 0 (offscreen): about "
            << QString::number(steps * 3 / 2 / seconds, 'f', 0) << " steps/s\n";
    }
    return 0;
}

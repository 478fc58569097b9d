// The editor opening a 20,000-block diagram and showing it (goal: under 1 s and 120 MB);
// time of a full repaint of the editor's canvas with a 500-block diagram, at 100 % (the
// blocks in view) and at 25 % (every block in view) (goal: under 50 ms a repaint).
#include "BenchHelpers.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"
#include "core/windows/ScriptedQuestions.h"
#include "gui/canvas/CanvasView.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/editor/MainWindow.h"
#include "gui/files/FileCommands.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <iostream>

namespace {
// 25 rows of 20 blocks of every kind, each joined to the next; lines cross the rows.
void grid(Diagram& diagram) {
    DiagramBuilder b(diagram);
    QStringList tags;
    for (int i = 0; i < 500; ++i) {
        QString tag;
        switch (i % 5) {
        case 0:
            tag = b.assign(QStringLiteral("Χ%1").arg(i), QStringLiteral("Χ+%1").arg(i));
            break;
        case 1:
            tag = b.decision(QStringLiteral("Χ>%1").arg(i));
            break;
        case 2:
            tag = b.write(QStringLiteral("\"ΤΙΜΗ\""), QStringLiteral("Χ%1").arg(i));
            break;
        case 3:
            tag = b.read(QStringLiteral("Υ%1").arg(i));
            break;
        default:
            tag = b.junction();
        }
        cBck* block = b.get(tag);
        block->setShapeLeft(40 + 150 * (i % 20));
        block->setShapeTop(60 + 90 * (i / 20));
        tags << tag;
    }
    b.chain(tags);
}
// A file holding a chain of `length` assignments from Αρχή to Τέλος, one below the other.
QString chainFile(const QTemporaryDir& dir, int length) {
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    QStringList chain{b.start()};
    for (int i = 0; i < length; ++i) {
        chain << b.assign(QStringLiteral("z%1").arg(i), QStringLiteral("z%1+1").arg(i));
        b.get(chain.last())->setShapeTop(80 + 60 * i);
    }
    chain << b.end();
    b.chain(chain);
    const QString path = dir.filePath(QStringLiteral("chain.kv"));
    headless.save(path);
    return path;
}

// Opens the file in a new editor window and waits until it is shown.
void openAndShow(const QString& path) {
    const long before = peakMegabytes();
    QElapsedTimer timer;
    timer.start();
    ScriptedQuestions questions;
    Main_F window(&questions);
    window.resize(1000, 700);
    window.show();
    window.files().openFromCommandLine(path);
    window.canvasView()->viewport()->grab();
    std::cout << "editor opens and shows a 20,000-block chain: "
              << QString::number(double(timer.nsecsElapsed()) / 1e9, 'f', 2).toStdString() << " s, "
              << window.diagram().the_bl_co().Count() << " blocks; peak memory " << peakMegabytes()
              << " MB (" << before << " MB before)" << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    {
        QTemporaryDir dir;
        openAndShow(chainFile(dir, 20000));
    }
    ScriptedQuestions questions;
    Main_F window(&questions);
    window.resize(1000, 700);
    window.show();
    grid(window.diagram());
    window.files().markSaved();
    CanvasView* view = window.canvasView();
    for (double zoom : {1.0, 0.25}) {
        view->setZoom(zoom);
        view->horizontalScrollBar()->setValue(0);
        view->verticalScrollBar()->setValue(0);
        QApplication::processEvents();
        // Blocks that lie in the viewport: the ones a repaint draws.
        const QRect seen(window.canvas()->mapFrom(view->viewport(), QPoint(0, 0)),
                         view->viewport()->size());
        int inView = 0;
        for (int i = 1; i <= 500; ++i)
            inView += window.canvas()->blockViewRect(i).intersects(seen) ? 1 : 0;
        measure(
            QStringLiteral("full repaint, 500 blocks at %1 % (%2 in view)")
                .arg(qRound(zoom * 100))
                .arg(inView),
            10, [&] { view->viewport()->grab(); }, 1, QStringLiteral("repaints"));
    }
    return 0;
}

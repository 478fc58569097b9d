#include "EditorTestHelpers.h"
#include "TestDiagram.h"
#include "core/files/DiagramFormat.h"
#include "core/model/BlockSurface.h"
#include "core/model/DiagramBuilder.h"
#include "gui/canvas/CanvasView.h"
#include "gui/execution/RunController.h"
#include "gui/execution/RunControlsFrame.h"
#include "gui/windows/MainMenus.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QWheelEvent>

namespace {

struct ViewFixture : EditorFixture {
    DiagramBuilder b{diagram()};
    CanvasView* view() { return window.canvasView(); }
    QPointF at(const QString& id) { return {b.get(id)->shapeLeft(), b.get(id)->shapeTop()}; }
    void wheel(QPoint where, int delta, Qt::KeyboardModifiers modifiers) {
        QWidget* viewport = view()->viewport();
        QWheelEvent event(where, viewport->mapToGlobal(where), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    }
    void load(const QString& name) {
        QVERIFY(window.files().load_FILE(QStringLiteral(KELVRA_EXAMPLES_DIR "/") + name));
        settle();
    }
    // Every visible block lies inside the canvas widget, with room to spare.
    bool extentCoversEveryBlock() {
        const QRectF bounds = canvas()->diagramBounds();
        const double z = canvas()->zoom();
        return canvas()->width() >= (bounds.right() + 40) * z &&
               canvas()->height() >= (bounds.bottom() + 40) * z;
    }
};

} // namespace

class TestCanvasView : public QObject {
    Q_OBJECT
private slots:
    void everyExampleReachable();
    void extentFollowsTheBlocks();
    void zoomCommandsAndWheel();
    void editingAtTwoHundredPercent();
    void editingAtHalfSize();
    void zoomOnlyChangesTheView();
    void partOfTheCanvasPaintedAsTheWhole();
    void fitShowsEveryBlock();
    void runScrollsToTheExecutingBlock();
    void markersFollowTheZoom();
    void failedStepExplainedInView();
};

// At the default window size every block of every example can be scrolled into view.
void TestCanvasView::everyExampleReachable() {
    ViewFixture f;
    for (const QString& name : QDir(QStringLiteral(KELVRA_EXAMPLES_DIR))
                                   .entryList({QStringLiteral("*.kv")}, QDir::Files)) {
        f.load(name);
        QVERIFY2(f.extentCoversEveryBlock(), qPrintable(name));
        QScrollBar* bar = f.view()->verticalScrollBar();
        bar->setValue(bar->maximum());
        f.view()->horizontalScrollBar()->setValue(f.view()->horizontalScrollBar()->maximum());
        const QRectF seen = f.view()->visibleDiagramRect();
        const QRectF bounds = f.canvas()->diagramBounds();
        QVERIFY2(seen.bottom() >= bounds.bottom() && seen.right() >= bounds.right(),
                 qPrintable(name));
        f.view()->verticalScrollBar()->setValue(0);
    }
}

// A repaint of part of the canvas draws only the lines and blocks that reach it: it must
// look exactly as that part of the whole canvas does, at any zoom.
void TestCanvasView::partOfTheCanvasPaintedAsTheWhole() {
    ViewFixture f;
    f.load(QStringLiteral("max_ar_2.kv"));
    // Painting a part anew may step an antialiased edge differently where it is cut, and
    // the canvas's own edges differ: a few pixels, never a line or a block.
    const auto differing = [](const QImage& a, const QImage& b) {
        int count = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x)
                count += a.pixel(x, y) != b.pixel(x, y);
        }
        return count;
    };
    for (const double zoom : {0.5, 1.0, 1.5}) {
        f.canvas()->setZoom(zoom);
        f.settle();
        const QImage whole = f.canvas()->grab().toImage();
        const QSize size = whole.size() / 3 - QSize(2, 2);
        for (int i = 0; i < 9; ++i) {
            const QRect part(
                QPoint(1 + i % 3 * (size.width() + 2), 1 + i / 3 * (size.height() + 2)), size);
            QVERIFY2(differing(f.canvas()->grab(part).toImage(), whole.copy(part)) <= 8,
                     qPrintable(QStringLiteral("zoom %1, part %2").arg(zoom).arg(i)));
        }
    }
}

void TestCanvasView::extentFollowsTheBlocks() {
    ViewFixture f;
    const QSize viewport = f.view()->viewport()->size();
    QCOMPARE(f.canvas()->size(), viewport); // an empty diagram: just the viewport
    const QString far = f.b.assign("Χ", "1");
    f.b.get(far)->setShapeTop(2000);
    f.b.get(far)->setShapeLeft(1500);
    QVERIFY(f.extentCoversEveryBlock()); // at once, not only after the event loop
    QVERIFY(f.view()->verticalScrollBar()->maximum() > 0);
    f.b.get(far)->setShapeTop(100);
    f.b.get(far)->setShapeLeft(100);
    QTRY_COMPARE(f.canvas()->size(), viewport); // and it shrinks back once idle
}

void TestCanvasView::zoomCommandsAndWheel() {
    ViewFixture f;
    MainMenus& m = f.window.menus();
    QCOMPARE(m.zoomIn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    QCOMPARE(m.zoomOut->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QCOMPARE(m.zoomReset->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    m.zoomIn->trigger();
    QCOMPARE(f.view()->zoom(), 1.25);
    m.zoomReset->trigger();
    QCOMPARE(f.view()->zoom(), 1.0);
    for (int i = 0; i < 20; ++i)
        m.zoomOut->trigger();
    QCOMPARE(f.view()->zoom(), CanvasView::minZoom);
    for (int i = 0; i < 20; ++i)
        m.zoomIn->trigger();
    QCOMPARE(f.view()->zoom(), CanvasView::maxZoom);
    QCOMPARE(f.window.statusBar()->findChildren<QLabel*>().last()->text(), QStringLiteral("400%"));
    m.zoomReset->trigger();

    // Ctrl+wheel zooms about the pointer: the diagram point under it stays there.
    const QString id = f.b.assign("Χ", "1");
    f.b.get(id)->setShapeLeft(1200);
    f.b.get(id)->setShapeTop(900);
    f.settle();
    const QPoint pointer(300, 200);
    const QPointF under = f.canvas()->toDiagram(f.canvas()->mapFrom(f.view()->viewport(), pointer));
    f.wheel(pointer, 120, Qt::ControlModifier);
    QCOMPARE(f.view()->zoom(), 1.25);
    const QPointF after = f.canvas()->toDiagram(f.canvas()->mapFrom(f.view()->viewport(), pointer));
    QVERIFY((after - under).manhattanLength() < 2);
    f.wheel(pointer, -120, Qt::ControlModifier);
    QCOMPARE(f.view()->zoom(), 1.0);
    // The wheel scrolls down; with Shift it scrolls sideways.
    f.wheel(pointer, -120, {});
    QVERIFY(f.view()->verticalScrollBar()->value() > 0);
    QCOMPARE(f.view()->horizontalScrollBar()->value(), 0);
    f.wheel(pointer, -120, Qt::ShiftModifier);
    QVERIFY(f.view()->horizontalScrollBar()->value() > 0);
}

// Placing, linking and dragging at 200 %, scrolled: the model gets diagram coordinates.
void TestCanvasView::editingAtTwoHundredPercent() {
    ViewFixture f;
    f.b.assign("Χ", "1");
    f.b.get("id1")->setShapeLeft(600);
    f.b.get("id1")->setShapeTop(500);
    f.view()->setZoom(2.0, QPointF(0, 0));
    f.view()->horizontalScrollBar()->setValue(1000);
    f.view()->verticalScrollBar()->setValue(800);
    f.settle();
    // Place a junction (tool 9) by clicking the canvas.
    f.clickToolButton(9);
    const QPoint click = f.canvas()->mapFrom(f.view()->viewport(), QPoint(200, 300));
    f.clickCanvas(click);
    QCOMPARE(f.diagram().the_bl_co().Count(), 2);
    const QPointF placed = f.at("id2");
    // The junction sits where the pupil clicked, in diagram coordinates (about 600, 550).
    QVERIFY(std::abs(placed.x() - click.x() / 2.0) < 20 &&
            std::abs(placed.y() - click.y() / 2.0) < 20);
    // The widget sits at twice its diagram position.
    QCOMPARE(f.blockCorner(2), (placed * 2).toPoint());
    // Link the assignment to the junction with two Ctrl+clicks.
    f.clickBlock(1, Qt::LeftButton, Qt::ControlModifier);
    f.clickBlock(2, Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(f.diagram().the_li_co().Count(), 1);
    // Drag the assignment 80 screen pixels right and 40 down: 40 and 20 in the diagram.
    const QPointF before = f.at("id1");
    const QLineF lineBefore = f.diagram().the_li_co().Item(1)->t_Object_Line()->segment();
    f.dragBlock(1, QPoint(10, 10), QPoint(90, 50));
    QCOMPARE(f.at("id1"), before + QPointF(40, 20));
    // The line's start follows in diagram coordinates; the selector surrounds the block.
    const QLineF lineAfter = f.diagram().the_li_co().Item(1)->t_Object_Line()->segment();
    QCOMPARE(lineAfter.p1(), lineBefore.p1() + QPointF(40, 20));
    QCOMPARE(f.canvas()->selectorRect().topLeft(), f.at("id1") - QPointF(2, 2));
}

void TestCanvasView::editingAtHalfSize() {
    ViewFixture f;
    f.view()->setZoom(0.5, QPointF(0, 0));
    f.clickToolButton(9);
    f.clickCanvas(QPoint(200, 150));
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
    QVERIFY(std::abs(f.at("id1").x() - 400) < 20 && std::abs(f.at("id1").y() - 300) < 20);
    // A drag of 30 screen pixels is 60 in the diagram.
    const QPointF before = f.at("id1");
    f.dragBlock(1, QPoint(2, 2), QPoint(32, 2));
    QCOMPARE(f.at("id1"), before + QPointF(60, 0));
    QCOMPARE(f.blockCorner(1), (f.at("id1") * 0.5).toPoint());
}

// The file written after zooming is the file written before.
void TestCanvasView::zoomOnlyChangesTheView() {
    ViewFixture f;
    f.load(QStringLiteral("maxabc.kv"));
    const QByteArray before = DiagramFormat::write(f.diagram(), QString()).bytes;
    for (double zoom : {0.25, 0.5, 3.0, 4.0, 1.0}) {
        f.view()->setZoom(zoom);
        f.settle();
        QCOMPARE(DiagramFormat::write(f.diagram(), QString()).bytes, before);
    }
}

void TestCanvasView::fitShowsEveryBlock() {
    ViewFixture f;
    f.load(QStringLiteral("max_ar_2.kv"));
    const QRectF bounds = f.canvas()->diagramBounds();
    QVERIFY(!f.view()->visibleDiagramRect().contains(bounds)); // too tall at 100 %
    f.window.menus().zoomFit->trigger();
    QVERIFY(f.view()->zoom() < 1.0 && f.view()->zoom() >= CanvasView::minZoom);
    QRectF seen = f.view()->visibleDiagramRect();
    // Below the toolbar, which floats over the top of the canvas.
    const double toolbar = f.window.fraToolBar1()->height() / f.view()->zoom();
    seen.setTop(seen.top() + toolbar);
    QVERIFY2(seen.contains(bounds), qPrintable(QStringLiteral("%1 %2 %3 %4 / %5 %6 %7 %8")
                                                   .arg(seen.left())
                                                   .arg(seen.top())
                                                   .arg(seen.right())
                                                   .arg(seen.bottom())
                                                   .arg(bounds.left())
                                                   .arg(bounds.top())
                                                   .arg(bounds.right())
                                                   .arg(bounds.bottom())));
}

void TestCanvasView::runScrollsToTheExecutingBlock() {
    ViewFixture f;
    f.b.chain({f.b.start(), f.b.assign("Χ", "1"), f.b.end()});
    f.b.get("id2")->setShapeTop(1600);
    f.b.get("id3")->setShapeTop(1700);
    f.window.files().markSaved();
    f.settle();
    QCOMPARE(f.view()->verticalScrollBar()->value(), 0);
    f.window.menus().step_run->trigger();
    QTest::mouseClick(f.window.fraDebug()->cmdNextStep, Qt::LeftButton);
    QCOMPARE(f.window.runs().interpreter().currentBlock(), f.b.get("id2"));
    const auto inView = [&f](const cBck* block) {
        return f.view()->visibleDiagramRect().contains(QRectF(
            block->shapeLeft(), block->shapeTop(), block->shapeWidth(), block->shapeHeight()));
    };
    QVERIFY(inView(f.b.get("id2")));
    QTest::mouseClick(f.window.fraDebug()->cmdNextStep, Qt::LeftButton);
    QVERIFY(inView(f.b.get("id3")));
    // The step caption and its pointer line (to the block just executed) are placed in
    // diagram coordinates.
    const cBck* block = f.b.get("id2");
    QLabel* caption = f.window.runs().lbcapti();
    QVERIFY(caption->isVisible());
    QCOMPARE(f.canvas()->line1().p2(),
             QPointF(block->shapeLeft() + block->shapeWidth() / 2.0, block->shapeTop()));
    QCOMPARE(CanvasWidget::placedAt(caption), f.canvas()->line1().p1());
    QTest::mousePress(f.window.fraDebug()->cmdStop, Qt::LeftButton);
}

void TestCanvasView::markersFollowTheZoom() {
    ViewFixture f;
    f.b.chain({f.b.start(), f.b.assign("Χ", "1"), f.b.end()});
    f.window.files().markSaved();
    f.window.menus().step_run->trigger();
    QTest::mouseClick(f.window.fraDebug()->cmdNextStep, Qt::LeftButton);
    QTest::mouseClick(f.window.fraDebug()->cmdNextStep, Qt::LeftButton);
    const auto& markers = f.window.runs().executedMarkers();
    QCOMPARE(markers.size(), size_t(2));
    for (double zoom : {2.0, 0.5}) {
        f.view()->setZoom(zoom); // during the run
        for (size_t i = 0; i < markers.size(); ++i) {
            const cBck* block = f.b.get(QStringLiteral("id%1").arg(i + 1));
            const QPoint corner = (QPointF(block->shapeLeft(), block->shapeTop()) * zoom).toPoint();
            // Just left of the block, its number grown or shrunk with the diagram (legible).
            const QRect place = f.window.canvas()->stepNumberRect(markers[i]);
            const int gap = corner.x() - (place.right() + 1);
            QVERIFY2(gap >= 0 && gap <= 3 * zoom + 2, qPrintable(QString::number(gap)));
            QCOMPARE(place.y(), corner.y());
            QCOMPARE(f.window.canvas()->stepNumberFont().pointSizeF(), std::max(6.0, 8 * zoom));
        }
        QCOMPARE(
            f.blockCorner(2),
            (QPointF(f.b.get("id2")->shapeLeft(), f.b.get("id2")->shapeTop()) * zoom).toPoint());
    }
    QTest::mousePress(f.window.fraDebug()->cmdStop, Qt::LeftButton);
}

// The explanation of a failed step is inside the visible viewport, and the message box
// is asked to keep clear of it.
void TestCanvasView::failedStepExplainedInView() {
    ViewFixture f;
    f.b.chain({f.b.start(), f.b.assign("Χ", "1/0"), f.b.end()});
    f.b.get("id2")->setShapeLeft(1400);
    f.b.get("id2")->setShapeTop(1200);
    f.window.files().markSaved();
    f.view()->setZoom(1.5);
    QRect explanation, keptClear;
    bool visibleInView = false;
    f.questions.whileAsking = [&](const ScriptedQuestions::Asked& asked) {
        if (!asked.text.contains(QStringLiteral("πρόβλημα")))
            return;
        QLabel* error = f.window.texterror();
        explanation = QRect(error->mapToGlobal(QPoint(0, 0)), error->size());
        keptClear = asked.keptClear;
        visibleInView =
            error->isVisible() && f.window.canvasOverlay()->rect().contains(error->geometry());
    };
    f.window.menus().fast_run->trigger();
    QVERIFY(!explanation.isEmpty());
    QVERIFY(visibleInView);
    QCOMPARE(keptClear, explanation);
    QVERIFY(f.questions.keptClear().isEmpty()); // only for that box
}

QTEST_MAIN(TestCanvasView)
#include "tst_canvasview.moc"

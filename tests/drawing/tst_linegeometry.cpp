#include "TestDiagram.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"
#include "core/model/LineControls.h"
#include "core/model/LineGeometry.h"

#include <QTest>
#include <cmath>

using namespace BlockKinds;

class TestLineGeometry : public QObject {
    Q_OBJECT
private slots:
    void routes_data();
    void routes();
    void arcFunctionsAtTheEnds();
    void arrowHeadPointsBackAlongTheLine_data();
    void arrowHeadPointsBackAlongTheLine();
    void zeroLengthSegmentGetsFirstQuadrantHead();
    void lineFollowsBlockAndIgnoresSubPixelMoves();
    void missingBlockLeavesLineAlone();
    void loopBackGoesAroundTheColumn_data();
    void loopBackGoesAroundTheColumn();
};

void TestLineGeometry::routes_data() {
    QTest::addColumn<QRectF>("from");
    QTest::addColumn<QRectF>("to");
    QTest::addColumn<QLineF>("segment");
    QTest::newRow("below, overlapping")
        << QRectF(100, 0, 60, 20) << QRectF(90, 100, 80, 20) << QLineF(130, 20, 130, 100);
    QTest::newRow("right, overlapping")
        << QRectF(0, 100, 60, 20) << QRectF(200, 90, 60, 40) << QLineF(60, 110, 200, 110);
    QTest::newRow("above") << QRectF(100, 200, 60, 20) << QRectF(100, 0, 60, 20)
                           << QLineF(130, 200, 130, 20);
    QTest::newRow("left") << QRectF(300, 100, 60, 20) << QRectF(0, 100, 60, 20)
                          << QLineF(300, 110, 60, 110);
    QTest::newRow("right and below: right side first")
        << QRectF(0, 0, 60, 20) << QRectF(100, 100, 60, 20) << QLineF(60, 10, 100, 110);
}

void TestLineGeometry::routes() {
    QFETCH(QRectF, from);
    QFETCH(QRectF, to);
    QFETCH(QLineF, segment);
    QCOMPARE(LineGeometry::route(from, to), segment);
}

void TestLineGeometry::arcFunctionsAtTheEnds() {
    QCOMPARE(LineGeometry::arcSin(1), M_PI / 2);
    QCOMPARE(LineGeometry::arcSin(-1), -M_PI / 2);
    QCOMPARE(LineGeometry::arcCos(1), 0.0);
    QCOMPARE(LineGeometry::arcCos(-1), M_PI);
    QVERIFY(qFuzzyCompare(LineGeometry::arcCos(0.5), std::acos(0.5)));
    QVERIFY(qFuzzyCompare(LineGeometry::arcSin(0.5), std::asin(0.5)));
}

void TestLineGeometry::arrowHeadPointsBackAlongTheLine_data() {
    QTest::addColumn<QLineF>("segment");
    QTest::newRow("down") << QLineF(50, 0, 50, 100);
    QTest::newRow("up") << QLineF(50, 100, 50, 0);
    QTest::newRow("horizontal right") << QLineF(0, 50, 100, 50);
    QTest::newRow("horizontal left") << QLineF(100, 50, 0, 50);
    QTest::newRow("diagonal") << QLineF(0, 0, 30, 40);
    QTest::newRow("other diagonal") << QLineF(30, 0, 0, 40);
}

void TestLineGeometry::arrowHeadPointsBackAlongTheLine() {
    QFETCH(QLineF, segment);
    const LineGeometry::ArrowHead head = LineGeometry::arrowHead(segment, segment.p2());
    const double back = std::atan2(segment.y1() - segment.y2(), segment.x1() - segment.x2());
    for (const QLineF& stroke : {head.up, head.down}) {
        QCOMPARE(stroke.p1(), segment.p2());
        QVERIFY(std::abs(stroke.length() - 20.0 / 3.0) < 1e-9);
        const double angle = std::atan2(stroke.dy(), stroke.dx());
        double off = std::remainder(angle - back, 2 * M_PI);
        QVERIFY2(std::abs(std::abs(off) - 0.5) < 1e-9, qPrintable(QString::number(off)));
    }
    // The two strokes lie on either side of the line.
    const double upOff = std::remainder(std::atan2(head.up.dy(), head.up.dx()) - back, 2 * M_PI);
    const double downOff =
        std::remainder(std::atan2(head.down.dy(), head.down.dx()) - back, 2 * M_PI);
    QVERIFY(upOff * downOff < 0);
}

void TestLineGeometry::zeroLengthSegmentGetsFirstQuadrantHead() {
    const LineGeometry::ArrowHead head = LineGeometry::arrowHead(QLineF(5, 5, 5, 5), {5, 5});
    const double l = 20.0 / 3.0;
    QVERIFY(std::abs(head.up.x2() - (5 + l * std::cos(M_PI / 2 - 0.5))) < 1e-9);
    QVERIFY(std::abs(head.up.y2() - (5 + l * std::sin(-0.5))) < 1e-9);
}

void TestLineGeometry::lineFollowsBlockAndIgnoresSubPixelMoves() {
    TestDiagram t;
    t.add(assign, 100, 0, 60, 20);
    cBck* lower = t.add(assign, 90, 100, 80, 20);
    cLn* line = t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString());
    LineControls* controls = line->t_Object_Line();
    QCOMPARE(controls->segment(), QLineF(130, 20, 130, 100));
    QVERIFY(controls->segmentVisible());
    QVERIFY(controls->headVisible());
    QCOMPARE(controls->dotTopLeft(), QPointF(128, 98));

    lower->setShapeLeft(90.4); // the end moves by 0.4 pixel: same whole-pixel end points
    line->updateLine();
    QCOMPARE(controls->segment(), QLineF(130, 20, 130, 100));

    lower->setShapeTop(200);
    t.lines().updateConntectedLines(QStringLiteral("id2"));
    QCOMPARE(controls->segment(), QLineF(130, 20, 130.4, 200));
    QCOMPARE(controls->dotTopLeft(), QPointF(128.4, 198));
}

void TestLineGeometry::missingBlockLeavesLineAlone() {
    TestDiagram t;
    t.add(assign, 0, 0);
    t.add(assign, 0, 100);
    cLn* line = t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString());
    const QLineF before = line->t_Object_Line()->segment();
    line->setSTo(QStringLiteral("id99"));
    t.lines().updateAllLines();
    QCOMPARE(line->t_Object_Line()->segment(), before);
}

QTEST_MAIN(TestLineGeometry)
// A column of four blocks; a line from the block at `from` to the one at `to` (0 = top).
void TestLineGeometry::loopBackGoesAroundTheColumn_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("detours");
    QTest::newRow("back up over two blocks") << 3 << 0 << true;
    QTest::newRow("back up to the block above") << 1 << 0 << false;
    QTest::newRow("down over two blocks") << 0 << 3 << false; // straight, as files expect
}

void TestLineGeometry::loopBackGoesAroundTheColumn() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, detours);
    TestDiagram t;
    QStringList tags;
    for (int row = 0; row < 4; ++row)
        tags << t.add(BlockKinds::assign, 100 + 5 * row, 40 + 60 * row, 80, 20)->tagid();
    cLn* line = t.lines().Add_LINE(tags[from], tags[to], {});
    const LineControls& drawn = *line->t_Object_Line();
    QCOMPARE(!drawn.detour().isEmpty(), detours);
    QList<QLineF> legs = drawn.detour() + QList<QLineF>{drawn.segment()};
    for (int row = 0; row < 4; ++row) {
        if (row == from || row == to)
            continue;
        const cBck* block = t.blocks().Item(tags[row]);
        const QRectF inside =
            QRectF(block->shapeLeft(), block->shapeTop(), block->shapeWidth(), block->shapeHeight())
                .adjusted(1, 1, -1, -1);
        for (const QLineF& leg : legs) {
            const bool crosses = inside.contains(leg.p1()) || inside.contains(leg.p2()) ||
                                 leg.intersects(QLineF(inside.topLeft(), inside.bottomRight()),
                                                nullptr) == QLineF::BoundedIntersection;
            QVERIFY2(!detours || !crosses, qPrintable(tags[row]));
        }
    }
    // The legs join, and the arrow comes into the target.
    for (int i = 1; i < legs.size(); ++i)
        QCOMPARE(legs[i].p1(), legs[i - 1].p2());
    // A block moved out of the way straightens the line again.
    if (detours) {
        for (int row = 1; row <= 2; ++row)
            t.blocks().Item(tags[row])->setShapeLeft(400);
        t.lines().updateConntectedLines(tags[1]);
        QVERIFY(drawn.detour().isEmpty());
    }
}

#include "tst_linegeometry.moc"

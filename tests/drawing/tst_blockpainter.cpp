#include "TestDiagram.h"
#include "core/drawing/BlockPainter.h"
#include "core/drawing/Colors.h"
#include "core/model/BlockKinds.h"
#include "core/model/VbRounding.h"

#include <QTest>
#include <algorithm>

using namespace BlockKinds;

class TestBlockPainter : public QObject {
    Q_OBJECT
private slots:
    void shownCaption_data();
    void shownCaption();
    void decisionOnThreeCentredLines();
    void whileTestWidensWithItsCondition();
    void untilTestKeepsItsWidth();
    void outputOneLineOrTwo();
    void inputAndAssignmentSizes();
    void junctionIsNineByNine();
    void layoutFollowsTheTextNotTheKind();
    void tooShortDecisionStopsTheDrawing();
    void hugeTextKeepsTheOldSize();
    void colourChangeShowsOnRepaint();
    void ellipseFilledWithBackground();

private:
    static QFontMetricsF metrics() { return QFontMetricsF(MemoryCanvas::defaultBlockFont()); }
    static int whole(double v) { return int(roundHalfEven(v)); }
    // Laid out at the size it asks for, as the next repaint does, the middle line's box lies
    // within the diamond's four sides.
    static bool middleLineInside(const QString& caption, const QFontMetricsF& m) {
        const CaptionLayout first = BlockPainter::layout(caption, 109, 49, m);
        const double w = first.newWidth - 1, h = first.newHeight - 1;
        const CaptionLayout l = BlockPainter::layout(caption, w, h, m);
        const CaptionLayout::Line& middle = l.lines[1];
        const QRectF box(middle.topLeft, QSizeF(m.horizontalAdvance(middle.text), m.height()));
        for (const QPointF corner :
             {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            if (std::abs(corner.x() - w / 2) / (w / 2) + std::abs(corner.y() - h / 2) / (h / 2) >
                1.0)
                return false;
        }
        return true;
    }
};

void TestBlockPainter::shownCaption_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("decision") << "ΑΝ_Χ>5_ΤΟΤΕ"
                              << "ΑΝ Χ>5 ΤΟΤΕ";
    QTest::newRow("while") << "ΟΣΟ_Χ<10_"
                           << "ΟΣΟ Χ<10";
    QTest::newRow("until") << "ΜΕΧΡΙΣ_ΟΤΟΥ_Χ=1_"
                           << "ΜΕΧΡΙΣ_ΟΤΟΥ Χ=1";
    QTest::newRow("plain") << "Χ <-- 1"
                           << "Χ <-- 1";
    QTest::newRow("one trailing underscore only") << "Α__"
                                                  << "Α_";
}

void TestBlockPainter::shownCaption() {
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(BlockPainter::shownCaption(caption), shown);
}

void TestBlockPainter::decisionOnThreeCentredLines() {
    const QFontMetricsF m = metrics();
    const double w = 109;
    const CaptionLayout l = BlockPainter::layout(QStringLiteral("ΑΝ_Χ>5_ΤΟΤΕ"), w, 49, m);
    QVERIFY(l.ok);
    QCOMPARE(l.lines.size(), 3);
    QCOMPARE(l.lines[0].text, QStringLiteral("Aν ")); // Latin A
    QCOMPARE(l.lines[0].topLeft.x(), w / 2 - m.horizontalAdvance(QStringLiteral("Αν")) / 2);
    QCOMPARE(l.lines[1].text, QStringLiteral(" Χ>5"));
    QCOMPARE(l.lines[1].topLeft,
             QPointF(w / 2 - m.horizontalAdvance(QStringLiteral(" Χ>5")) / 2, m.height()));
    QCOMPARE(l.lines[2].text, QStringLiteral("Τότε"));
    QCOMPARE(l.lines[2].topLeft.y(), 2 * m.height());
    QCOMPARE(l.newWidth, whole(std::max(90.0, m.horizontalAdvance(QStringLiteral(" Χ>5")))));
    QCOMPARE(l.newHeight, whole(3 * m.horizontalAdvance(QStringLiteral("Αν"))));

    const QString wide = QStringLiteral(" Χ>5 AND ΣΥΝΟΛΟ<>ΜΕΓΙΣΤΟ");
    const CaptionLayout l2 = BlockPainter::layout(
        QStringLiteral("ΑΝ_") + wide.mid(1) + QStringLiteral("_ΤΟΤΕ"), w, 49, m);
    QVERIFY(l2.newWidth > m.horizontalAdvance(wide));
    QVERIFY(middleLineInside(QStringLiteral("ΑΝ_") + wide.mid(1) + QStringLiteral("_ΤΟΤΕ"), m));
    QVERIFY(middleLineInside(QStringLiteral("ΑΝ_Χ>5_ΤΟΤΕ"), m));
}

void TestBlockPainter::whileTestWidensWithItsCondition() {
    const QFontMetricsF m = metrics();
    const QString condition = QStringLiteral("ΑΘΡΟΙΣΜΑ<1000 AND ΜΕΤΡΗΤΗΣ<=ΠΛΗΘΟΣ");
    const CaptionLayout l =
        BlockPainter::layout(QStringLiteral("ΟΣΟ_") + condition + QStringLiteral("_"), 109, 49, m);
    QCOMPARE(l.lines.size(), 3);
    QCOMPARE(l.lines[0].text, QStringLiteral("Όσο "));
    QCOMPARE(l.lines[1].text, condition);
    QCOMPARE(l.lines[2].text, QStringLiteral("Επανάλαβε"));
    QVERIFY(l.newWidth > m.horizontalAdvance(condition));
    QVERIFY(middleLineInside(QStringLiteral("ΟΣΟ_") + condition + QStringLiteral("_"), m));
}

void TestBlockPainter::untilTestKeepsItsWidth() {
    const QFontMetricsF m = metrics();
    const int expected =
        whole(4 + std::max(90.0, m.horizontalAdvance(QStringLiteral("Μέχρις_ότου "))));
    for (const QString& condition :
         {QStringLiteral("Χ=1"), QStringLiteral("ΑΘΡΟΙΣΜΑ>1000 OR ΜΕΤΡΗΤΗΣ>ΠΛΗΘΟΣ_ΣΤΟΙΧΕΙΩΝ")}) {
        const CaptionLayout l = BlockPainter::layout(
            QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ_") + condition + QStringLiteral("_"), 109, 49, m);
        QCOMPARE(l.lines.size(), 2);
        QCOMPARE(l.lines[0].text, QStringLiteral("Μέχρις_ότου "));
        QCOMPARE(l.lines[1].text, QStringLiteral(" ") + condition);
        QCOMPARE(l.newWidth, expected);
        QCOMPARE(l.newHeight, whole(3 * m.horizontalAdvance(QStringLiteral("Αν"))));
    }
}

void TestBlockPainter::outputOneLineOrTwo() {
    const QFontMetricsF m = metrics();
    const QString narrow = QStringLiteral("Γράψε Χ");
    QVERIFY(m.horizontalAdvance(narrow) < 90);
    const CaptionLayout one = BlockPainter::layout(narrow, 109, 29, m);
    QCOMPARE(one.lines.size(), 1);
    QCOMPARE(one.newWidth, whole(m.horizontalAdvance(narrow) + 10));
    QCOMPARE(one.newHeight, whole(m.height() + 3));

    const QString wideCaption = QStringLiteral("Γράψε \"ΤΟ ΑΠΟΤΕΛΕΣΜΑ ΕΙΝΑΙ\",Χ");
    QVERIFY(m.horizontalAdvance(wideCaption) >= 90);
    const CaptionLayout two = BlockPainter::layout(wideCaption, 109, 29, m);
    QCOMPARE(two.lines.size(), 2);
    QCOMPARE(two.lines[0].text, QStringLiteral("Γράψε"));
    const QString rest = QStringLiteral("\"ΤΟ ΑΠΟΤΕΛΕΣΜΑ ΕΙΝΑΙ\",Χ");
    QCOMPARE(two.lines[1].text, rest);
    QCOMPARE(two.newWidth, whole(m.horizontalAdvance(rest) + 3));
    QCOMPARE(two.newHeight, whole((m.height() + 3) * 2));
}

void TestBlockPainter::inputAndAssignmentSizes() {
    const QFontMetricsF m = metrics();
    const QString input = QStringLiteral("Διάβασε Α");
    const CaptionLayout in = BlockPainter::layout(input, 94, 24, m);
    QCOMPARE(in.newWidth, whole(m.horizontalAdvance(input) + 17));
    QCOMPARE(in.newHeight, whole(m.height() + 3));

    const QString assignment = QStringLiteral("Χ <-- Χ+1");
    const CaptionLayout as = BlockPainter::layout(assignment, 79, 19, m);
    QCOMPARE(as.lines.size(), 1);
    QCOMPARE(as.lines[0].topLeft,
             QPointF(79 / 2.0 - m.horizontalAdvance(assignment) / 2, 19 / 2.0 - m.height() / 2));
    QCOMPARE(as.newWidth, whole(m.horizontalAdvance(assignment) + 7));
    QCOMPARE(as.newHeight, whole(m.height() + 3));
}

void TestBlockPainter::junctionIsNineByNine() {
    TestDiagram t;
    cBck* block = t.add(junction, 10, 10, 10, 10);
    block->setShape(SmallCircle);
    block->t_O_Shape()->requestRepaint();
    t.repaint();
    QCOMPARE(block->shapeWidth(), 9);
    QCOMPARE(block->shapeHeight(), 9);
    QCOMPARE(block->shownCaption(), QStringLiteral("+"));
}

void TestBlockPainter::layoutFollowsTheTextNotTheKind() {
    const CaptionLayout l =
        BlockPainter::layout(QStringLiteral("ΑΝ <-- 1"), 79, 19, metrics()); // ΑΝ <-- 1
    QCOMPARE(l.lines.size(), 3);
    QCOMPARE(l.lines[0].text, QStringLiteral("Aν "));
    QCOMPARE(l.lines[1].text, QStringLiteral(" "));
}

void TestBlockPainter::tooShortDecisionStopsTheDrawing() {
    const CaptionLayout l = BlockPainter::layout(QStringLiteral("ΑΝ_"), 109, 49, metrics());
    QVERIFY(!l.ok);
    QVERIFY(l.lines.isEmpty());
}

void TestBlockPainter::hugeTextKeepsTheOldSize() {
    TestDiagram t;
    cBck* block = t.add(assign, 0, 0, 80, 20);
    block->setZParam1(QStringLiteral("Χ"));
    block->setZParam2(QString(20000, QChar(0x0391)));
    block->setCaptionToAction();
    block->t_O_Shape()->requestRepaint();
    t.repaint();
    QCOMPARE(block->shapeWidth(), 80);
    QCOMPARE(block->shapeHeight(), 20);
}

void TestBlockPainter::colourChangeShowsOnRepaint() {
    TestDiagram t;
    cBck* block = t.add(assign, 0, 0, 80, 20);
    block->setShape(Rectangle);
    block->setZParam1(QStringLiteral("Χ"));
    block->setZParam2(QStringLiteral("1"));
    block->setCaptionToAction();
    block->setBGColor(bgrFromColor(QColor(0, 200, 0)));
    block->setBorderColor(bgrFromColor(QColor(200, 0, 0)));
    block->t_O_Shape()->requestRepaint();
    t.repaint();
    const QImage& picture = t.canvas.surfaces().front()->picture();
    QCOMPARE(picture.size(), QSize(block->shapeWidth(), block->shapeHeight()));
    QCOMPARE(QColor(picture.pixel(0, 0)), QColor(200, 0, 0));
    QCOMPARE(QColor(picture.pixel(2, picture.height() - 2)), QColor(0, 200, 0));
}

void TestBlockPainter::ellipseFilledWithBackground() {
    TestDiagram t;
    cBck* block = t.add(start, 0, 0, 60, 20);
    block->setShape(Ellipse);
    block->setBGColor(bgrFromColor(QColor(0, 0, 220)));
    t.canvas.surfaces().front()->setVisible(true);
    block->t_O_Shape()->requestRepaint();
    t.repaint();
    const QImage& picture = t.canvas.surfaces().front()->picture();
    QCOMPARE(QColor(picture.pixel(0, 0)), QColor(Qt::white)); // the canvas colour
    QCOMPARE(QColor(picture.pixel(2, picture.height() / 2)), QColor(0, 0, 220));
}

QTEST_MAIN(TestBlockPainter)
#include "tst_blockpainter.moc"

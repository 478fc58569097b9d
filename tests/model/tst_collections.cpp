#include "TestDiagram.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"
#include "core/model/LineControls.h"

#include <QTest>

using namespace BlockKinds;

class TestCollections : public QObject {
    Q_OBJECT
private slots:
    void newBlockDefaults();
    void tagIdsSkipDeletedAndRestartAfterClear();
    void tagIdsFillGapsOfLoadedFiles();
    void refusedKeysCreateNothing();
    void duplicateKeyRefusedWithMessage();
    void lookupsAndCase();
    void findActionBlockSkipsDeleted();
    void deletingAsksAndKeepsOnNo();
    void deletingRemovesEveryAttachedLine();
    void captionBothDirections();
    void delLineLeavesLiveLines();
    void emptyEndRefused();
    void removeShapeOutOfRangeIsHarmless();
    void creationLimitRefusedCleanly();
    void removingKeepsKeysInStep();
};

void TestCollections::newBlockDefaults() {
    TestDiagram t;
    cBck* block = t.blocks().AddShape(Diamond, QStringLiteral("id1"), 12.5, 30);
    QVERIFY(block);
    QCOMPARE(block->shapeLeft(), 12.5);
    QCOMPARE(block->shapeTop(), 30.0);
    QCOMPARE(block->shape(), qint16(Diamond));
    QCOMPARE(block->BGColor(), 0xFFFFFFu);
    QCOMPARE(block->TextColor(), 0u);
    QCOMPARE(block->BorderColor(), 0u);
    QVERIFY(block->Visible());
    QCOMPARE(block->t_O_Shape()->tag(), QStringLiteral("id1"));
    QCOMPARE(t.diagram.shapeCount(), 1);
    QCOMPARE(t.diagram.currentBlockIndex, 1);
    QCOMPARE(t.diagram.previousBlockIndex, -1);
    QCOMPARE(t.canvas.surfaces().front()->raiseCount(), 1);
}

void TestCollections::tagIdsSkipDeletedAndRestartAfterClear() {
    TestDiagram t;
    QCOMPARE(t.blocks().getFreeTagID(), QStringLiteral("id1"));
    t.add(assign, 0, 0);
    t.add(assign, 0, 50);
    t.add(assign, 0, 100);
    t.blocks().rem_Shape(2, true);
    QCOMPARE(t.blocks().getFreeTagID(), QStringLiteral("id4"));
    QCOMPARE(t.blocks().Count(), 3);
    t.diagram.clear();
    QCOMPARE(t.blocks().Count(), 0);
    QCOMPARE(t.diagram.shapeCount(), 0);
    QVERIFY(t.canvas.surfaces().empty());
    QCOMPARE(t.blocks().getFreeTagID(), QStringLiteral("id1"));
}

void TestCollections::tagIdsFillGapsOfLoadedFiles() {
    TestDiagram t;
    t.blocks().AddShape(0, QStringLiteral("id1"), 0, 0);
    t.blocks().AddShape(0, QStringLiteral("id5"), 0, 0);
    QCOMPARE(t.blocks().getFreeTagID(), QStringLiteral("id2"));
}

void TestCollections::refusedKeysCreateNothing() {
    for (const QString& key : {QStringLiteral("-1"), QStringLiteral("   "), QString()}) {
        TestDiagram t;
        QVERIFY(!t.blocks().AddShape(0, key, 0, 0));
        QCOMPARE(t.blocks().Count(), 0);
        QCOMPARE(t.diagram.shapeCount(), 0);
    }
}

void TestCollections::duplicateKeyRefusedWithMessage() {
    TestDiagram t;
    QVERIFY(t.blocks().AddShape(0, QStringLiteral("id3"), 0, 0));
    QVERIFY(!t.blocks().AddShape(0, QStringLiteral("ID3"), 0, 0));
    QCOMPARE(t.blocks().Count(), 1);
    QCOMPARE(t.diagram.shapeCount(), 1);
    QCOMPARE(t.sink.messages.size(), 1);
}

void TestCollections::lookupsAndCase() {
    TestDiagram t;
    t.add(start, 0, 0);
    t.add(end, 0, 50);
    QCOMPARE(t.blocks().get_Index_f_Tag(QStringLiteral("id2")), 2);
    QCOMPARE(t.blocks().get_Index_f_Tag(QStringLiteral("ID1")), -1);
    QVERIFY(t.blocks().object_n_Exists(QStringLiteral("ID1")));
    QVERIFY(!t.blocks().object_n_Exists(QStringLiteral("id9")));
    QCOMPARE(t.blocks().Item(QStringLiteral("id2"))->zaction(), end);
    QCOMPARE(t.blocks().Item(1)->zaction(), start);
    QVERIFY(!t.blocks().Item(3));
    QVERIFY(!t.blocks().Item(QStringLiteral("nothing")));
    t.blocks().rem_Shape(2, true);
    QCOMPARE(t.blocks().get_Index_f_Tag(QStringLiteral("id2")), 2); // deleted ones are found too
}

void TestCollections::findActionBlockSkipsDeleted() {
    TestDiagram t;
    t.add(start, 0, 0);
    QVERIFY(t.diagram.findActionBlock(start));
    t.blocks().rem_Shape(1, true);
    QVERIFY(!t.diagram.findActionBlock(start));
    cBck* second = t.add(start, 0, 0);
    QCOMPARE(t.diagram.findActionBlock(start), second);
    QVERIFY(!t.diagram.findActionBlock(end));
}

void TestCollections::deletingAsksAndKeepsOnNo() {
    TestDiagram t;
    t.add(assign, 0, 0);
    t.add(assign, 0, 100);
    t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString());
    t.questions.answerMessage(ModalQuestions::Answer::No);
    t.blocks().rem_Shape(1, false);
    QCOMPARE(t.questions.asked().size(), 1);
    QCOMPARE(t.questions.asked().first().text, QStringLiteral("Να διαγραφεί"));
    QCOMPARE(t.questions.asked().first().title, QStringLiteral("Προσοχή διαγραφή ενέργειας"));
    QCOMPARE(t.questions.asked().first().buttons, ModalQuestions::Buttons::YesNo);
    QVERIFY(t.blocks().Item(1)->Visible());
    QCOMPARE(t.lines().Count(), 1);

    t.questions.answerMessage(ModalQuestions::Answer::Yes);
    t.canvas.showSelector();
    t.blocks().rem_Shape(1, false);
    QVERIFY(!t.blocks().Item(1)->Visible());
    QCOMPARE(t.blocks().Item(1)->t_O_Shape()->tag(), QStringLiteral("id1-DELETED"));
    QVERIFY(Bl_Co::isDeleted(*t.blocks().Item(1)));
    QCOMPARE(t.lines().Count(), 0);
    QVERIFY(!t.canvas.selectorVisible());
    QCOMPARE(t.diagram.currentBlockIndex, -1);
}

void TestCollections::deletingRemovesEveryAttachedLine() {
    TestDiagram t;
    t.add(junction, 100, 100, 10, 10);
    t.add(assign, 0, 0);
    t.add(assign, 0, 300);
    t.add(assign, 300, 100);
    t.lines().Add_LINE(QStringLiteral("id2"), QStringLiteral("id1"), QString());
    t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id3"), QStringLiteral("Ν"));
    t.lines().Add_LINE(QStringLiteral("id4"), QStringLiteral("id1"), QString());
    t.lines().Add_LINE(QStringLiteral("id2"), QStringLiteral("id3"), QString());
    const auto& controls = t.canvas.lineControls();
    QVERIFY(controls[1]->labelVisible());

    t.blocks().rem_Shape(1, true);
    QCOMPARE(t.lines().Count(), 1);
    QCOMPARE(t.lines().Item(1)->sFrom(), QStringLiteral("id2"));
    QCOMPARE(t.lines().Item(1)->sTo(), QStringLiteral("id3"));
    for (int i : {0, 1, 2}) {
        QVERIFY(!controls[size_t(i)]->segmentVisible());
        QVERIFY(!controls[size_t(i)]->headVisible());
        QVERIFY(!controls[size_t(i)]->labelVisible());
    }
    QVERIFY(controls[3]->segmentVisible());
    QCOMPARE(t.diagram.lineCount(), 4); // controls are hidden, not reused
}

void TestCollections::captionBothDirections() {
    TestDiagram t;
    t.add(decision, 0, 0);
    t.add(assign, 0, 200);
    t.add(assign, 300, 0);
    t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString());
    t.lines().Add_LINE(QStringLiteral("id2"), QStringLiteral("id1"), QString());
    t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id3"), QString());
    t.lines().A_C_ToLine(QStringLiteral("id1"), QStringLiteral("id2"), QStringLiteral("Ν"));
    QCOMPARE(t.lines().Item(1)->sCaption(), QStringLiteral("Ν"));
    QCOMPARE(t.lines().Item(2)->sCaption(), QStringLiteral("Ν"));
    QCOMPARE(t.lines().Item(3)->sCaption(), QString());
    const LineControls* first = t.lines().Item(1)->t_Object_Line();
    QVERIFY(first->labelVisible());
    const QPointF centre = first->labelPos() +
                           QPointF(first->labelSize().width() / 2, first->labelSize().height() / 2);
    QCOMPARE(centre, first->segment().center());
}

void TestCollections::delLineLeavesLiveLines() {
    TestDiagram t;
    t.add(assign, 0, 0);
    t.add(assign, 0, 100);
    t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString());
    t.lines().Item(1)->setSFrom(QString()); // half-dead lines stay until both ends are empty
    t.lines().del_Line();
    QCOMPARE(t.lines().Count(), 1);
    t.lines().Item(1)->setSTo(QString());
    t.lines().del_Line();
    QCOMPARE(t.lines().Count(), 0);
}

void TestCollections::emptyEndRefused() {
    TestDiagram t;
    t.add(assign, 0, 0);
    QVERIFY(!t.lines().Add_LINE(QStringLiteral("id1"), QString(), QString()));
    QVERIFY(!t.lines().Add_LINE(QString(), QStringLiteral("id1"), QString()));
    QCOMPARE(t.sink.messages, QStringList({QStringLiteral("Cannot make a link!!!!"),
                                           QStringLiteral("Cannot make a link!!!!")}));
    QCOMPARE(t.diagram.lineCount(), 0);
}

void TestCollections::removeShapeOutOfRangeIsHarmless() {
    TestDiagram t;
    t.add(assign, 0, 0);
    for (int index : {-1, 0, 2, 40000})
        t.blocks().rem_Shape(index, false);
    QVERIFY(t.questions.asked().isEmpty());
    QVERIFY(t.blocks().Item(1)->Visible());
}

void TestCollections::creationLimitRefusedCleanly() {
    TestDiagram t;
    for (int i = 1; i <= Diagram::maxCreations; ++i)
        QVERIFY(t.blocks().AddShape(0, QStringLiteral("id") + QString::number(i), 0, 0));
    QVERIFY(t.blocks().getFreeTagID().isEmpty());
    QVERIFY(!t.blocks().AddShape(0, QStringLiteral("x"), 0, 0));
    QCOMPARE(t.blocks().Count(), Diagram::maxCreations);
    QCOMPARE(t.sink.messages.size(), 1);

    for (int i = 1; i <= Diagram::maxCreations; ++i)
        QVERIFY(t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString()));
    QVERIFY(!t.lines().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString()));
    QCOMPARE(t.lines().Count(), Diagram::maxCreations);
    QCOMPARE(t.sink.messages.size(), 2);
}

void TestCollections::removingKeepsKeysInStep() {
    TestDiagram t;
    t.add(start, 0, 0);
    t.add(assign, 0, 50);
    t.add(end, 0, 100);
    t.blocks().Remove(1);
    QCOMPARE(t.blocks().Count(), 2);
    QCOMPARE(t.blocks().Item(QStringLiteral("id3"))->zaction(), end);
    QCOMPARE(t.blocks().Item(QStringLiteral("id2"))->zaction(), assign);
    QVERIFY(!t.blocks().Item(QStringLiteral("id1")));
    QVERIFY(!t.blocks().object_n_Exists(QStringLiteral("id1")));
    t.blocks().Remove(2);
    QVERIFY(!t.blocks().Item(QStringLiteral("id3")));
    QCOMPARE(t.blocks().Item(QStringLiteral("id2"))->zaction(), assign);
}

QTEST_MAIN(TestCollections)
#include "tst_collections.moc"

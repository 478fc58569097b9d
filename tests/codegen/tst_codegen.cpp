#include "FlowchartPlan.h"
#include "TestDiagram.h"
#include "core/codegen/ProgramTextConversions.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/codegen/PseudoLines.h"
#include "core/expression/SchoolText.h"
#include "core/model/DiagramBuilder.h"
#include "editor/EditorTestHelpers.h"
#include "gui/codegen/ProgramTextWindow.h"
#include "gui/editor/EditHistory.h"
#include "gui/windows/MainMenus.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <QApplication>
#include <QTimer>

#include <QAction>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>

namespace {

QString lines(const QStringList& list) {
    return list.join("\r\n") + "\r\n";
}

// Builds a diagram from captions (kind, p1, p2) and lines given by diagram ids.
struct Flowchart {
    TestDiagram t;
    DiagramBuilder b{t.diagram};
    QString generate() {
        PseudoCodeGenerator generator;
        return generator.generate(t.diagram).value_or(QStringLiteral("<none>"));
    }
};

// Worked example 1: a decision with both branches.
void decisionExample(Flowchart& f) {
    f.b.start();
    f.b.read("Α");
    f.b.decision("Α > 0");
    f.b.assign("Β", "1");
    f.b.assign("Β", "2");
    f.b.junction();
    f.b.write("Β");
    f.b.end();
    f.b.chain({"id1", "id2", "id3"});
    f.b.link("id3", "id4", "Ν");
    f.b.link("id3", "id5", "Ο");
    f.b.link("id4", "id6");
    f.b.link("id5", "id6");
    f.b.chain({"id6", "id7", "id8"});
}

const QString example1 = lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΔΙΑΒΑΣΕ Α", "ΑΝ  Α > 0 ΤΟΤΕ", "Β <-- 1", "ΑΛΛΙΩΣ",
                                "Β <-- 2", "ΤΕΛΟΣ_ΑΝ", "ΓΡΑΨΕ Β", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"});
const QString example1Indented =
    lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "    ΔΙΑΒΑΣΕ Α", "    ΑΝ  Α > 0 ΤΟΤΕ", "        Β <-- 1", "    ΑΛΛΙΩΣ",
           "        Β <-- 2", "    ΤΕΛΟΣ_ΑΝ", "    ΓΡΑΨΕ Β", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ", ""});

} // namespace

class TestCodegen : public QObject {
    Q_OBJECT
private slots:
    void decisionWorkedExample();
    void whileWorkedExample();
    void whileWithBodyOnTheNoExit();
    void repeatUntilWorkedExample();
    void noElseBranch();
    void elseIfChain();
    void loopInsideDecisionAndDecisionInsideLoop();
    void nestedStructures_data();
    void nestedStructures();
    void brokenStructureIsSaid();
    void blockNumbersPastAThousand();
    void noStartLine();
    void largeDiagramConverts();
    void tablesAreEmptiedBetweenGenerations();
    void replHelpers();
    void indentation();
    void basicWorkedExample();
    void basicRewrites();
    void pascalWorkedExample();
    void pascalLoops();
    void pseudoLanguageKeepsTheRunsMeaning_data();
    void pseudoLanguageKeepsTheRunsMeaning();
    void deepAndLongExpressionsAreRefusedNotCrashed_data();
    void deepAndLongExpressionsAreRefusedNotCrashed();
    void programTextWindow();
    void conversionMenuOfTheMainWindow();
    void programBecomesFlowchart();
};

void TestCodegen::decisionWorkedExample() {
    Flowchart f;
    decisionExample(f);
    PseudoCodeGenerator generator;
    QCOMPARE(generator.generate(f.t.diagram).value(), example1);
}

// Worked example 2: Σ <-- 0, a while test, its body Σ <-- Σ + 1, then Γράψε Σ. `body` labels
// the exit into the body, `after` the exit out of the loop.
void whileExample(Flowchart& f, const QString& body, const QString& after) {
    f.b.start();
    f.b.assign("Σ", "0");
    f.b.whileTest("Σ < 10");
    f.b.assign("Σ", "Σ + 1");
    f.b.write("Σ");
    f.b.end();
    f.b.chain({"id1", "id2", "id3"});
    f.b.link("id3", "id4", body);
    f.b.link("id4", "id3");
    f.b.link("id3", "id5", after);
    f.b.link("id5", "id6");
}

void TestCodegen::whileWorkedExample() {
    Flowchart f;
    whileExample(f, "Ν", "Ο");
    QCOMPARE(f.generate(), lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "Σ <-- 0", "ΟΣΟ Σ < 10 ΕΠΑΝΑΛΑΒΕ", "Σ <-- Σ + 1",
                                  "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ", "ΓΡΑΨΕ Σ", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::whileWithBodyOnTheNoExit() {
    Flowchart f;
    whileExample(f, "Ο", "Ν");
    QVERIFY(f.generate().contains(QStringLiteral("ΟΣΟ ΟΧΙ(Σ < 10) ΕΠΑΝΑΛΑΒΕ\r\n")));
}

void TestCodegen::repeatUntilWorkedExample() {
    Flowchart f;
    f.b.start();
    f.b.assign("Σ", "0");
    f.b.assign("Σ", "Σ + 1");
    f.b.block(BlockKinds::untilTest, "ΜΕΧΡΙΣ_ΟΤΟΥ_Σ > 5_", "Σ > 5");
    f.b.write("Σ");
    f.b.end();
    f.b.chain({"id1", "id2", "id3", "id4"});
    f.b.link("id4", "id3", "Ο");
    f.b.link("id4", "id5", "Ν");
    f.b.link("id5", "id6");
    PseudoCodeGenerator generator;
    QCOMPARE(generator.generate(f.t.diagram).value(),
             lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "Σ <-- 0", "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "Σ <-- Σ + 1",
                    "ΜΕΧΡΙΣ_ΟΤΟΥ Σ > 5", "ΓΡΑΨΕ Σ", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::noElseBranch() {
    Flowchart f;
    f.b.start();
    f.b.decision("Χ > 0");
    f.b.assign("Χ", "0");
    f.b.junction();
    f.b.end();
    f.b.link("id1", "id2");
    f.b.link("id2", "id3", "Ν");
    f.b.link("id2", "id4", "Ο");
    f.b.chain({"id3", "id4", "id5"});
    QCOMPARE(f.generate(),
             lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΑΝ  Χ > 0 ΤΟΤΕ", "Χ <-- 0", "ΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::elseIfChain() {
    Flowchart f;
    f.b.start();           // 1
    f.b.decision("Χ > 0"); // 2
    f.b.assign("Υ", "1");  // 3
    f.b.decision("Χ < 0"); // 4
    f.b.assign("Υ", "2");  // 5
    f.b.assign("Υ", "3");  // 6
    f.b.junction();        // 7 inner join
    f.b.junction();        // 8 outer join
    f.b.end();             // 9
    f.b.link("id1", "id2");
    f.b.link("id2", "id3", "Ν");
    f.b.link("id2", "id4", "Ο");
    f.b.link("id4", "id5", "Ν");
    f.b.link("id4", "id6", "Ο");
    f.b.link("id5", "id7");
    f.b.link("id6", "id7");
    f.b.link("id7", "id8");
    f.b.link("id3", "id8");
    f.b.link("id8", "id9");
    QCOMPARE(f.generate(),
             lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΑΝ  Χ > 0 ΤΟΤΕ", "Υ <-- 1", "ΑΛΛΙΩΣ_ΑΝ  Χ < 0 ΤΟΤΕ",
                    "Υ <-- 2", "ΑΛΛΙΩΣ", "Υ <-- 3", "ΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::loopInsideDecisionAndDecisionInsideLoop() {
    // The Russian multiplication example: a decision inside a while loop.
    Flowchart f;
    f.b.start();                 // 1
    f.b.junction();              // 2 loop entry
    f.b.whileTest("Α > 0");      // 3
    f.b.decision("Α MOD 2 = 1"); // 4
    f.b.assign("Γ", "Γ + Β");    // 5
    f.b.junction();              // 6
    f.b.assign("Α", "Α DIV 2");  // 7
    f.b.write("Γ");              // 8
    f.b.end();                   // 9
    f.b.chain({"id1", "id2", "id3"});
    f.b.link("id3", "id4", "Ν");
    f.b.link("id3", "id8", "Ο");
    f.b.link("id4", "id5", "Ν");
    f.b.link("id4", "id6", "Ο");
    f.b.link("id5", "id6");
    f.b.chain({"id6", "id7", "id2"});
    f.b.link("id8", "id9");
    QCOMPARE(f.generate(), lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΟΣΟ Α > 0 ΕΠΑΝΑΛΑΒΕ", "ΑΝ  Α MOD 2 = 1 ΤΟΤΕ",
                                  "Γ <-- Γ + Β", "ΤΕΛΟΣ_ΑΝ", "Α <-- Α DIV 2", "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ",
                                  "ΓΡΑΨΕ Γ", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::nestedStructures_data() {
    using S = Plan;
    QTest::addColumn<std::vector<Plan>>("program");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("nested while loops")
        << std::vector<Plan>{S::whileLoop("Ι<3", {S::whileLoop("Κ<3", {S::assign("Κ", "Κ+1")}),
                                                  S::assign("Ι", "Ι+1")}),
                             S::write("Ι")}
        << QStringList{"ΟΣΟ Ι<3 ΕΠΑΝΑΛΑΒΕ", "ΟΣΟ Κ<3 ΕΠΑΝΑΛΑΒΕ", "Κ <-- Κ+1", "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ",
                       "Ι <-- Ι+1",         "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ",  "ΓΡΑΨΕ Ι"};
    QTest::newRow("else-if chain of three")
        << std::vector<Plan>{S::decision(
               "Α>0", {S::assign("Β", "1")},
               {S::decision("Α<0", {S::assign("Β", "2")}, {S::assign("Β", "3")})})}
        << QStringList{"ΑΝ  Α>0 ΤΟΤΕ", "Β <-- 1", "ΑΛΛΙΩΣ_ΑΝ  Α<0 ΤΟΤΕ", "Β <-- 2", "ΑΛΛΙΩΣ",
                       "Β <-- 3",      "ΤΕΛΟΣ_ΑΝ"};
    QTest::newRow("else-if chain of four")
        << std::vector<Plan>{S::decision(
               "Α=1", {S::assign("Β", "1")},
               {S::decision("Α=2", {S::assign("Β", "2")},
                            {S::decision("Α=3", {S::assign("Β", "3")}, {S::assign("Β", "4")})})})}
        << QStringList{"ΑΝ  Α=1 ΤΟΤΕ",
                       "Β <-- 1",
                       "ΑΛΛΙΩΣ_ΑΝ  Α=2 ΤΟΤΕ",
                       "Β <-- 2",
                       "ΑΛΛΙΩΣ_ΑΝ  Α=3 ΤΟΤΕ",
                       "Β <-- 3",
                       "ΑΛΛΙΩΣ",
                       "Β <-- 4",
                       "ΤΕΛΟΣ_ΑΝ"};
    QTest::newRow("while in repeat-until")
        << std::vector<Plan>{S::until(
               "Ι>3", {S::whileLoop("Κ>0", {S::assign("Κ", "Κ-1")}), S::assign("Ι", "Ι+1")})}
        << QStringList{"ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ",  "ΟΣΟ Κ>0 ΕΠΑΝΑΛΑΒΕ", "Κ <-- Κ-1",
                       "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ", "Ι <-- Ι+1",         "ΜΕΧΡΙΣ_ΟΤΟΥ Ι>3"};
    QTest::newRow("repeat-until in while")
        << std::vector<Plan>{S::whileLoop("Ι<3", {S::until("Κ=0", {S::assign("Κ", "Κ-1")}, true)})}
        << QStringList{"ΟΣΟ Ι<3 ΕΠΑΝΑΛΑΒΕ", "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "Κ <-- Κ-1", "ΜΕΧΡΙΣ_ΟΤΟΥ ΟΧΙ(Κ=0)",
                       "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"};
    QTest::newRow("loop in the no branch")
        << std::vector<Plan>{S::decision("Α>0", {S::write("Α")},
                                         {S::whileLoop("Α<0", {S::assign("Α", "Α+1")}, true)}),
                             S::write("Α")}
        << QStringList{"ΑΝ  Α>0 ΤΟΤΕ", "ΓΡΑΨΕ Α",          "ΑΛΛΙΩΣ",   "ΟΣΟ ΟΧΙ(Α<0) ΕΠΑΝΑΛΑΒΕ",
                       "Α <-- Α+1",    "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ", "ΤΕΛΟΣ_ΑΝ", "ΓΡΑΨΕ Α"};
    QTest::newRow("statement after a nested junction")
        << std::vector<Plan>{S::decision(
               "Α>0", {S::decision("Α>5", {S::assign("Β", "2")}), S::assign("Β", "Β*10")},
               {S::assign("ΑΝΩ", "1")})}
        << QStringList{"ΑΝ  Α>0 ΤΟΤΕ", "ΑΝ  Α>5 ΤΟΤΕ", "Β <-- 2",   "ΤΕΛΟΣ_ΑΝ",
                       "Β <-- Β*10",   "ΑΛΛΙΩΣ",       "ΑΝΩ <-- 1", "ΤΕΛΟΣ_ΑΝ"};
}

void TestCodegen::nestedStructures() {
    QFETCH(std::vector<Plan>, program);
    QFETCH(QStringList, expected);
    Flowchart f;
    PlanDrawer(f.t.diagram).draw(program);
    QCOMPARE(f.generate(),
             lines(QStringList{"ΑΛΓΟΡΙΘΜΟΣ Α1"} + expected + QStringList{"ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
    // The indentation accepts every such text.
    QVERIFY(ProgramTextConversions::indent(f.generate()).contains(QStringLiteral("\r\n    ")));
}

void TestCodegen::brokenStructureIsSaid() {
    // A loop left from its middle as well as from its test.
    Flowchart f;
    const QString s = f.b.start(), j = f.b.junction(), w = f.b.whileTest("Ι<5");
    const QString a = f.b.assign("Ι", "Ι+1"), d = f.b.decision("Ι=3"), e = f.b.end();
    f.b.chain({s, j, w});
    f.b.link(w, a, "Ν");
    f.b.link(w, e, "Ο");
    f.b.link(a, d);
    f.b.link(d, e, "Ν");
    f.b.link(d, j, "Ο");
    const QString text = f.generate();
    QVERIFY2(text.contains(QStringLiteral("\r\n! Η εντολή 2 σπάει τη δομή του διαγράμματος")),
             qPrintable(text));
    QVERIFY(text.endsWith(QStringLiteral("ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ\r\n")));
}

void TestCodegen::blockNumbersPastAThousand() {
    // Numbers a pupil's diagram reaches after many deletions: no block may be lost.
    Flowchart f;
    Bl_Co& blocks = f.t.blocks();
    const QStringList tags = {"id1500", "id999", "id2001", "id1001"};
    const QStringList kinds = {BlockKinds::start, BlockKinds::assign, BlockKinds::assign,
                               BlockKinds::end};
    for (int i = 0; i < tags.size(); ++i) {
        cBck* block = blocks.AddShape(0, tags[i], 10, 10 + 40 * i);
        block->setZaction(kinds[i]);
        block->setZParam1(QStringLiteral("Χ%1").arg(i));
        block->setZParam2(QString::number(i));
        block->setCaptionToAction();
    }
    f.b.chain(tags);
    QCOMPARE(f.generate(), lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "Χ1 <-- 1", "Χ2 <-- 2", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::noStartLine() {
    Flowchart f;
    f.b.start();
    f.b.end();
    PseudoCodeGenerator generator;
    QVERIFY(!generator.generate(f.t.diagram));
    Flowchart empty;
    QVERIFY(!generator.generate(empty.t.diagram));
}

void TestCodegen::largeDiagramConverts() {
    Flowchart f;
    QStringList chain{f.b.start()};
    for (int i = 0; i < 59; ++i)
        chain << f.b.assign("Χ" + QString::number(i), QString::number(i));
    chain << f.b.end();
    f.b.chain(chain);
    const QString text = f.generate();
    QCOMPARE(text.count("\r\n"), 61);
    QVERIFY(text.contains(QStringLiteral("\r\nΧ58 <-- 58\r\nΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ\r\n")));

    Flowchart loop;
    QStringList body{loop.b.start(), loop.b.junction(), loop.b.whileTest("Χ < 1")};
    for (int i = 0; i < 45; ++i)
        body << loop.b.assign("Χ", "Χ + 1");
    loop.b.chain({body[0], body[1], body[2]});
    loop.b.link(body[2], body[3], "Ν");
    loop.b.chain(body.mid(3));
    loop.b.link(body.last(), body[1]);
    loop.b.link(body[2], loop.b.end(), "Ο");
    // A loop of any length is built.
    const QString built = loop.generate();
    QVERIFY(built.contains(QStringLiteral("\r\nΟΣΟ Χ < 1 ΕΠΑΝΑΛΑΒΕ\r\n")));
    QCOMPARE(built.count(QStringLiteral("Χ <-- Χ + 1\r\n")), 45);
    QVERIFY(
        built.endsWith(QStringLiteral("Χ <-- Χ + 1\r\nΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ\r\nΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ\r\n")));
}

void TestCodegen::tablesAreEmptiedBetweenGenerations() {
    Flowchart big;
    decisionExample(big);
    PseudoCodeGenerator generator;
    QVERIFY(generator.generate(big.t.diagram));
    Flowchart small;
    small.b.chain({small.b.start(), small.b.assign("Χ", "1"), small.b.end()});
    QCOMPARE(generator.generate(small.t.diagram).value(),
             lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "Χ <-- 1", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
}

void TestCodegen::replHelpers() {
    QCOMPARE(PseudoLines::REPL_("ΑΝ_Α>0_ΤΟΤΕ"), QStringLiteral("ΑΝ Α>0 ΤΟΤΕ"));
    QCOMPARE(PseudoLines::REPL_("ΟΣΟ_Σ<10_"), QStringLiteral("ΟΣΟ Σ<10_"));
    QCOMPARE(PseudoLines::REPL_("Αρχή Αρχή"), QStringLiteral("Αρχή"));
    QCOMPARE(PseudoLines::REPL_("ΑΝ..ΤΟΤΕ"), QString());
    QCOMPARE(PseudoLines::finish("Γράψε \"Όλα καλά!\"\r\n"),
             QStringLiteral("ΓΡΑΨΕ \"ΟΛΑ ΚΑΛΑ\"\r\n"));
}

void TestCodegen::indentation() {
    QCOMPARE(ProgramTextConversions::indent(example1), example1Indented);
    const QString loop = lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "Σ <-- Σ + 1",
                                "ΜΕΧΡΙΣ_ΟΤΟΥ Σ > 5", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"});
    QCOMPARE(ProgramTextConversions::indent(loop),
             lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "    ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "        Σ <-- Σ + 1",
                    "    ΜΕΧΡΙΣ_ΟΤΟΥ Σ > 5", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ", ""}));
    const QString unbalanced = lines({"Α", "ΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΝ"});
    QCOMPARE(ProgramTextConversions::indent(unbalanced), unbalanced);
    QCOMPARE(ProgramTextConversions::indent(QStringLiteral("χωρίς αλλαγή γραμμής")),
             QStringLiteral("\r\n"));
    QStringList longText{"ΑΛΓΟΡΙΘΜΟΣ Α1"};
    for (int i = 0; i < 45; ++i)
        longText << "Χ <-- " + QString::number(i);
    longText << "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ";
    const QString indented = ProgramTextConversions::indent(lines(longText));
    QVERIFY(indented.contains(QStringLiteral("\r\n    Χ <-- 44\r\nΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ\r\n\r\n")));
}

void TestCodegen::basicWorkedExample() {
    const auto result = ProgramTextConversions::toBasic(example1Indented);
    QCOMPARE(result.status, ProgramTextConversions::Result::Status::Converted);
    QCOMPARE(result.text,
             lines({"Private Sub A1", " A = InputBox(\"..\")", " If A > 0 Then", "  B = 1", " Else",
                    "  B = 2", " EndIf", " PRINT B", "End Sub", ""}));
}

void TestCodegen::basicRewrites() {
    const auto modulo = ProgramTextConversions::toBasic(lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", " Υ <-- Χ MOD 2"}));
    QVERIFY(modulo.text.contains(QStringLiteral(" Y = X-(X\\2) * 2\r\n")));
    // Messages stay as written; comparisons stay whole; arrays take parentheses.
    const auto prompt = ProgramTextConversions::toBasic(
        lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", " ΔΙΑΒΑΣΕ \"ΔΩΣΕ ΤΙΜΗ\",Π[Ι,Κ]", " ΑΝ  Α<=Β ΤΟΤΕ",
               "ΓΡΑΨΕ \"Η ΑΠΟΛΥΤΗ ΤΙΜΗ\",Α_Τ(Α)", "ΑΛΛΙΩΣ_ΑΝ  Α<>Β ΤΟΤΕ", "ΑΝΩ <-- 1", "ΤΕΛΟΣ_ΑΝ",
               "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
    QCOMPARE(prompt.text, lines({"Private Sub A1", " P(I, K) = InputBox(\"ΔΩΣΕ ΤΙΜΗ\")",
                                 " If A <= B Then", "  PRINT \"Η ΑΠΟΛΥΤΗ ΤΙΜΗ\"; ABS(A)",
                                 " ElseIf A <> B Then", "  ANO = 1", " EndIf", "End Sub", ""}));
    const auto loops =
        ProgramTextConversions::toBasic(lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "Σ <-- Σ DIV 2",
                                               "ΜΕΧΡΙΣ_ΟΤΟΥ Σ < 1", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
    QCOMPARE(loops.text,
             lines({"Private Sub A1", " Do", "  S = S \\ 2", " Loop Until S < 1", "End Sub", ""}));
    // Blocks that do not close are refused, and the text stays.
    const auto broken = ProgramTextConversions::toBasic(lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΑΝ  Χ ΤΟΤΕ"}));
    QCOMPARE(broken.status, ProgramTextConversions::Result::Status::Failed);
    QCOMPARE(ProgramTextConversions::toBasic(QStringLiteral("Χ MOD 2\r\n")).status,
             ProgramTextConversions::Result::Status::Failed);
}

void TestCodegen::pascalWorkedExample() {
    const auto result = ProgramTextConversions::toPascal(example1Indented);
    QCOMPARE(result.status, ProgramTextConversions::Result::Status::Converted);
    QVERIFY(result.text.startsWith(
        lines({"program A1;", "{$R+}", "uses Math, SysUtils;", "", "var", "  A, B: Real;", ""})));
    QVERIFY(result.text.endsWith(
        lines({"begin", "  ReadLn(A);", "  if A > 0 then", "  begin", "    B := 1;", "  end",
               "  else", "  begin", "    B := 2;", "  end;", "  WriteLn(NumOut(B));", "end."})));
}

void TestCodegen::pascalLoops() {
    const QString pseudo = ProgramTextConversions::indent(
        lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "Σ <-- 0", "ΟΣΟ Σ < 10 ΕΠΑΝΑΛΑΒΕ", "Σ <-- Σ + 1",
               "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ", "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "Σ <-- Σ - 1",
               "ΜΕΧΡΙΣ_ΟΤΟΥ Σ = 0 AND Θ MOD 2 = 0", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
    const auto result = ProgramTextConversions::toPascal(pseudo);
    QCOMPARE(result.status, ProgramTextConversions::Result::Status::Converted);
    QVERIFY(result.text.contains(lines({"var", "  S, TH: Real;"})));
    QVERIFY(result.text.endsWith(
        lines({"begin", "  S := 0;", "  while S < 10 do", "  begin", "    S := RoundTo2(S + 1);",
               "  end;", "  repeat", "    S := RoundTo2(S - 1);",
               "  until (S = 0) and (QMod(TH, 2) = 0);", "end."})));
}

void TestCodegen::pseudoLanguageKeepsTheRunsMeaning_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pseudo"); // what the pseudo-language writes
    QTest::newRow("as typed") << "Σ+Ι*2"
                              << "Σ+Ι*2";
    QTest::newRow("MOD then times reads the same") << "Χ MOD 4 * 2"
                                                   << "Χ MOD 4 * 2";
    QTest::newRow("times then MOD") << "Χ*3 MOD 5"
                                    << "Χ*(3 MOD 5)";
    QTest::newRow("MOD after a minus") << "10 - Χ MOD 3"
                                       << "10 - Χ MOD 3";
    QTest::newRow("DIV then times") << "Χ DIV 2 * 3"
                                    << "Χ DIV (2*3)";
    QTest::newRow("bracketed DIV") << "(Χ DIV 2) * 3"
                                   << "(Χ DIV 2) * 3";
    QTest::newRow("backslash") << "Χ\\2"
                               << "Χ DIV 2";
    QTest::newRow("not equal") << "Α != 5"
                               << "Α<>5";
    QTest::newRow("hash") << "Α#5"
                          << "Α<>5";
    QTest::newRow("functions") << "INT(Χ)+ABS(Υ)*SQR(Ζ)"
                               << "Α_Μ(Χ)+Α_Τ(Υ)*Τ_Ρ(Ζ)";
    QTest::newRow("school words") << "Χ>1 ΚΑΙ ΟΧΙ Χ=3"
                                  << "Χ>1 ΚΑΙ ΟΧΙ Χ=3";
    QTest::newRow("power of a negative") << "-2^2+(-2)^2"
                                         << "-2^2+(-2)^2";
    QTest::newRow("a remainder of a power's exponent") << "2^3 MOD 5"
                                                       << "2^(3 MOD 5)";
    QTest::newRow("quoted text keeps its marks") << "Α=\"#\""
                                                 << "Α=\"#\"";
    QTest::newRow("unreadable stays as typed") << "(Α+1) MOD 2"
                                               << "(Α+1) MOD 2";
}

void TestCodegen::pseudoLanguageKeepsTheRunsMeaning() {
    QFETCH(QString, typed);
    QFETCH(QString, pseudo);
    QCOMPARE(SchoolText::expression(typed), pseudo);
    // The school book's reading of what is written is the run's reading of what was typed.
    const auto run = ExpressionTree::parse(typed, ExpressionTree::Dialect::Run);
    const auto school = ExpressionTree::parse(pseudo, ExpressionTree::Dialect::School);
    // (A text the run cannot compute stays as typed: the run stops at that block anyway.)
    if (run)
        QVERIFY(school && ExpressionTree::same(**run, **school));
}

void TestCodegen::deepAndLongExpressionsAreRefusedNotCrashed_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("converted"); // false: refused with a comment and a problem
    const auto repeated = [](const char* piece, int times) {
        return QString::fromUtf8(piece).repeated(times);
    };
    QTest::newRow("16,000 terms") << "Α" + repeated("+Α", 16000) << false;
    QTest::newRow("30,000 open brackets") << repeated("(", 30000) + "1" << false;
    QTest::newRow("30,000 balanced brackets")
        << repeated("(", 30000) + "1" + repeated(")", 30000) << false;
    QTest::newRow("30,000 signs") << repeated("-", 30000) + "1" << false;
    QTest::newRow("20,000 powers") << "2" + repeated("^2", 20000) << false;
    QTest::newRow("20,000 NOT") << repeated("NOT ", 20000) + "Α" << false;
    QTest::newRow("20,000 functions")
        << repeated("Α_Μ(", 20000) + "1" + repeated(")", 20000) << false;
    QTest::newRow("200 terms") << "Α" + repeated("+Α", 199) << true;
    QTest::newRow("100 brackets") << repeated("(", 100) + "Α" + repeated(")", 100) << true;
}

void TestCodegen::deepAndLongExpressionsAreRefusedNotCrashed() {
    QFETCH(QString, expression);
    QFETCH(bool, converted);
    const QString pseudo =
        lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "Χ <-- " + expression, "ΑΝ " + expression + " ΤΟΤΕ", "ΓΡΑΨΕ Χ",
               "ΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"});
    for (const auto& result :
         {ProgramTextConversions::toBasic(pseudo), ProgramTextConversions::toPascal(pseudo)}) {
        QCOMPARE(result.status, ProgramTextConversions::Result::Status::Converted);
        QCOMPARE(result.problems.isEmpty(), converted);
        QCOMPARE(result.text.contains(QStringLiteral("ΠΡΟΒΛΗΜΑ: ")), !converted);
        // Never a constant in place of what could not be read.
        QVERIFY(!result.text.contains(QStringLiteral("False {")));
    }
}

void TestCodegen::programTextWindow() {
    ScriptedQuestions questions;
    algorFrm window(example1, questions);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Μετατροπή σε Ψευδογλώσσα"));
    QCOMPARE(window.text(), example1Indented);
    // Every entry of the menu bar is in sight, none behind an overflow arrow.
    auto* bar = window.findChild<QMenuBar*>();
    for (QAction* entry : bar->actions())
        QVERIFY2(bar->rect().contains(bar->actionGeometry(entry)), qPrintable(entry->text()));
    window.Form_Activate(); // activated again: indented once only
    QCOMPARE(window.text(), example1Indented);
    // Typing changes nothing; the text can be selected and copied.
    QTest::keyClicks(window.text1, "abc");
    QCOMPARE(window.text(), example1Indented);
    QTest::keyClick(window.text1, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(window.text1->textCursor().selectedText().size(), window.text1->toPlainText().size());
    window.copyAll->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), window.text1->toPlainText());
    // Saved as a PDF, and printed, the text is a document of its own.
    QTemporaryDir pdfs;
    questions.answerText(pdfs.filePath("p.pdf"));
    window.saveAs->trigger();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfs.filePath("printed.pdf"));
    window.printTo(printer);
    for (const char* name : {"p.pdf", "printed.pdf"}) {
        QFile pdf(pdfs.filePath(name));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
    }

    // Each conversion starts from the pseudo-language and stays available.
    window.basic->trigger();
    QVERIFY(window.basic->isEnabled() && window.pascal->isEnabled());
    QCOMPARE(window.windowTitle(), QStringLiteral("Μετατροπή Ψευδογλώσσας σε πρόγραμμα Basic"));
    QVERIFY(window.text().startsWith(QStringLiteral("Private Sub A1\r\n")));
    window.pascal->trigger();
    QVERIFY(window.text().startsWith(QStringLiteral("program A1;\r\n")));
    // Saved in UTF-8, named by the language shown.
    QTemporaryDir dir;
    window.setFolder(dir.path());
    questions.answerText(dir.filePath("ergasia"));
    window.saveAs->trigger();
    QCOMPARE(questions.asked().last().detail, dir.filePath("programma.pas"));
    QFile saved(dir.filePath("ergasia.pas"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), window.text());
    window.python->trigger();
    questions.answerText(dir.filePath("ergasia"));
    window.saveAs->trigger();
    QCOMPARE(questions.asked().last().detail, dir.filePath("programma.py"));
    QVERIFY(QFile::exists(dir.filePath("ergasia.py")));
    window.pseudoglossa->trigger();
    QCOMPARE(window.text(), example1Indented);
    questions.clear();

    algorFrm pascal(example1, questions);
    pascal.show();
    pascal.pascal->trigger();
    QCOMPARE(pascal.windowTitle(), QStringLiteral("Μετατροπή Ψευδογλώσσας σε πρόγραμμα Pascal"));
    QVERIFY(pascal.text().startsWith(QStringLiteral("program A1;\r\n")));
    QVERIFY(questions.asked().isEmpty());
}

void TestCodegen::conversionMenuOfTheMainWindow() {
    EditorFixture f;
    f.window.menus().a22->trigger(); // an empty diagram has no start line
    QCOMPARE(f.questions.asked().last().text, QStringLiteral("Πρόβλημα στην δομή του αλγόριθμου"));
    DiagramBuilder b(f.diagram());
    b.chain({b.start(), b.assign("Χ", "1"), b.write("\"Τιμή!\"", "Χ"), b.end()});
    QString shown, python, glossa;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<algorFrm*>(QApplication::activeModalWidget());
        QVERIFY(window);
        shown = window->text();
        window->python->trigger();
        python = window->text();
        window->glossa->trigger();
        glossa = window->text();
        window->EXIT_->trigger();
    });
    f.window.menus().a22->trigger();
    QCOMPARE(shown, lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "    Χ <-- 1", "    ΓΡΑΨΕ \"ΤΙΜΗ\",Χ",
                           "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ", ""}));
    // Python and ΓΛΩΣΣΑ print the message as the pupil typed it.
    QVERIFY2(python.endsWith("Χ = 1\nγράψε('\"Τιμή!\"', Χ)\n"), qPrintable(python));
    QVERIFY2(glossa.contains("\r\n  ΓΡΑΨΕ \"Τιμή!\", Χ\r\nΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ"), qPrintable(glossa));
}

// "Σε Διάγραμμα Ροής": a new program is written in the program text window; a mistake is
// named by its line and nothing changes; a program that reads becomes a new unsaved diagram,
// undone in one step.
void TestCodegen::programBecomesFlowchart() {
    EditorFixture f;
    bool wasEditable = false;
    bool stayedAfterMistake = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<algorFrm*>(QApplication::activeModalWidget());
        QVERIFY(window);
        wasEditable = !window->text1->isReadOnly() && !window->pascal->isEnabled();
        window->text1->setPlainText("ΔΙΑΒΑΣΕ Χ\nΑΝ Χ > 0\nΓΡΑΨΕ Χ\nΤΕΛΟΣ_ΑΝ");
        window->make_diag->trigger();
        stayedAfterMistake = window->isVisible();
        window->text1->setPlainText("ΔΙΑΒΑΣΕ Χ\nΑΝ Χ > 0 ΤΟΤΕ\n  ΓΡΑΨΕ Χ\nΤΕΛΟΣ_ΑΝ");
        window->make_diag->trigger();
    });
    f.window.menus().make_diag->trigger();
    QVERIFY(wasEditable);
    QVERIFY(stayedAfterMistake);
    QVERIFY(f.questions.asked().first().text.contains("Γραμμή 2: περίμενα ΤΟΤΕ"));
    QCOMPARE(PseudoCodeGenerator().generate(f.diagram()).value_or(QString()),
             lines({"ΑΛΓΟΡΙΘΜΟΣ Α1", "ΔΙΑΒΑΣΕ Χ", "ΑΝ  Χ > 0 ΤΟΤΕ", "ΓΡΑΨΕ Χ", "ΤΕΛΟΣ_ΑΝ",
                    "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"}));
    QVERIFY(f.window.files().hasUnsavedChanges());
    f.window.history().undo();
    QCOMPARE(f.diagram().the_bl_co().Count(), 0);
}

QTEST_MAIN(TestCodegen)
#include "tst_codegen.moc"

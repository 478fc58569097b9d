#include "DiagramBuilder.h"
#include "execution/HeadlessRun.h"
#include "files/HeadlessDiagram.h"
#include "model/LineControls.h"

#include <QDir>
#include <QTest>

using Outcome = Interpreter::Outcome;

namespace {
struct Run {
    TestDiagram t;
    DiagramBuilder b{t.diagram};
    HeadlessRun runner{t.diagram, t.questions, t.sink};

    HeadlessRun::Result go(long long maxSteps = 10000) {
        runner.random().setFixedSeed(3);
        return runner.run(maxSteps);
    }
    QString output() { return runner.interpreter().output(); }
    QStringList messageBoxes() const {
        QStringList texts;
        for (const auto& asked : t.questions.asked()) {
            if (asked.kind == ScriptedQuestions::Kind::Message)
                texts << asked.text;
        }
        return texts;
    }
};
} // namespace

class TestInterpreter : public QObject {
    Q_OBJECT
private slots:
    void assignAndWrite();
    void outputFormatting_data();
    void outputFormatting();
    void semicolonContinuesTheLine();
    void decisionFollowsItsLabels();
    void missingYesLineFails();
    void arrayElements();
    void randomAssignment();
    void divisionByZeroStops();
    void inputAskedAgain();
    void unknownKindFails();
    void noStartBlock();
    void traversedLineHighlight();
    void executedBlocksOnce();
    void stepLimit();
    void examplesRunToTheirEnd_data();
    void examplesRunToTheirEnd();
};

void TestInterpreter::assignAndWrite() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "5"), r.b.write("Χ"), r.b.end()});
    const HeadlessRun::Result result = r.go();
    QCOMPARE(result.outcome, Outcome::Succeeded);
    QCOMPARE(r.output(), QStringLiteral("\r\n     5"));
    QCOMPARE(r.runner.variables().getVar("Χ"), QStringLiteral("5"));
    QCOMPARE(r.runner.variables().rowCount(), 3);
    QCOMPARE(r.runner.variables().valueCell(2, 0), QStringLiteral("Βήμα:002"));
    QCOMPARE(r.messageBoxes(), QStringList{"To πρόγραμμα τερματίστικε  επιτυχώς"});
    QCOMPARE(r.t.questions.asked().last().title, QStringLiteral("Τερματισμός"));
}

void TestInterpreter::outputFormatting_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("rest");
    QTest::addColumn<QString>("printed");
    QTest::newRow("quoted item then a value") << "\"ΤΟ Χ ΕΙΝΑΙ\""
                                              << "Χ"
                                              << "\"ΤΟ Χ ΕΙΝΑΙ\"     5";
    QTest::newRow("seven digits whole") << "Χ*200001"
                                        << ""
                                        << "1000005";
    QTest::newRow("negative unpadded") << "-Χ"
                                       << ""
                                       << "-5";
    QTest::newRow("decimal padded") << "Χ/2"
                                    << ""
                                    << "   2.5";
    QTest::newRow("failing expression prints EROR") << "Χ/0"
                                                    << ""
                                                    << "EROR";
}

void TestInterpreter::outputFormatting() {
    QFETCH(QString, first);
    QFETCH(QString, rest);
    QFETCH(QString, printed);
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "5"), r.b.write(first, rest), r.b.end()});
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.output(), "\r\n" + printed);
}

void TestInterpreter::semicolonContinuesTheLine() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "1"), r.b.write("Χ;"), r.b.write("Χ+1;"),
               r.b.write("Χ+2"), r.b.write("Χ+3"), r.b.end()});
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.output(), QStringLiteral("      1      2\r\n     3\r\n     4"));
}

void TestInterpreter::decisionFollowsItsLabels() {
    Run r;
    const QString s = r.b.start(), a = r.b.assign("Χ", "7"), d = r.b.decision("Χ>5");
    const QString yes = r.b.write("\"ΜΕΓΑΛΟ\"", "Χ"), no = r.b.write("\"ΜΙΚΡΟ\"", "Χ");
    const QString e = r.b.end();
    r.b.chain({s, a, d});
    r.b.link(d, no, "Ο");
    r.b.link(d, yes, "ν"); // labels compare without regard to case
    r.b.link(yes, e);
    r.b.link(no, e);
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.output(), QStringLiteral("\r\n\"ΜΕΓΑΛΟ\"     7"));
    QCOMPARE(r.runner.variables().getVar("Χ>5"), QStringLiteral("Αλ"));
    QCOMPARE(r.runner.interpreter().stepCaption(), QStringLiteral("7>5\r\nΑλήθης"));
}

void TestInterpreter::missingYesLineFails() {
    Run r;
    const QString s = r.b.start(), d = r.b.decision("1=1"), e = r.b.end();
    r.b.chain({s, d});
    r.b.link(d, e, "Ο");
    QCOMPARE(r.go().outcome, Outcome::Failed);
    QCOMPARE(r.messageBoxes(), QStringList{"To πρόγραμμα τερματίστικε ανεπιτυχώς"});
}

void TestInterpreter::arrayElements() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Ι", "3"), r.b.assign("Α[Ι]", "Ι*2"),
               r.b.assign("Π[Ι,Ι+1]", "Α[3]+1"), r.b.end()});
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.runner.variables().getVar("Α[3]"), QStringLiteral("6"));
    QCOMPARE(r.runner.variables().getVar("Π[3,4]"), QStringLiteral("7"));
    QCOMPARE(r.runner.interpreter().stepCaption(),
             QStringLiteral("Π[3,4] <-- 6+1\r\nΠ[3,4] <-- 7"));
}

void TestInterpreter::randomAssignment() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "RND"), r.b.end()});
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    const int value = r.runner.variables().getVar("Χ").toInt();
    QVERIFY(value >= 0 && value <= 99);
    QVERIFY(r.runner.variables().textCell(1, 1).isEmpty());
}

void TestInterpreter::divisionByZeroStops() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "1/0"), r.b.end()});
    QCOMPARE(r.go().outcome, Outcome::ExpressionFailed);
    QCOMPARE(r.messageBoxes(),
             QStringList{
                 "To πρόγραμμα τερματίστικε ανεπιτυχώς\r\nΥπάρχει πρόβλημα στην ενέργεια 2\r\n"});
    QCOMPARE(r.runner.variables().columnCount(), 1); // nothing was recorded
}

void TestInterpreter::inputAskedAgain() {
    Run r;
    r.b.chain({r.b.start(), r.b.read("Χ"), r.b.end()});
    r.t.questions.answerText("3,5");
    r.t.questions.answerText("   ");
    r.t.questions.answerCancel();
    r.t.questions.answerText("3.5");
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.runner.variables().getVar("Χ"), QStringLiteral("3.5"));
    QCOMPARE(r.t.questions.asked().size(), 5); // four inputs, then the end of the run
    QCOMPARE(r.t.questions.asked()[0].title, QStringLiteral("Διάβασε "));

    Run unanswered;
    unanswered.b.chain({unanswered.b.start(), unanswered.b.read("Χ"), unanswered.b.end()});
    QCOMPARE(unanswered.go().outcome, Outcome::NoInput);
}

void TestInterpreter::unknownKindFails() {
    Run r;
    const QString s = r.b.start(), odd = r.b.block("ΤΙΠΟΤΑ"), e = r.b.end();
    r.b.chain({s, odd, e});
    QCOMPARE(r.go().outcome, Outcome::UnknownKind);
    QCOMPARE(r.messageBoxes().first(), QStringLiteral(" Άγνωστη ενέργεια!: ΤΙΠΟΤΑ"));
}

void TestInterpreter::noStartBlock() {
    Run r;
    r.b.end();
    QCOMPARE(r.go().outcome, Outcome::Failed);
    Run empty;
    QCOMPARE(empty.go().outcome, Outcome::Failed);
    QCOMPARE(empty.messageBoxes(), QStringList{"Δεν Υπάρχει διάγραμμα"});
}

void TestInterpreter::traversedLineHighlight() {
    Run r;
    const QString s = r.b.start(), a = r.b.assign("Χ", "1"), e = r.b.end();
    cLn* first = r.b.link(s, a);
    cLn* second = r.b.link(a, e);
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    // The last line followed stays dark green and 3 wide; the one before is black again.
    QCOMPARE(second->t_Object_Line()->penColor(), 0x004000u);
    QCOMPARE(second->t_Object_Line()->penWidth(), 3);
    QCOMPARE(first->t_Object_Line()->penWidth(), 1);
    // The next run's first step forgets the highlighted line without restoring it.
    Interpreter& interpreter = r.runner.interpreter();
    interpreter.setCurrentBlock(r.b.get(s));
    QCOMPARE(interpreter.step(), Outcome::Continue);
    QCOMPARE(second->t_Object_Line()->penWidth(), 3);
    QCOMPARE(first->t_Object_Line()->penWidth(), 3);
    QCOMPARE(interpreter.step(), Outcome::Continue);
    QCOMPARE(first->t_Object_Line()->penWidth(), 1);
}

void TestInterpreter::executedBlocksOnce() {
    Run r;
    const QString s = r.b.start(), j = r.b.junction(), a = r.b.assign("Χ", "Χ+1");
    const QString w = r.b.whileTest("Χ<3"), e = r.b.end();
    r.b.chain({s, j, w});
    r.b.link(w, a, "Ν");
    r.b.link(a, j);
    r.b.link(w, e, "Ο");
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.runner.interpreter().executedBlocks(), QStringList({"1", "2", "4", "3", "5"}));
    QCOMPARE(r.runner.variables().getVar("Χ"), QStringLiteral("3"));
}

void TestInterpreter::stepLimit() {
    Run r;
    const QString s = r.b.start(), j = r.b.junction(), a = r.b.assign("Χ", "Χ+1");
    r.b.chain({s, j, a});
    r.b.link(a, j);
    const HeadlessRun::Result result = r.go(1000);
    QVERIFY(result.stepLimitReached);
    QCOMPARE(result.steps, 1000);
    QVERIFY(!r.runner.interpreter().currentBlock());
}

void TestInterpreter::examplesRunToTheirEnd_data() {
    QTest::addColumn<QString>("path");
    const QDir examples(QStringLiteral(KELVRA_EXAMPLES_DIR));
    for (const QString& file : examples.entryList({"*.kv"}, QDir::Files))
        QTest::newRow(qPrintable(file)) << examples.filePath(file);
}

void TestInterpreter::examplesRunToTheirEnd() {
    QFETCH(QString, path);
    HeadlessDiagram headless;
    QVERIFY(headless.load(path));
    for (int i = 0; i < 100; ++i)
        headless.questions().answerText("5");
    RecordingSink sink;
    HeadlessRun runner(headless.diagram(), headless.questions(), sink);
    QCOMPARE(runner.run(100000).outcome, Outcome::Succeeded);
    QVERIFY(!runner.interpreter().output().isEmpty());
    QVERIFY2(sink.messages.isEmpty(), qPrintable(sink.messages.join('\n')));
}

QTEST_MAIN(TestInterpreter)
#include "tst_interpreter.moc"

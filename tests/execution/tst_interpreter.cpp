#include "TestDiagram.h"
#include "core/execution/HeadlessRun.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"
#include "core/model/LineControls.h"

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
    void deadEndsNamed();
    void arrayElements();
    void randomAssignment();
    void divisionByZeroStops();
    void missingOperatorNamedAtTheEnd();
    void undefinedVariableNamedOncePerRun();
    void bareNameConditionKeepsTheVariable();
    void inputAskedAgain();
    void inputsByTheirUse_data();
    void inputsByTheirUse();
    void unknownKindFails();
    void noStartBlock();
    void traversedLineHighlight();
    void executedBlocksOnce();
    void stepLimit();
    void endlessOutputIsBounded();
    void examplesGiveTheRightAnswers_data();
    void examplesGiveTheRightAnswers();
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
    QTest::newRow("a message alone") << "\"ΜΕΓΑΛΟ\""
                                     << ""
                                     << "\"ΜΕΓΑΛΟ\"";
    QTest::newRow("several values") << "Χ"
                                    << "Χ+1,Χ*2"
                                    << "     5     6    10";
    QTest::newRow("messages between values") << "\"Α=\""
                                             << "Χ,\"Β=\",-Χ"
                                             << "\"Α=\"     5\"Β=\"-5";
    QTest::newRow("comma inside a message") << "\"Α"
                                            << "Β\",Χ"
                                            << "\"Α,Β\"     5";
    QTest::newRow("element of a table") << "Π[Χ-4,Χ-3]"
                                        << ""
                                        << "    12";
    QTest::newRow("element after a message") << "\"ΤΙΜΗ\""
                                             << "Π[1,2]"
                                             << "\"ΤΙΜΗ\"    12";
    QTest::newRow("unquoted words are a message") << "ΤΟ Χ ΕΙΝΑΙ"
                                                  << "Χ MOD 3"
                                                  << "\"ΤΟ Χ ΕΙΝΑΙ\"     2";
    QTest::newRow("parenthesised items") << "(Χ+1)"
                                         << "(Χ)"
                                         << "     6     5";
}

void TestInterpreter::outputFormatting() {
    QFETCH(QString, first);
    QFETCH(QString, rest);
    QFETCH(QString, printed);
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "5"), r.b.assign("Π[1,2]", "12"),
               r.b.write(first, rest), r.b.end()});
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
    // The message window says where the run stopped and why.
    QCOMPARE(r.t.sink.messages,
             QStringList{"Η εκτέλεση σταμάτησε στην ενέργεια 2: δεν υπάρχει η γραμμή «Ν» που "
                         "ακολουθείται όταν η συνθήκη είναι αληθής."});
}

void TestInterpreter::deadEndsNamed() {
    Run noLine;
    noLine.b.chain({noLine.b.start(), noLine.b.assign("Χ", "1")});
    QCOMPARE(noLine.go().outcome, Outcome::Failed);
    QCOMPARE(
        noLine.t.sink.messages,
        QStringList{"Η εκτέλεση σταμάτησε στην ενέργεια 2: δεν φεύγει καμία γραμμή από αυτή."});
    Run noNo;
    const QString s = noNo.b.start(), d = noNo.b.decision("1=2"), e = noNo.b.end();
    noNo.b.chain({s, d});
    noNo.b.link(d, e, "Ν");
    QCOMPARE(noNo.go().outcome, Outcome::Failed);
    QVERIFY(noNo.t.sink.messages.value(0).endsWith(
        QStringLiteral("γραμμή «Ο» που ακολουθείται όταν η συνθήκη είναι ψευδής.")));
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
    QCOMPARE(r.messageBoxes(), QStringList{"To πρόγραμμα τερματίστικε ανεπιτυχώς\r\nΥπάρχει "
                                           "πρόβλημα στην ενέργεια 2: διαίρεση με το μηδέν\r\n"});
    QCOMPARE(r.runner.variables().columnCount(), 1); // nothing was recorded
}

void TestInterpreter::missingOperatorNamedAtTheEnd() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "1 Χ"), r.b.end()});
    QCOMPARE(r.go().outcome, Outcome::ExpressionFailed);
    QCOMPARE(r.messageBoxes(), QStringList{"To πρόγραμμα τερματίστικε ανεπιτυχώς\r\nΥπάρχει "
                                           "πρόβλημα στην ενέργεια 2: λείπει τελεστής ανάμεσα σε "
                                           "«1» και «Χ»\r\n"});
}

void TestInterpreter::undefinedVariableNamedOncePerRun() {
    Run r;
    r.b.chain({r.b.start(), r.b.assign("Χ", "Υ+1"), r.b.assign("Ζ", "Υ*2+Χ"), r.b.end()});
    for (int run = 0; run < 2; ++run) {
        r.t.sink.messages.clear();
        QCOMPARE(r.go().outcome, Outcome::Succeeded);
        QCOMPARE(r.t.sink.messages,
                 QStringList{"Ενέργεια 2: η μεταβλητή Υ δεν έχει τιμή· χρησιμοποιήθηκε το 0"});
        QCOMPARE(r.runner.variables().getVar("Ζ"), QStringLiteral("1"));
    }
}

void TestInterpreter::bareNameConditionKeepsTheVariable() {
    Run r;
    const QString s = r.b.start(), a = r.b.assign("Κ", "5"), d = r.b.decision("Κ"),
                  w = r.b.write("Κ"), e = r.b.end();
    r.b.chain({s, a, d});
    r.b.link(d, w, "Ν");
    r.b.link(d, e, "Ο");
    r.b.link(w, e);
    QCOMPARE(r.go().outcome, Outcome::Succeeded);
    QCOMPARE(r.output(), QStringLiteral("\r\n     5"));
    QCOMPARE(r.runner.variables().getVar("Κ"), QStringLiteral("5"));
    QCOMPARE(r.runner.variables().getVar("(Κ)"), QStringLiteral("Αλ"));
}

void TestInterpreter::inputsByTheirUse_data() {
    QTest::addColumn<QString>("use");       // what the flowchart does with Ν after reading it
    QTest::addColumn<QStringList>("typed"); // the answers, in order
    QTest::addColumn<QString>("kept");      // Ν's value, or "stop"
    QTest::addColumn<int>("refused");       // answers refused with a reason
    QTest::newRow("a number for a sum") << "Ν+1" << QStringList{"abc", "3,5", "7"} << "7" << 2;
    QTest::newRow("a number for a comparison")
        << "Ν>0" << QStringList{"ναι", "-2.5"} << "-2.5" << 1;
    QTest::newRow("text only printed") << "Ν" << QStringList{"\"ΝΑΙ\""} << "\"ΝΑΙ\"" << 0;
    QTest::newRow("stopped from the box") << "Ν+1" << QStringList{"abc", "stop"} << "stop" << 1;
}

// A value the flowchart computes with must be a number: anything else is asked again with the
// reason; the box says the rule and can stop the run.
void TestInterpreter::inputsByTheirUse() {
    QFETCH(QString, use);
    QFETCH(QStringList, typed);
    QFETCH(QString, kept);
    QFETCH(int, refused);
    Run r;
    r.b.chain({r.b.start(), r.b.read("Ν"), r.b.write(use), r.b.end()});
    for (const QString& answer : typed) {
        if (answer == "stop")
            r.t.questions.answerStopRun();
        else
            r.t.questions.answerText(answer);
    }
    const Outcome outcome = r.go().outcome;
    QStringList texts;
    for (const auto& asked : r.t.questions.asked()) {
        if (asked.kind == ScriptedQuestions::Kind::Input)
            texts << asked.text;
    }
    QCOMPARE(texts.size(), typed.size());
    const bool number = use != "Ν";
    QVERIFY(texts.first().startsWith(number ? "Διάβασε Ν: Δώστε έναν αριθμό (π.χ. 3.5 — με τελεία)."
                                            : "Διάβασε Ν: Δώστε έναν αριθμό (π.χ. 3.5 — με "
                                              "τελεία) ή ένα κείμενο σε εισαγωγικά"));
    int reasons = 0;
    for (const QString& text : texts)
        reasons += text.contains("δώστε αριθμό, π.χ. 3.5 — με τελεία") ? 1 : 0;
    QCOMPARE(reasons, refused);
    if (kept == "stop") {
        QCOMPARE(outcome, Outcome::Stopped);
        QCOMPARE(r.messageBoxes(), QStringList{"To πρόγραμμα τερματίστικε ανεπιτυχώς"});
    } else {
        QCOMPARE(outcome, Outcome::Succeeded);
        QCOMPARE(r.runner.variables().getVar("Ν"), kept);
    }
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
    QCOMPARE(r.t.questions.asked()[0].title, QStringLiteral("Διάβασε Χ")); // what it reads

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
    QCOMPARE(r.messageBoxes(), QStringList{"To πρόγραμμα τερματίστικε ανεπιτυχώς\r\nτο διάγραμμα "
                                           "δεν έχει εντολή «Αρχή»"});
    QVERIFY(r.t.sink.messages.contains(
        "Η εκτέλεση δεν ξεκίνησε: το διάγραμμα δεν έχει εντολή «Αρχή»."));
    // Two starts: the first is used, and the pupil is told.
    Run two;
    two.b.chain({two.b.start(), two.b.end()});
    two.b.start();
    QCOMPARE(two.go().outcome, Outcome::Succeeded);
    QVERIFY(two.t.sink.messages.contains(
        "Το διάγραμμα έχει 2 εντολές «Αρχή»· η εκτέλεση ξεκινά από την εντολή 1."));
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

void TestInterpreter::endlessOutputIsBounded() {
    Run r;
    const QString line = QLatin1Char('"') + QString(60000, QChar(0x391)) + QLatin1Char('"');
    const QString s = r.b.start(), j = r.b.junction(), w = r.b.write(line);
    r.b.chain({s, j, w});
    r.b.link(w, j);
    r.go(401); // the start, then 200 lines of 60 KB: 12 million characters
    const QString output = r.output();
    QVERIFY2(output.size() <= RunOutput::defaultLimit + 200,
             qPrintable(QString::number(output.size())));
    QVERIFY(output.startsWith(
        RunOutput::droppedLine(r.runner.interpreter().outputLog().droppedCharacters())));
    QVERIFY(output.endsWith(QStringLiteral("\r\n") + line));
    // What was dropped and what was kept add up to everything written.
    QCOMPARE(r.runner.interpreter().outputLog().droppedCharacters() +
                 r.runner.interpreter().outputLog().kept().size(),
             200 * (line.size() + 2));
}

void TestInterpreter::examplesGiveTheRightAnswers_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("printed");
    const auto row = [](const char* file, const char* inputs, const char* printed) {
        const QString name = QString::fromUtf8(file) + QLatin1Char(' ') + QString::fromUtf8(inputs);
        QTest::newRow(qPrintable(name))
            << QString::fromUtf8(file) << QString::fromUtf8(inputs).split(QLatin1Char(' '))
            << QString::fromUtf8(printed);
    };
    row("dynami.kv", "2 0", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"     1");
    row("dynami.kv", "2 1", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"     2");
    row("dynami.kv", "2 10", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"  1024");
    row("dynami.kv", "-2 3", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"-8");
    row("dynami.kv", "1.5 2", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"  2.25");
    row("dynami.kv", "2 -2", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"   .25");
    row("dynami.kv", "0 3", "\"Η ΔΥΝΑΜΗ ΕΙΝΑΙ\"     0");
    row("alarosika.kv", "0 5", "\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"     0");
    row("alarosika.kv", "13 7", "\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"    91");
    row("alarosika.kv", "-3 4", "\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"-12");
    row("alarosika.kv", "-3 -4", "\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"    12");
    row("alarosika.kv", "7 2.5", "\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"  17.5");
    row("parago.kv", "0", "\"ΤΟ ΠΑΡΑΓΟΝΤΙΚΟ ΕΙΝΑΙ\"     1");
    row("parago.kv", "5", "\"ΤΟ ΠΑΡΑΓΟΝΤΙΚΟ ΕΙΝΑΙ\"   120");
    row("psifia.kv", "0", "     0");
    row("psifia.kv", "120", "     0      2      1");
    row("psifia.kv", "-45", "     5      4");
    row("tpsifio.kv", "0", "\"ΤΟ ΤΕΛΕΥΤΑΙΟ ΨΗΦΙΟ ΕΙΝΑΙ\"     0");
    row("tpsifio.kv", "-47", "\"ΤΟ ΤΕΛΕΥΤΑΙΟ ΨΗΦΙΟ ΕΙΝΑΙ\"     7");
    row("apolitost.kv", "-2.5", "\"Η ΑΠΟΛΥΤΗ ΤΙΜΗ ΕΙΝΑΙ\"   2.5");
    row("apolitost.kv", "0", "\"Η ΑΠΟΛΥΤΗ ΤΙΜΗ ΕΙΝΑΙ\"     0");
    row("artios-peritos.kv", "0", "\"ΑΡΤΙΟΣ ΕΙΝΑΙ Ο\"     0");
    row("artios-peritos.kv", "-3", "\"ΠΕΡΙΤΤΟΣ ΕΙΝΑΙ Ο\"-3");
    row("ison.kv", "-1.5 -1.5", "\"ΟΙ ΑΡΙΘΜΟΙ ΕΙΝΑΙ ΙΣΟΙ ΜΕ ΤΙΜΗ\"-1.5");
    row("ison.kv", "0 1", "\"ΔΙΑΦΟΡΕΤΙΚΟΙ ΑΡΙΘΜΟΙ Ο ΔΕΥΤΕΡΟΣ\"     1");
    row("maxabc.kv", "-1 -5 0", "\"Ο ΜΕΓΙΣΤΟΣ ΕΙΝΑΙ\"     0");
    row("maxabc.kv", "1.5 1.7 1.2", "\"Ο ΜΕΓΙΣΤΟΣ ΕΙΝΑΙ\"   1.7");
    row("maxP.kv", "3 -1 -5 -2", "\"ΤΟ ΜΕΓΙΣΤΟ ΕΙΝΑΙ\"-1");
    row("minP.kv", "3 0 -1.5 2", "\"ΤΟ ΕΛΑΧΙΣΤΟ ΕΙΝΑΙ\"-1.5");
    row("max_ar_2.kv", "2 2 -1 -2 -3 -4", "\"ΤΟ ΜΕΓΙΣΤΟ ΕΙΝΑΙ\"-1");
    row("min_ar_2.kv", "1 2 .5 1", "\"ΤΟ ΕΛΑΧΙΣΤΟ ΕΙΝΑΙ\"    .5");
    row("fibo.kv", "1", "     0");
    row("fibo.kv", "6", "     0      1      1      2      3      5");
}

void TestInterpreter::examplesGiveTheRightAnswers() {
    QFETCH(QString, file);
    QFETCH(QStringList, inputs);
    QFETCH(QString, printed);
    HeadlessDiagram headless;
    QVERIFY(headless.load(QDir(QStringLiteral(KELVRA_EXAMPLES_DIR)).filePath(file)));
    for (const QString& input : inputs)
        headless.questions().answerText(input);
    CollectingSink sink;
    HeadlessRun runner(headless.diagram(), headless.questions(), sink);
    QCOMPARE(runner.run(100000).outcome, Outcome::Succeeded);
    QString output = runner.interpreter().output();
    output.remove(0, output.startsWith(QStringLiteral("\r\n")) ? 2 : 1); // the first separator
    QCOMPARE(output, printed);
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
    CollectingSink sink;
    HeadlessRun runner(headless.diagram(), headless.questions(), sink);
    QCOMPARE(runner.run(100000).outcome, Outcome::Succeeded);
    QVERIFY(!runner.interpreter().output().isEmpty());
    QVERIFY2(sink.messages.isEmpty(), qPrintable(sink.messages.join('\n')));
}

QTEST_MAIN(TestInterpreter)
#include "tst_interpreter.moc"

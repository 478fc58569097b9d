#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/NumberText.h"
#include "core/execution/RandomSource.h"
#include "core/execution/ScriptEngine.h"
#include "core/execution/VariableStore.h"
#include "core/model/MessageSink.h"

#include <QTest>

namespace {
struct Evaluation {
    CollectingSink sink;
    VariableStore store{sink};
    RandomSource random;
    ExpressionEvaluator evaluator{store, random};

    explicit Evaluation(const QString& variables = {}) {
        random.setFixedSeed(7);
        for (const QString& assignment : variables.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const qsizetype equals = assignment.indexOf(QLatin1Char('='));
            store.setVar(assignment.left(equals), assignment.mid(equals + 1), "id1", {});
        }
    }
};
} // namespace

class TestEvaluator : public QObject {
    Q_OBJECT
private slots:
    void partTable_data();
    void partTable();
    void randomForms();
    void missingOperatorsNamed_data();
    void missingOperatorsNamed();
    void undefinedVariablesReported();
    void wordTableLimit();
    void indicesOfNames();
    void scriptMeaning_data();
    void scriptMeaning();
    void typedValuesOnlyComputeValues();
    void numberText_data();
    void numberText();
};

void TestEvaluator::partTable_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("variables");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("translated");
    QTest::newRow("arithmetic") << "Α+Β*2"
                                << "Α=3;Β=4"
                                << "11"
                                << "3+4*2";
    QTest::newRow("comparison true") << "Α>=5"
                                     << "Α=7"
                                     << "-1"
                                     << "7>=5";
    QTest::newRow("comparison false") << "Α>=5"
                                      << "Α=2"
                                      << "0"
                                      << "2>=5";
    QTest::newRow("#") << "Α#2"
                       << "Α=3"
                       << "-1"
                       << "3<>2";
    QTest::newRow("!=") << "Α!=2"
                        << "Α=3"
                        << "-1"
                        << "3<>2";
    QTest::newRow("<>") << "Α<>2"
                        << "Α=3"
                        << "-1"
                        << "3<>2";
    QTest::newRow("MOD") << "17 MOD 5"
                         << ""
                         << "2"
                         << "(17-(17\\5)*5)";
    QTest::newRow("MOD of a group") << "(Α+1) MOD 2"
                                    << "Α=3"
                                    << "EROR"
                                    << "(3+1()-()\\2)*2)";
    QTest::newRow("DIV") << "7 DIV 2"
                         << ""
                         << "3"
                         << "7\\2";
    QTest::newRow("Α_Μ") << "Α_Μ(7.8)"
                         << ""
                         << "7"
                         << "INT(7.8)";
    QTest::newRow("Α_Τ") << "Α_Τ(-2)"
                         << ""
                         << "2"
                         << " ABS (-2)";
    QTest::newRow("Τ_Ρ") << "Τ_Ρ(16)"
                         << ""
                         << "4"
                         << "SQR(16)";
    QTest::newRow("Τ_Ρ negative") << "Τ_Ρ(-1)"
                                  << ""
                                  << "EROR"
                                  << "SQR(-1)";
    QTest::newRow("third") << "1/3"
                           << ""
                           << ".33"
                           << "1/3";
    QTest::newRow("two thirds times three") << "2/3*3"
                                            << ""
                                            << "2"
                                            << "2/3*3";
    QTest::newRow("negative quarter") << "-1/4"
                                      << ""
                                      << "-.25"
                                      << "-1/4";
    QTest::newRow("division by zero") << "5/0"
                                      << ""
                                      << "EROR"
                                      << "5/0";
    QTest::newRow("empty") << ""
                           << ""
                           << "EROR"
                           << "";
    QTest::newRow("ΤΥΧΑΙΟΣ(0)") << "ΤΥΧΑΙΟΣ(0)"
                                << ""
                                << "0"
                                << "";
    QTest::newRow("ΤΥΧΑΙΟΣ of a name") << "ΤΥΧΑΙΟΣ(Ν)"
                                       << "Ν=6"
                                       << "0"
                                       << "";
    QTest::newRow("ΤΥΧΑΙΟΣ not first") << "2*ΤΥΧΑΙΟΣ(6)"
                                       << ""
                                       << "EROR"
                                       << "2*0(6)";
    QTest::newRow("element") << "Α[Ι+1]"
                             << "Ι=2;Α[3]=8"
                             << "8"
                             << "8";
    QTest::newRow("two-dimensional element") << "Π[Ι,Κ]"
                                             << "Ι=1;Κ=2;Π[1,2]=5"
                                             << "5"
                                             << "5";
    QTest::newRow("undefined") << "Χ+1"
                               << ""
                               << "1"
                               << "0+1";
    QTest::newRow("zero constant") << "0+4"
                                   << ""
                                   << "4"
                                   << "0+4";
    QTest::newRow("double zero") << "00+4"
                                 << ""
                                 << "4"
                                 << "0+4";
    QTest::newRow("small letters") << "α+1"
                                   << "Α=2"
                                   << "3"
                                   << "2+1";
    QTest::newRow("AND of comparisons") << "Α>1 AND Β<5"
                                        << "Α=2;Β=3"
                                        << "-1"
                                        << "2>1 AND 3<5";
    QTest::newRow("NOT") << "NOT Α=2"
                         << "Α=2"
                         << "0"
                         << " NOT 2=2";
    QTest::newRow("OR bitwise on numbers") << "5 OR 2"
                                           << ""
                                           << "7"
                                           << "5 OR 2";
    QTest::newRow("power before negation") << "-2^2"
                                           << ""
                                           << "-4"
                                           << "-2^2";
    QTest::newRow("value after comma") << "Α*2"
                                       << "Α=7,4"
                                       << "8"
                                       << "4*2";
    QTest::newRow("typed string value") << "Α"
                                        << "Α=\"ΝΑΙ\""
                                        << "ΝΑΙ"
                                        << "\"ΝΑΙ\"";
    // A quoted word is one more variable name, never a string.
    QTest::newRow("quoted word is a name") << "Α=\"ΝΑΙ\""
                                           << "Α=\"ΝΑΙ\""
                                           << "-1"
                                           << "0=0";
    QTest::newRow("unknown function") << "COS(1)"
                                      << ""
                                      << "EROR"
                                      << "0(1)";
    QTest::newRow("missing bracket") << "Α[1"
                                     << ""
                                     << "EROR"
                                     << "";
    QTest::newRow("DIV rounds halves to even") << "2.5 DIV 1"
                                               << ""
                                               << "2"
                                               << "2.5\\1";
    QTest::newRow("negative DIV truncates") << "-7 DIV 2"
                                            << ""
                                            << "-3"
                                            << "-7\\2";
    // A negative value substituted before "^" keeps its sign; nothing else gains brackets.
    QTest::newRow("negative base of a power") << "Β^2-4*Α*Γ"
                                              << "Α=1;Β=-5;Γ=6"
                                              << "1"
                                              << "(-5)^2-4*1*6";
    QTest::newRow("negative element as base") << "Α[1]^2"
                                              << "Α[1]=-3"
                                              << "9"
                                              << "(-3)^2";
    QTest::newRow("negative exponent unchanged") << "2^Β"
                                                 << "Β=-1"
                                                 << ".5"
                                                 << "2^-1";
    QTest::newRow("negative value elsewhere unchanged") << "Β*Β+Β ^2"
                                                        << "Β=-2"
                                                        << "8"
                                                        << "-2*-2+(-2)^2";
    QTest::newRow("typed minus binds after the power") << "-3^2"
                                                       << ""
                                                       << "-9"
                                                       << "-3^2";
    // A remainder is rewritten where it stands, never inside a longer number.
    QTest::newRow("MOD of whole words") << "Ε MOD 4 = 0 AND Ε MOD 400 = 0"
                                        << "Ε=2000"
                                        << "-1"
                                        << "(2000-(2000\\4)*4)=0 AND (2000-(2000\\400)*400)=0";
    // The words of the school language.
    QTest::newRow("ΚΑΙ") << "Χ>1 ΚΑΙ Χ<5"
                         << "Χ=10"
                         << "0"
                         << "10>1 AND 10<5";
    QTest::newRow("ΟΧΙ at the start") << "ΟΧΙ Χ>1"
                                      << "Χ=3"
                                      << "0"
                                      << " NOT 3>1";
    QTest::newRow("Η between operands") << "Α Η Β"
                                        << "Α=0;Β=-1"
                                        << "-1"
                                        << "0 OR -1";
    QTest::newRow("Η as a variable") << "Η+1"
                                     << "Η=4"
                                     << "5"
                                     << "4+1";
    // Two values side by side are never glued into one number.
    QTest::newRow("missing operator") << "1 Χ"
                                      << "Χ=2"
                                      << "EROR"
                                      << "12";
}

void TestEvaluator::partTable() {
    QFETCH(QString, expression);
    QFETCH(QString, variables);
    QFETCH(QString, value);
    QFETCH(QString, translated);
    Evaluation e(variables);
    QString text;
    QCOMPARE(e.evaluator.evalExpr(expression, &text), value);
    QCOMPARE(text, translated);
}

void TestEvaluator::missingOperatorsNamed_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("reason"); // empty: no operator is missing
    QTest::newRow("number and name") << "1 Χ"
                                     << "λείπει τελεστής ανάμεσα σε «1» και «Χ»";
    QTest::newRow("an old file's Greek NOT") << "ΝΟΤ Χ>0"
                                             << "λείπει τελεστής ανάμεσα σε «ΝΟΤ» και «Χ»";
    QTest::newRow("brackets") << "(1)(2)"
                              << "λείπει τελεστής ανάμεσα σε «)» και «(»";
    QTest::newRow("unknown function") << "COS(1)"
                                      << "λείπει τελεστής ανάμεσα σε «COS» και «(»";
    // The engine's own reasons.
    QTest::newRow("division by zero") << "Χ/0"
                                      << "διαίρεση με το μηδέν";
    QTest::newRow("DIV by zero") << "Χ DIV (Χ-1)"
                                 << "διαίρεση με το μηδέν";
    QTest::newRow("MOD by zero") << "Χ MOD 0"
                                 << "διαίρεση με το μηδέν";
    QTest::newRow("root of a negative") << "Τ_Ρ(-Χ)"
                                        << "τετραγωνική ρίζα (Τ_Ρ) αρνητικού αριθμού";
    QTest::newRow("element and number") << "Α[1] 2"
                                        << "λείπει τελεστής ανάμεσα σε «Α[1]» και «2»";
    QTest::newRow("random digit") << "2ΡΝΔ"
                                  << "λείπει τελεστής ανάμεσα σε «2» και «RND»";
    QTest::newRow("function") << "Α_Μ(2.5)*2"
                              << "";
    QTest::newRow("NOT") << "NOT Χ=1 AND Χ<>2"
                         << "";
    QTest::newRow("signs") << "-Χ--2"
                           << "";
}

// Why an evaluation fails, on both ways of computing it; nothing where it does not fail.
void TestEvaluator::missingOperatorsNamed() {
    QFETCH(QString, expression);
    QFETCH(QString, reason);
    for (const bool compiling : {true, false}) {
        Evaluation e("Χ=1;Α[1]=3");
        e.evaluator.setCompiling(compiling);
        const QString value = e.evaluator.evalExpr(expression);
        QCOMPARE(e.evaluator.failureReason(), reason);
        QCOMPARE(value == ExpressionEvaluator::error, !reason.isEmpty());
    }
}

void TestEvaluator::randomForms() {
    Evaluation e;
    for (int i = 0; i < 200; ++i) {
        QString text;
        const int dice = e.evaluator.evalExpr("ΤΥΧΑΙΟΣ(6)+1", &text).toInt();
        QVERIFY(dice >= 0 && dice <= 5);
        QVERIFY(text.isEmpty());
        const QString rnd = e.evaluator.evalExpr("ΡΝΔ+1", &text);
        QVERIFY(rnd.toInt() >= 1 && rnd.toInt() <= 10);
        QCOMPARE(text, QString::number(rnd.toInt() - 1) + "+1");
    }
    Evaluation a, b;
    a.random.setFixedSeed(42);
    b.random.setFixedSeed(42);
    QCOMPARE(a.evaluator.evalExpr("ΤΥΧΑΙΟΣ(1000)"), b.evaluator.evalExpr("ΤΥΧΑΙΟΣ(1000)"));
}

void TestEvaluator::undefinedVariablesReported() {
    Evaluation e;
    QCOMPARE(e.store.getVar("Χ"), QStringLiteral("0"));
    QCOMPARE(e.sink.messages, QStringList{"Μεταβλητή : Χ - μη ορισμένη!"});
    QCOMPARE(e.store.getVar("0"), QStringLiteral("0"));
    QCOMPARE(e.store.getVar("RETURN"), QStringLiteral("0"));
    QCOMPARE(e.sink.messages.size(), 1);
    QCOMPARE(e.store.ifVarGetValue("Χ"), QStringLiteral("Χ"));
    QCOMPARE(e.sink.messages.size(), 1);
    e.sink.messages.clear();
    QCOMPARE(e.evaluator.evalExpr("Α[9]+1"), QStringLiteral("1"));
    QCOMPARE(e.sink.messages, QStringList{"Μεταβλητή : Α[9] - μη ορισμένη!"});
}

void TestEvaluator::wordTableLimit() {
    Evaluation e;
    // The spaced text " 1 + ... + 1 " splits into 4 empty words and the terms and signs.
    QStringList ones(99, "1");
    QCOMPARE(e.evaluator.evalExpr(ones.join("+")), QStringLiteral("EROR")); // 197 + 4 words
    ones.removeLast();
    QCOMPARE(e.evaluator.evalExpr(ones.join("+")), QStringLiteral("98")); // 195 + 4 words
    QStringList many(120, "1");
    QCOMPARE(e.evaluator.evalExpr(many.join("+")), QStringLiteral("EROR"));
}

void TestEvaluator::indicesOfNames() {
    Evaluation e("Ι=3;Κ=2");
    QCOMPARE(e.evaluator.evalIndices("Α[Ι+1]"), QStringLiteral("Α[4]"));
    QCOMPARE(e.evaluator.evalIndices("Π[Ι,Κ*2]"), QStringLiteral("Π[3,4]"));
    QCOMPARE(e.evaluator.evalIndices("Χ"), QStringLiteral("Χ"));
    QCOMPARE(e.evaluator.evalIndices("Α[1/0]"), QStringLiteral("Α[EROR]"));
}

void TestEvaluator::scriptMeaning_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::newRow("precedence") << "2+3*4^2"
                                << "50";
    QTest::newRow("power is left to right") << "2^3^2"
                                            << "64";
    QTest::newRow("integer division below multiplication") << "7\\2*2"
                                                           << "1";
    QTest::newRow("comparison gives truth") << "1<2"
                                            << "-1";
    QTest::newRow("truth in arithmetic") << "(1<2)+1"
                                         << "0";
    QTest::newRow("AND bitwise") << "6 AND 3"
                                 << "2";
    QTest::newRow("NOT bitwise") << "NOT 0"
                                 << "-1";
    QTest::newRow("XOR") << "(1<2) XOR (2<3)"
                         << "0";
    QTest::newRow("IMP") << "(1>2) IMP (1>2)"
                         << "-1";
    QTest::newRow("concatenation") << "1 & 2"
                                   << "12";
    QTest::newRow("strings add") << "\"Α\"+\"Β\""
                                 << "ΑΒ";
    QTest::newRow("numeric string adds") << "\"5\"+1"
                                         << "6";
    QTest::newRow("non-numeric string fails") << "\"Α\"+1"
                                              << "EROR";
    QTest::newRow("INT floors") << "INT(-2.5)"
                                << "-3";
    QTest::newRow("overflow") << "10^400"
                              << "EROR";
    QTest::newRow("integer division overflow") << "3000000000\\2"
                                               << "EROR";
    QTest::newRow("statement separator") << "1:MSGBOX(1)"
                                         << "EROR";
    QTest::newRow("unclosed string") << "\"ΑΒ"
                                     << "EROR";
    QTest::newRow("deep nesting") << QString(300, '(') + "1" + QString(300, ')') << "EROR";
    QTest::newRow("rounding halves to even") << "0.125"
                                             << ".12";
    QTest::newRow("large numbers") << "10^15"
                                   << "1E+15";
}

void TestEvaluator::scriptMeaning() {
    QFETCH(QString, text);
    QFETCH(QString, value);
    const auto result = ScriptEngine::evaluate(text);
    QString shown = "EROR";
    if (result) {
        if (const QString* s = std::get_if<QString>(&*result))
            shown = *s;
        else if (const bool* b = std::get_if<bool>(&*result))
            shown = *b ? "-1" : "0";
        else if (const double* d = std::get_if<double>(&*result))
            shown = NumberText::formatRounded(*d);
    }
    QCOMPARE(shown, value);
}

void TestEvaluator::typedValuesOnlyComputeValues() {
    // Whatever a pupil types at an input ends up computed, never run.
    for (const QString& typed :
         {QStringLiteral("1:CreateObject(\"WScript.Shell\")"), QStringLiteral("\"\":EXECUTE \"X\""),
          QStringLiteral("1\r\nEnd Function")}) {
        Evaluation e;
        e.store.setVar("Χ", typed, "id1", typed);
        QCOMPARE(e.evaluator.evalExpr("Χ+1"), QStringLiteral("EROR"));
    }
}

void TestEvaluator::numberText_data() {
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 0.5 << ".5";
    QTest::newRow("negative quarter") << -0.25 << "-.25";
    QTest::newRow("whole") << 1234567.0 << "1234567";
    QTest::newRow("negative whole") << -12.0 << "-12";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("small") << 0.000001 << "1E-06";
}

void TestEvaluator::numberText() {
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(NumberText::format(number), text);
}

QTEST_MAIN(TestEvaluator)
#include "tst_evaluator.moc"

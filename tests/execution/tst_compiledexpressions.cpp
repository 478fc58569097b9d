#include "ExpressionComparison.h"
#include "core/execution/CompiledExpression.h"

#include <QTest>
#include <random>

namespace {

// Random expressions of the pupil's language and beyond it: every operator and function,
// Greek and Latin spellings, table elements, strings, random draws, stray brackets, blanks
// anywhere, lower case; and random values, plain numbers or not, some of them names.
class ExpressionGenerator {
public:
    explicit ExpressionGenerator(unsigned seed) : m_random(seed) {}

    QString expression() {
        QString e =
            pick(0.03) ? QStringLiteral("ΤΥΧΑΙΟΣ(") + number() + QStringLiteral(")+") : QString();
        e += sum(pick(0.3) ? 2 : 1);
        if (pick(0.02))
            e.insert(int(m_random() % (e.size() + 1)), pickOne({"(", ")", "[", "]", ",", "\""}));
        if (pick(0.1))
            e = e.toLower();
        return e;
    }

    QString value() {
        switch (m_random() % 24) {
        case 0:
            return pickOne({"1E5", "ΑΒΓ", "Α", "Β+1", "Χ", "", "EROR", "-", "2,5", "Ι*2", "0",
                            "1234567890123456", "-0", "Π[1,2]"});
        case 1:
            return pickOne(
                {"2.5", "-0.5", ".5", "-.5", "5.", "007", "0.0", "123456789012345", "-7", "100"});
        default:
            return QString::number(int(m_random() % 41) - 20);
        }
    }

    QStringList names() {
        return {"Α",      "Β",       "Γ",    "Χ",     "Ι",      "Κ",      "ΑΒ",
                "00",     "Α[1]",    "Α[2]", "Α[3]",  "Α[-1]",  "Π[1,2]", "Π[2,1]",
                "Π[1,1]", "ΑΡΙΘΜΟΣ", "Α[0]", "Α[.5]", "Π[2,2]", "RETURN"};
    }
    bool pick(double chance) { return std::uniform_real_distribution<>(0, 1)(m_random) < chance; }

private:
    QString pickOne(std::initializer_list<const char*> options) {
        const size_t at = m_random() % options.size();
        return QString::fromUtf8(*(options.begin() + at));
    }
    QString blank() { return pick(0.3) ? pickOne({" ", "  ", " "}) : QString(); }

    QString sum(int depth) {
        QString e = operand(depth);
        const int more = int(m_random() % 3);
        for (int i = 0; i < more; ++i)
            e += blank() + binary() + blank() + operand(depth);
        return e;
    }
    QString binary() {
        return pickOne({"+",     "-",    "*", "/",     "^",  "\\", " DIV ", " MOD ",
                        "=",     "<",    ">", "<=",    ">=", "<>", "#",     "!=",
                        " AND ", " OR ", "&", " mod ", "+",  "-",  "*"});
    }
    QString number() {
        return pickOne({"0", "1", "2", "3", "10", "2.5", ".5", "007", "5.", "1E2", "0.0", "17",
                        "100000", "3E"});
    }
    QString operand(int depth) {
        const unsigned kind = m_random() % (depth > 0 ? 16 : 8);
        switch (kind) {
        case 0:
        case 1:
        case 2:
            return pickOne({"Α", "Β", "Γ", "Χ", "Ι", "Κ", "ΑΒ", "ΑΡΙΘΜΟΣ", "0", "00", "RETURN", "Ζ",
                            "α", "Ι"});
        case 3:
        case 4:
            return number();
        case 5:
            return pickOne({"-", " NOT ", "+", "-"}) + blank() + operand(depth);
        case 6:
            return pick(0.3) ? pickOne({"ΡΝΔ", "RND", "\"ΑΒ\"", "COS(1)", "ΤΟΤΕ"})
                             : pickOne({"Α", "Β", "2"});
        case 7:
            return pickOne({"Α", "Ι", "Β"});
        case 8:
        case 9:
            return QStringLiteral("(") + blank() + sum(depth - 1) + blank() + QStringLiteral(")");
        case 10:
        case 11:
            return pickOne({"Α", "Π"}) + blank() + QStringLiteral("[") + blank() + sum(depth - 1) +
                   (pick(0.4) ? QStringLiteral(",") + sum(depth - 1) : QString()) + blank() +
                   QStringLiteral("]");
        default:
            return pickOne({"Α_Μ(", "A_M(", "Α_Τ(", "A_T(", "Τ_Ρ(", "Τ_P(", "INT(", "ABS(", "SQR(",
                            "int("}) +
                   sum(depth - 1) + QStringLiteral(")");
        }
    }

    std::mt19937 m_random;
};

} // namespace

// The compiled forms against the reference translation: the same value, translated text and
// messages for every expression and every set of values.
class TestCompiledExpressions : public QObject {
    Q_OBJECT
private slots:
    void knownCases_data();
    void knownCases();
    void generatedExpressionsAgree();
};

void TestCompiledExpressions::knownCases_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("variables");
    QTest::addColumn<bool>("computesTree"); // false: the reference computes it every time
    const auto row = [](const char* expression, const char* variables, bool computesTree) {
        QTest::newRow(expression) << QString::fromUtf8(expression) << QString::fromUtf8(variables)
                                  << computesTree;
    };
    row("Α+Β*2", "Α=3;Β=4", true);
    row("Β^2-4*Α*Γ", "Α=1;Β=-5;Γ=6", true);
    row("-Α^2", "Α=3", true);
    row("Α^Α", "Α=-2", true);
    row("2^-Α", "Α=-2", true);
    row("Α ^2", "Α=-2", true);
    row("Α[Ι+1]", "Ι=2;Α[3]=8", true);
    row("Α[Ι]^Α[Κ]", "Ι=1;Κ=1;Α[1]=-2", true);
    row("Α[Ι] MOD 2", "Ι=1;Α[1]=7", false);
    row("Α MOD 2 + Β", "Α=7;Β=1", true);
    row("Χ MOD 4 * 2", "Χ=7", true);
    row("Χ*3 MOD 5", "Χ=7", true);
    row("Χ DIV 2 * 3", "Χ=20", true);
    row("10 - Χ MOD 3", "Χ=7", true);
    row("Ε MOD 4 = 0 AND Ε MOD 400 = 0", "Ε=2000", true);
    row("Α Β", "Α=3;Β=4", false);
    row("Α+Β", "Α=Β;Β=4", true);
    row("Α+Β", "Α=1E5;Β=4", true);
    row("Α+0", "Α=0", true);
    row("Α+00", "Α=00;00=7", true);
    row("Χ+1", "", true);
    row("Α>1 AND Β<10", "Α=3;Β=4", true);
    row("Χ>1 ΚΑΙ Χ<5", "Χ=10", true);
    row("ΟΧΙ Χ>1 Η Χ=10", "Χ=10", true);
    row("Α != 5", "Α=5", true);
    row("Α # 5", "Α=4", true);
    row("NOT Α", "Α=-1", true);
    row("not α > 0", "Α=2", true);
    row("Α_Μ(Α/2)", "Α=7", true);
    row("Π[Ι,Κ]", "Ι=1;Κ=2;Π[1,2]=5", true);
    row("Π[Ι,Κ]+Π[Κ,Ι]", "Ι=1;Κ=2;Π[1,2]=5", true);
    row("Α[Χ]", "", true);
    row("Α[1/0]", "", true);
    row("ΡΝΔ+Α", "Α=1", false);
    row("Α+5.", "Α=2.5", true);
    row("Α*1E2", "Α=3", false);
    row("Α/Β", "Α=1;Β=3", true);
}

void TestCompiledExpressions::knownCases() {
    QFETCH(QString, expression);
    QFETCH(QString, variables);
    QFETCH(bool, computesTree);
    QCOMPARE(CompiledExpression::compile(expression) != nullptr, computesTree);
    ExpressionComparison pair;
    pair.clear();
    for (const QString& assignment : variables.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        pair.setVar(assignment.left(equals), assignment.mid(equals + 1));
    }
    // Twice: the first evaluation compiles, the second uses the compiled form.
    for (int round = 0; round < 2; ++round) {
        const std::optional<QString> difference = pair.compare(expression);
        QVERIFY2(!difference, qPrintable(*difference));
    }
}

void TestCompiledExpressions::generatedExpressionsAgree() {
    ExpressionGenerator generator(20261208);
    ExpressionComparison pair;
    const QStringList names = generator.names();
    const int expressions = qEnvironmentVariableIntValue("KELVRA_DIFFERENTIAL_COUNT") > 0
                                ? qEnvironmentVariableIntValue("KELVRA_DIFFERENTIAL_COUNT")
                                : 100000;
    int failures = 0;
    for (int n = 0; n < expressions && failures < 10; ++n) {
        const QString expression = generator.expression();
        // The same expression with two sets of values: compiled once, computed twice.
        for (int round = 0; round < 2; ++round) {
            pair.clear();
            for (const QString& name : names) {
                if (generator.pick(0.8))
                    pair.setVar(name, generator.value());
            }
            if (const std::optional<QString> difference = pair.compare(expression)) {
                qWarning("%s", qPrintable(*difference));
                ++failures;
            }
        }
    }
    QCOMPARE(failures, 0);
}

QTEST_MAIN(TestCompiledExpressions)
#include "tst_compiledexpressions.moc"

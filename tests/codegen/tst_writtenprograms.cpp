#include "FlowchartPlan.h"
#include "core/codegen/ProgramTextConversions.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/files/HeadlessDiagram.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using S = Plan;
using Program = std::vector<Plan>;

struct Case {
    const char* name;
    Program program;
    QStringList inputs;
};

// Flowcharts of every construct and their nestings, two levels deep.
std::vector<Case> cases() {
    return {
        {"sequence",
         {S::read("Α"), S::assign("Β", "Α*2+1"), S::write("Β", "ΔΙΠΛΟ ΣΥΝ ΕΝΑ")},
         {"7"}},
        {"outputs of several items",
         {S::read("Α"), S::assign("Π[1,2]", "Α*3"), S::write("Α,Α*2,Π[1,2]"),
          S::write("\"ΜΕΓΑΛΟ\""), S::write("Π[1,2]", "\"ΤΙΜΗ\""), S::write("Α^2-4*Α")},
         {"-5"}},
        {"decimals and signs",
         {S::read("Α"), S::assign("Β", "Α/3"), S::write("Β"), S::assign("Γ", "-Α+0.5"),
          S::write("Γ")},
         {"2.5"}},
        {"power keeps the evaluator's order",
         {S::assign("Α", "-2^2"), S::write("Α"), S::assign("Β", "2^-1"), S::write("Β")},
         {}},
        {"div and mod",
         {S::read("Α"), S::write("Α DIV 3"), S::write("Α MOD 3"), S::write("Α\\2")},
         {"17"}},
        {"functions",
         {S::read("Α"), S::write("Α_Τ(Α)"), S::write("Α_Μ(Α/4)"), S::write("Τ_Ρ(Α*Α)")},
         {"-9"}},
        {"if without else", {S::read("Α"), S::decision("Α>0", {S::write("Α", "ΘΕΤΙΚΟΣ")})}, {"4"}},
        {"if with else",
         {S::read("Α"),
          S::decision("Α MOD 2=0", {S::write("0", "ΑΡΤΙΟΣ")}, {S::write("1", "ΠΕΡΙΤΤΟΣ")})},
         {"7"}},
        {"empty yes branch",
         {S::read("Α"), S::decision("Α>0", {}, {S::assign("Α", "-Α")}), S::write("Α")},
         {"-3"}},
        {"else-if chain of three",
         {S::read("Α"), S::decision("Α>0", {S::write("1")},
                                    {S::decision("Α<0", {S::write("-1")}, {S::write("0")})})},
         {"0"}},
        {"else-if chain of four",
         {S::read("Α"),
          S::decision("Α<10", {S::write("1")},
                      {S::decision("Α<20", {S::write("2")},
                                   {S::decision("Α<30", {S::write("3")}, {S::write("4")})})})},
         {"25"}},
        {"nested decisions",
         {S::read("Α"), S::read("Β"),
          S::decision("Α>Β", {S::decision("Α>0", {S::write("1")}, {S::write("2")})},
                      {S::decision("Β>0", {S::write("3")}, {S::write("4")})}),
          S::write("9")},
         {"-1", "-5"}},
        {"statement after a nested junction",
         {S::read("Α"),
          S::decision("Α>0",
                      {S::decision("Α>5", {S::assign("Β", "2")}, {S::assign("Β", "1")}),
                       S::assign("Β", "Β*10")},
                      {S::assign("Β", "0")}),
          S::write("Β")},
         {"3"}},
        {"and or not",
         {S::read("Α"), S::read("Β"),
          S::decision("Α>0 AND Β>0 OR NOT Α>Β", {S::write("1")}, {S::write("0")})},
         {"2", "-1"}},
        {"while",
         {S::assign("Σ", "0"), S::assign("Ι", "1"),
          S::whileLoop("Ι<=10", {S::assign("Σ", "Σ+Ι"), S::assign("Ι", "Ι+1")}), S::write("Σ")},
         {}},
        {"while on the no exit",
         {S::assign("Ι", "5"),
          S::whileLoop("Ι=0", {S::write("Ι", {}, true), S::assign("Ι", "Ι-1")}, true)},
         {}},
        {"repeat-until",
         {S::read("Ν"), S::assign("Π", "1"),
          S::until("Ν<=1", {S::assign("Π", "Π*Ν"), S::assign("Ν", "Ν-1")}), S::write("Π")},
         {"5"}},
        {"repeat-until leaving on no",
         {S::assign("Ι", "0"), S::until("Ι<3", {S::assign("Ι", "Ι+1")}, true), S::write("Ι")},
         {}},
        {"while in while",
         {S::assign("Ι", "1"),
          S::whileLoop("Ι<=3",
                       {S::assign("Κ", "1"),
                        S::whileLoop("Κ<=Ι", {S::write("Ι*10+Κ", {}, true), S::assign("Κ", "Κ+1")}),
                        S::write("Ι"), S::assign("Ι", "Ι+1")})},
         {}},
        {"until in while",
         {S::assign("Ι", "1"),
          S::whileLoop("Ι<4", {S::assign("Κ", "0"), S::until("Κ>=Ι", {S::assign("Κ", "Κ+1")}),
                               S::write("Κ"), S::assign("Ι", "Ι+1")})},
         {}},
        {"while in until",
         {S::assign("Ι", "0"),
          S::until("Ι>=3", {S::assign("Κ", "Ι"), S::whileLoop("Κ>0", {S::assign("Κ", "Κ-1")}),
                            S::assign("Ι", "Ι+1"), S::write("Ι+Κ")})},
         {}},
        {"until in until",
         {S::assign("Ι", "0"), S::assign("Σ", "0"),
          S::until("Ι=3", {S::assign("Κ", "0"),
                           S::until("Κ=2", {S::assign("Σ", "Σ+1"), S::assign("Κ", "Κ+1")}),
                           S::assign("Ι", "Ι+1")}),
          S::write("Σ")},
         {}},
        {"loop in the yes branch",
         {S::read("Ν"), S::decision("Ν>0",
                                    {S::assign("Ι", "0"),
                                     S::whileLoop("Ι<Ν", {S::assign("Ι", "Ι+1"), S::write("Ι")})},
                                    {S::write("0", "ΚΑΝΕΝΑ")})},
         {"3"}},
        {"loop in the no branch",
         {S::read("Ν"),
          S::decision("Ν<=0", {S::write("0", "ΚΑΝΕΝΑ")},
                      {S::until("Ν=0", {S::write("Ν"), S::assign("Ν", "Ν-1")})}),
          S::write("Ν", "ΤΕΛΟΣ")},
         {"4"}},
        {"decision in a while",
         {S::assign("Ι", "1"),
          S::whileLoop("Ι<=6", {S::decision("Ι MOD 2=0", {S::write("Ι", "ΑΡΤΙΟΣ")},
                                            {S::write("Ι", "ΠΕΡΙΤΤΟΣ")}),
                                S::assign("Ι", "Ι+1")})},
         {}},
        {"decision in a repeat-until",
         {S::assign("Ι", "0"), S::assign("Μ", "0"),
          S::until("Ι>=5", {S::read("Χ"), S::decision("Χ>Μ", {S::assign("Μ", "Χ")}),
                            S::assign("Ι", "Ι+1")}),
          S::write("Μ", "ΜΕΓΙΣΤΟ")},
         {"4", "9", "-2", "7.5", "1"}},
        {"else-if in a loop",
         {S::assign("Ι", "-2"),
          S::whileLoop("Ι<=2", {S::decision("Ι<0", {S::write("-1")},
                                            {S::decision("Ι=0", {S::write("0")}, {S::write("1")})}),
                                S::assign("Ι", "Ι+1")})},
         {}},
        {"loop in a decision in a loop",
         {S::assign("Ι", "1"),
          S::whileLoop("Ι<=3", {S::decision("Ι<>2", {S::assign("Κ", "0"),
                                                     S::until("Κ=Ι", {S::assign("Κ", "Κ+1")}),
                                                     S::write("Κ")}),
                                S::assign("Ι", "Ι+1")})},
         {}},
        {"array",
         {S::assign("Ι", "1"),
          S::whileLoop("Ι<=5", {S::assign("Α[Ι]", "Ι*Ι"), S::assign("Ι", "Ι+1")}),
          S::write("Α[3]+Α[5]")},
         {}},
        {"array read and a second index",
         {S::assign("Ι", "1"),
          S::whileLoop("Ι<=2", {S::assign("Κ", "1"),
                                S::whileLoop("Κ<=2", {S::read("Π[Ι,Κ]"), S::assign("Κ", "Κ+1")}),
                                S::assign("Ι", "Ι+1")}),
          S::assign("Χ", "Π[1,2]*Π[2,1]"), S::write("Χ")},
         {"1", "2", "3", "4"}},
        {"same line outputs",
         {S::write("1", {}, true), S::write("2", {}, true), S::write("3"), S::write("4")},
         {}},
        {"names that look alike",
         {S::assign("ΚΣ", "1"), S::assign("Ξ", "2"), S::assign("Θ", "3"), S::assign("ΤΗ", "4"),
          S::assign("Ο", "5"), S::assign("Ω", "6"),
          S::write("ΚΣ*100000+Ξ*10000+Θ*1000+ΤΗ*100+Ο*10+Ω")},
         {}},
        {"names that are words of pascal",
         {S::assign("ΔΟ", "1"), S::assign("ΕΝΔ", "2"), S::write("ΔΟ+ΕΝΔ")},
         {}},
        {"rounding to two decimals",
         {S::assign("Α", "1/3"), S::assign("Β", "Α*3"), S::write("Β")},
         {}},
        {"condition as a value", {S::read("Α"), S::assign("Β", "Α>0"), S::write("Β")}, {"1"}},
        {"counting digits",
         {S::read("Ν"), S::assign("Ψ", "0"),
          S::until("Ν=0", {S::assign("Ν", "Ν DIV 10"), S::assign("Ψ", "Ψ+1")}), S::write("Ψ")},
         {"90210"}},
        {"greatest common divisor",
         {S::read("Α"), S::read("Β"),
          S::whileLoop("Β<>0",
                       {S::assign("Υ", "Α MOD Β"), S::assign("Α", "Β"), S::assign("Β", "Υ")}),
          S::write("Α")},
         {"84", "36"}},
        {"sum of a series",
         {S::read("Ν"), S::assign("Σ", "0"), S::assign("Ι", "1"),
          S::whileLoop("Ι<=Ν", {S::assign("Σ", "Σ+1/Ι"), S::assign("Ι", "Ι+1")}), S::write("Σ")},
         {"4"}},
        {"prime test",
         {S::read("Ν"), S::assign("Δ", "2"), S::assign("Π", "1"),
          S::whileLoop("Δ*Δ<=Ν AND Π=1",
                       {S::decision("Ν MOD Δ=0", {S::assign("Π", "0")}), S::assign("Δ", "Δ+1")}),
          S::decision("Π=1", {S::write("Ν", "ΠΡΩΤΟΣ")}, {S::write("Ν", "ΣΥΝΘΕΤΟΣ")})},
         {"91"}},
        {"minimum of inputs",
         {S::read("Ν"), S::read("Μ"), S::assign("Ι", "1"),
          S::whileLoop("Ι<Ν", {S::read("Χ"), S::decision("Χ<Μ", {S::assign("Μ", "Χ")}),
                               S::assign("Ι", "Ι+1")}),
          S::write("Μ")},
         {"4", "3", "-1.25", "8", "0"}},
        // Remainders and divisions as the run reads them: MOD on the single items beside it,
        // "*" before DIV, "!=" and "#" as "<>", the school's words, a bare name as a condition.
        {"tricky expressions",
         {S::read("Χ"), S::write("Χ MOD 4 * 2"), S::write("Χ*3 MOD 5"), S::write("10 - Χ MOD 3"),
          S::write("Χ DIV 2 * 3"), S::write("-Χ MOD 7"), S::write("2^3 MOD 5"),
          S::write("Χ MOD 4 = 0 AND Χ MOD 400 = 0"), S::write("Χ != 5"), S::write("Χ # 2000"),
          S::write("Χ>1 ΚΑΙ Χ<5"), S::write("ΟΧΙ Χ>1"), S::write("Χ<1 Η Χ>5"),
          S::write("INT(Χ/3)+ABS(-2)-SQR(16)"), S::write("-2^2+(-2)^2"),
          S::write("(Χ DIV 7) * 3 - Χ DIV (7 * 3)")},
         {"2000"}},
        {"a bare name as a condition",
         {S::assign("Κ", "5"), S::decision("Κ", {S::write("Κ")}), S::write("Κ+1")},
         {}},
        {"tables with any index",
         {S::read("Ν"), S::assign("Α[Ν]", "7"), S::assign("Π[99999,2]", "3"),
          S::assign("Α[2.5]", "Α[Ν]+1"), S::read("Α[Ν+1]"),
          S::write("Α[Ν]+Α[2.5]+Π[99999,2]+Α[Ν+1]+Α[1]")},
         {"500", "4"}},
        {"outputs that go on the line before",
         {S::write("1"), S::write("2", {}, true), S::assign("Ι", "0"),
          S::whileLoop("Ι<3", {S::write("Ι", {}, true), S::assign("Ι", "Ι+1")}), S::write("9")},
         {}},
        // What Python needs beyond the run's numbers: messages as typed, a variable read
        // before it has a value, a typed input with more decimals than the run keeps, and
        // products past the 15 digits the run keeps.
        {"messages as typed",
         {S::read("Α"), S::write("Α", "Το άθροισμα είναι!"), S::write("\"Τέλος, γεια σου\"")},
         {"12"}},
        {"a variable read before it has a value",
         {S::assign("Σ", "Σ+1"), S::write("Σ"), S::assign("Ι", "0"),
          S::until("Ι>=3", {S::assign("Τ", "Τ+Ι"), S::assign("Ι", "Ι+1")}), S::write("Τ")},
         {}},
        {"typed decimals are kept until copied",
         {S::read("Α"), S::write("Α*1000"), S::assign("Β", "Α"), S::write("Β*1000"),
          S::assign("Γ", "Α/7"), S::write("Γ*1000")},
         {"7.555"}},
        {"products past fifteen digits",
         {S::assign("Π", "1"), S::assign("Ι", "1"),
          S::whileLoop("Ι<=25", {S::assign("Π", "Π*Ι"), S::assign("Ι", "Ι+1")}), S::write("Π"),
          S::write("Π/3"), S::write("1/Π")},
         {}},
        {"triangle of stars",
         {S::assign("Ι", "1"), S::whileLoop("Ι<=3", {S::assign("Κ", "1"),
                                                     S::whileLoop("Κ<=Ι", {S::write("0", {}, true),
                                                                           S::assign("Κ", "Κ+1")}),
                                                     S::write("Ι"), S::assign("Ι", "Ι+1")})},
         {}},
    };
}

// What a run printed, line by line, as words: quotes dropped (Pascal writes messages without
// them), blanks between words and empty lines ignored.
QStringList lines(QString text) {
    text.remove(QLatin1Char('"')).remove(QLatin1Char('\r'));
    QStringList result;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QStringList words =
            line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (!words.isEmpty())
            result << words.join(QLatin1Char(' '));
    }
    return result;
}

struct Ran {
    int exitCode;
    QString out;
    QString err;
};

Ran runProgram(const QString& program, const QStringList& arguments, const QStringList& inputs) {
    QProcess process;
    process.start(program, arguments);
    process.write((inputs.join('\n') + '\n').toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {-1, {}, QStringLiteral("timed out")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// Every flowchart's programs print what the run prints: Pascal compiled with Free Pascal
// (the same words on the same lines), Python run by python3 (the very same text), and the
// school language keeps to its words.
class TestWrittenPrograms : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pascalCompilesAndAgrees_data() { plans(); }
    void pascalCompilesAndAgrees();
    void pythonPrintsTheSame_data() { plans(); }
    void pythonPrintsTheSame();
    void glossaKeepsToTheLanguage_data() { plans(); }
    void glossaKeepsToTheLanguage();

private:
    void plans();
    // What `kelvra-cli run` prints for the diagram and the inputs.
    Ran reference(const QString& diagram, const QStringList& inputs);

    QString m_fpc;
    QString m_python;
    QTemporaryDir m_dir;
};

void TestWrittenPrograms::initTestCase() {
    m_fpc = QStandardPaths::findExecutable(QStringLiteral("fpc"));
    m_python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QVERIFY(m_dir.isValid());
}

void TestWrittenPrograms::plans() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QStringList>("inputs");
    int n = 0;
    for (const Case& c : cases()) {
        HeadlessDiagram headless;
        PlanDrawer(headless.diagram()).draw(c.program);
        const QString path = m_dir.filePath(QStringLiteral("case%1.kv").arg(++n));
        QVERIFY(headless.save(path));
        QTest::newRow(c.name) << path << c.inputs;
    }
    // Enough answers for every example, the two-dimensional ones included (3 × 2).
    const QStringList exampleInputs = {"3", "2", "9", "4", "6", "1", "8", "5",
                                       "7", "2", "6", "4", "5", "3", "9", "8"};
    for (const QString& file : QDir(QStringLiteral(KELVRA_EXAMPLES_DIR)).entryList({"*.kv"}))
        QTest::newRow(qPrintable(file))
            << QStringLiteral(KELVRA_EXAMPLES_DIR "/") + file << exampleInputs;
}

Ran TestWrittenPrograms::reference(const QString& diagram, const QStringList& inputs) {
    QStringList runArguments{"run", diagram};
    for (const QString& input : inputs)
        runArguments << "--input" << input;
    return runProgram(KELVRA_CLI, runArguments, {});
}

void TestWrittenPrograms::pascalCompilesAndAgrees() {
    if (m_fpc.isEmpty())
        QSKIP("Free Pascal (fp-compiler) is not installed");
    QFETCH(QString, diagram);
    QFETCH(QStringList, inputs);
    const QString base = m_dir.filePath(QFileInfo(diagram).completeBaseName());
    const Ran converted = runProgram(KELVRA_CLI, {"convert", diagram, "--to", "pascal"}, {});
    QCOMPARE(converted.exitCode, 0);
    QFile source(base + ".pas");
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(converted.out.toUtf8());
    source.close();
    const Ran compiled =
        runProgram(m_fpc, {"-v0", "-FE" + m_dir.path(), "-o" + base + ".bin", base + ".pas"}, {});
    QVERIFY2(compiled.exitCode == 0,
             qPrintable(converted.out + "\n" + compiled.out + compiled.err));

    const Ran ran = reference(diagram, inputs);
    QVERIFY2(ran.exitCode == 0 || ran.exitCode == 4, qPrintable(ran.err));
    const Ran pascal = runProgram(base + ".bin", {}, inputs);
    QCOMPARE(pascal.exitCode, 0);
    // Pascal's text is the pseudo-language's: capitals without accents.
    const QStringList expected = lines(PseudoCodeGenerator::finishLine(ran.out));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(lines(pascal.out), expected);
}

void TestWrittenPrograms::pythonPrintsTheSame() {
    if (m_python.isEmpty())
        QSKIP("python3 is not installed");
    QFETCH(QString, diagram);
    QFETCH(QStringList, inputs);
    const Ran converted = runProgram(KELVRA_CLI, {"convert", diagram, "--to", "python"}, {});
    QVERIFY2(converted.exitCode == 0, qPrintable(converted.err));
    const QString source = m_dir.filePath(QFileInfo(diagram).completeBaseName() + ".py");
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(converted.out.toUtf8());
    file.close();
    const Ran ran = reference(diagram, inputs);
    const Ran python = runProgram(m_python, {source}, inputs);
    QVERIFY2(python.exitCode == ran.exitCode, qPrintable(python.err + "\n" + converted.out));
    QVERIFY(!ran.out.isEmpty());
    QCOMPARE(python.out, QString(ran.out).remove(QLatin1Char('\r')));
}

namespace {

// The words of the school language a written program may use.
const QSet<QString> glossaWords = {"ΠΡΟΓΡΑΜΜΑ",
                                   "ΜΕΤΑΒΛΗΤΕΣ",
                                   "ΑΚΕΡΑΙΕΣ",
                                   "ΠΡΑΓΜΑΤΙΚΕΣ",
                                   "ΧΑΡΑΚΤΗΡΕΣ",
                                   "ΛΟΓΙΚΕΣ",
                                   "ΑΡΧΗ",
                                   "ΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ",
                                   "ΚΑΙ",
                                   "Ή",
                                   "ΟΧΙ",
                                   "ΓΡΑΨΕ",
                                   "ΔΙΑΒΑΣΕ",
                                   "ΑΝ",
                                   "ΤΟΤΕ",
                                   "ΑΛΛΙΩΣ_ΑΝ",
                                   "ΑΛΛΙΩΣ",
                                   "ΤΕΛΟΣ_ΑΝ",
                                   "ΟΣΟ",
                                   "ΕΠΑΝΑΛΑΒΕ",
                                   "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ",
                                   "ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ",
                                   "ΜΕΧΡΙΣ_ΟΤΟΥ",
                                   "ΓΙΑ",
                                   "ΑΠΟ",
                                   "ΜΕΧΡΙ",
                                   "ΜΕ_ΒΗΜΑ",
                                   "Α_Μ",
                                   "Α_Τ",
                                   "Τ_Ρ",
                                   "DIV",
                                   "MOD",
                                   "ΑΛΗΘΗΣ",
                                   "ΨΕΥΔΗΣ"};

// A line without its comment and its texts in quotes.
QString code(const QString& line) {
    QString kept;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('!'))
            break;
        else if (!quoted)
            kept += c;
    }
    return kept.trimmed();
}

} // namespace

void TestWrittenPrograms::glossaKeepsToTheLanguage() {
    QFETCH(QString, diagram);
    const Ran converted = runProgram(KELVRA_CLI, {"convert", diagram, "--to", "glossa"}, {});
    QVERIFY2(converted.exitCode == 0, qPrintable(converted.err));
    const QStringList lines = QString(converted.out).remove('\r').split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first().section(' ', 0, 0), QStringLiteral("ΠΡΟΓΡΑΜΜΑ"));
    QCOMPARE(lines.last(), QStringLiteral("ΤΕΛΟΣ_ΠΡΟΓΡΑΜΜΑΤΟΣ"));
    // Every variable declared once, with a type.
    QSet<QString> declared;
    const qsizetype begin = lines.indexOf(QStringLiteral("ΑΡΧΗ"));
    QVERIFY(begin > 0);
    static const QRegularExpression declaration(
        QStringLiteral("^(ΑΚΕΡΑΙΕΣ|ΠΡΑΓΜΑΤΙΚΕΣ|ΧΑΡΑΚΤΗΡΕΣ|ΛΟΓΙΚΕΣ): (.*)$"));
    static const QRegularExpression comma(QStringLiteral(",\\s*(?![^\\[]*\\])"));
    for (qsizetype i = 2; i < begin; ++i) {
        if (code(lines[i]).isEmpty())
            continue;
        const auto match = declaration.match(code(lines[i]));
        QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
        for (QString name : match.captured(2).split(comma)) {
            name = name.section('[', 0, 0).trimmed();
            QVERIFY2(!declared.contains(name), qPrintable(name + " declared twice"));
            declared.insert(name);
        }
    }
    // Only the language's words and the declared names; no Latin AND, OR or NOT.
    static const QRegularExpression word(QStringLiteral("\\w+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    for (qsizetype i = begin; i < lines.size(); ++i) {
        auto words = word.globalMatch(code(lines[i]));
        while (words.hasNext()) {
            const QString w = words.next().captured();
            QVERIFY2(w.front().isDigit() || glossaWords.contains(w) || declared.contains(w),
                     qPrintable(w + " in: " + lines[i]));
        }
    }
    // The examples' programs, as a teacher checked them against the school book.
    if (diagram.startsWith(QStringLiteral(KELVRA_EXAMPLES_DIR))) {
        QFile golden(QStringLiteral(KELVRA_TEST_DATA "/glossa/") +
                     QFileInfo(diagram).completeBaseName() + QStringLiteral(".txt"));
        QVERIFY2(golden.open(QIODevice::ReadOnly), qPrintable(golden.fileName()));
        QCOMPARE(converted.out, QString::fromUtf8(golden.readAll()));
    }
}

QTEST_MAIN(TestWrittenPrograms)
#include "tst_writtenprograms.moc"

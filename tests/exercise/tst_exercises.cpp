#include "codegen/FlowchartPlan.h"
#include "core/exercise/Exercise.h"
#include "core/files/HeadlessDiagram.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using S = Plan;
using Program = std::vector<Plan>;

struct Solution {
    const char* name;
    Program program;
    bool endless = false; // some case must be stopped by the step limit
};

struct ExercisePlan {
    const char* name;
    Program reference;
    std::vector<QStringList> cases; // the last one is hidden
    QString compare;
    QString needs;
    std::vector<Solution> wrong;
};

Program sumLoop(const QString& test, const QString& start, bool reads, bool counts) {
    Program body;
    if (reads)
        body.push_back(S::read("Χ"));
    body.push_back(S::assign("Σ", reads ? "Σ+Χ" : "Σ+Ι"));
    if (counts)
        body.push_back(S::assign("Ι", "Ι+1"));
    return {S::read("Ν"), S::assign("Σ", start), S::assign("Ι", "1"), S::whileLoop(test, body),
            S::write("Σ", "\"ΑΘΡΟΙΣΜΑ\"")};
}

Program maximum(const QString& test, const QString& start, const QString& last, bool counts) {
    Program second{S::decision("Α[Ι]" + test + "Μ", {S::assign("Μ", "Α[Ι]")})};
    if (counts)
        second.push_back(S::assign("Ι", "Ι+1"));
    return {S::read("Ν"),
            S::assign("Ι", "1"),
            S::whileLoop("Ι<=Ν", {S::read("Α[Ι]"), S::assign("Ι", "Ι+1")}),
            S::assign("Μ", start),
            S::assign("Ι", "2"),
            S::whileLoop("Ι" + last + "Ν", second),
            S::write("Μ", "\"ΜΕΓΙΣΤΟ\"")};
}

Program gradeScale(const QStringList& bounds, const QStringList& words, bool reads) {
    Program chain{S::write("\"" + words.last() + "\"")};
    for (qsizetype i = bounds.size() - 1; i >= 0; --i)
        chain = {S::decision("Β" + bounds[i], {S::write("\"" + words[i] + "\"")}, chain)};
    Program program;
    if (reads)
        program.push_back(S::read("Β"));
    program.insert(program.end(), chain.begin(), chain.end());
    return program;
}

Program digits(const QString& start, const QString& add, const QString& next,
               const QString& until) {
    return {S::read("Χ"), S::assign("Σ", start),
            S::until(until, {S::assign("Σ", "Σ+" + add), S::assign("Χ", next)}),
            S::write("Σ", "\"ΑΘΡΟΙΣΜΑ ΨΗΦΙΩΝ\"")};
}

Program validation(const QString& condition, bool loops, bool readsInside) {
    Program program;
    if (!readsInside)
        program.push_back(S::read("Β"));
    if (loops)
        program.push_back(S::until(condition, readsInside ? Program{S::read("Β")}
                                                          : Program{S::assign("Κ", "Κ+1")}));
    else
        program.push_back(S::read("Β"));
    program.push_back(S::write("Β*Β", "\"ΤΕΤΡΑΓΩΝΟ\""));
    return program;
}

const QStringList gradeWords = {"ΑΡΙΣΤΑ", "ΠΟΛΥ ΚΑΛΑ", "ΚΑΛΑ", "ΑΠΟΡΡΙΠΤΕΤΑΙ"};

// Five exercises a teacher sets, each with its solution and the mistakes pupils make.
std::vector<ExercisePlan> exercises() {
    return {
        {"sum loop",
         sumLoop("Ι<=Ν", "0", true, true),
         {{"3", "1", "2", "3"}, {"1", "5"}, {"0"}, {"4", "10", "20", "30", "9173"}},
         "numbers",
         "loop,input",
         {{"off by one", sumLoop("Ι<Ν", "0", true, true)},
          {"starts at one", sumLoop("Ι<=Ν", "1", true, true)},
          {"reads nothing in the loop", sumLoop("Ι<=Ν", "0", false, true)},
          {"never counts", sumLoop("Ι<=Ν", "0", true, false)}}},
        {"maximum of an array",
         maximum(">", "Α[1]", "<=", true),
         {{"3", "4", "9", "2"},
          {"4", "-5", "-2", "-8", "-3"},
          {"1", "7"},
          {"5", "1", "2", "3", "4", "9173"}},
         "numbers",
         "loop,array",
         {{"wrong comparison", maximum("<", "Α[1]", "<=", true)},
          {"starts at zero", maximum(">", "0", "<=", true)},
          {"misses the last", maximum(">", "Α[1]", "<", true)},
          {"never counts", maximum(">", "Α[1]", "<=", false), true}}},
        {"grade scale",
         gradeScale({">=18", ">=15", ">=10"}, gradeWords, true),
         {{"19"}, {"15"}, {"12"}, {"5"}, {"9173"}},
         "words",
         "decision,input",
         {{"greater instead of greater or equal",
           gradeScale({">18", ">15", ">10"}, gradeWords, true)},
          {"wrong order", gradeScale({">=10", ">=15", ">=18"}, gradeWords, true)},
          {"missing input", gradeScale({">=18", ">=15", ">=10"}, gradeWords, false)},
          {"wrong message", gradeScale({">=18", ">=15", ">=10"},
                                       {"ΑΡΙΣΤΑ", "ΚΑΛΑ", "ΚΑΛΑ", "ΑΠΟΡΡΙΠΤΕΤΑΙ"}, true)}}},
        {"digits with MOD and DIV",
         digits("0", "Χ MOD 10", "Χ DIV 10", "Χ=0"),
         {{"1234"}, {"5"}, {"90210"}, {"9173"}},
         "numbers",
         "loop",
         {{"stops a digit early", digits("0", "Χ MOD 10", "Χ DIV 10", "Χ<10")},
          {"starts at one", digits("1", "Χ MOD 10", "Χ DIV 10", "Χ=0")},
          {"divides instead of the remainder", digits("0", "Χ DIV 10", "Χ DIV 10", "Χ=0")},
          {"MOD and DIV swapped", digits("0", "Χ DIV 10", "Χ MOD 10", "Χ=0"), true}}},
        {"repeat-until validation",
         validation("Β>=1 AND Β<=10", true, true),
         {{"5"}, {"0", "11", "3"}, {"-2", "10"}, {"20", "9173", "1"}},
         "numbers",
         "loop,input",
         {{"no loop", validation("Β>=1 AND Β<=10", false, true)},
          {"greater instead of greater or equal", validation("Β>1 AND Β<=10", true, true)},
          {"OR instead of AND", validation("Β>=1 OR Β<=10", true, true)},
          {"reads before the loop", validation("Β>=1 AND Β<=10", true, false), true}}},
    };
}

struct Ran {
    int exitCode;
    QString out; // standard output
    QString all; // and standard error after it
};

Ran cli(const QStringList& arguments) {
    QProcess process;
    process.start(KELVRA_CLI, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000))
        return {-1, {}, {}};
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    return {process.exitCode(), out, out + QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// Exercises through kelvra-cli: a teacher makes them from a solution, pupils' flowcharts
// are checked one by one and as a class, and a hidden case's answer is never shown.
class TestExercises : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void solutionsAreChecked_data();
    void solutionsAreChecked();
    void hiddenCasesStayHidden();
    void exerciseFiles_data();
    void exerciseFiles();

private:
    QString save(const QString& name, const Program& program);

    QTemporaryDir m_dir;
    QHash<QString, QString> m_exercises;     // exercise name → .kva path
    QHash<QString, QStringList> m_solutions; // exercise name → every solution's .kv
};

QString TestExercises::save(const QString& name, const Program& program) {
    HeadlessDiagram headless;
    PlanDrawer(headless.diagram()).draw(program);
    const QString path = m_dir.filePath(name + ".kv");
    return headless.save(path) ? path : QString();
}

void TestExercises::initTestCase() {
    QVERIFY(m_dir.isValid());
    int n = 0;
    for (const ExercisePlan& e : exercises()) {
        const QString reference = save(QStringLiteral("reference%1").arg(++n), e.reference);
        QVERIFY(!reference.isEmpty());
        QStringList make{"exercise",
                         "make",
                         reference,
                         "-o",
                         m_dir.filePath(QStringLiteral("exercise%1.kva").arg(n)),
                         "--compare",
                         e.compare,
                         "--needs",
                         e.needs,
                         "--max-steps",
                         "20000"};
        for (size_t i = 0; i < e.cases.size(); ++i) {
            make << "--case";
            for (const QString& input : e.cases[i])
                make << "--input" << input;
            if (i + 1 == e.cases.size())
                make << "--hidden";
        }
        const Ran made = cli(make);
        QVERIFY2(made.exitCode == 0, qPrintable(made.all));
        m_exercises.insert(e.name, make[4]);
        m_solutions[e.name] << reference;
        int w = 0;
        for (const Solution& s : e.wrong)
            m_solutions[e.name] << save(QStringLiteral("wrong%1_%2").arg(n).arg(++w), s.program);
    }
}

void TestExercises::solutionsAreChecked_data() {
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<int>("solution"); // 0: the reference
    QTest::addColumn<bool>("endless");
    for (const ExercisePlan& e : exercises()) {
        QTest::addRow("%s: reference", e.name) << QString(e.name) << 0 << false;
        int w = 0;
        for (const Solution& s : e.wrong)
            QTest::addRow("%s: %s", e.name, s.name) << QString(e.name) << ++w << s.endless;
    }
}

void TestExercises::solutionsAreChecked() {
    QFETCH(QString, exercise);
    QFETCH(int, solution);
    QFETCH(bool, endless);
    const Ran checked =
        cli({"check", m_exercises.value(exercise), m_solutions[exercise][solution], "--json"});
    const QJsonObject report = QJsonDocument::fromJson(checked.out.toUtf8()).object();
    QCOMPARE(checked.exitCode, solution == 0 ? 0 : 1);
    QCOMPARE(report.value("passed").toBool(), solution == 0);
    QVERIFY2(solution == 0 || report.value("wrong_cases").toInt() > 0, qPrintable(checked.out));
    bool stopped = false;
    for (const QJsonValue& c : report.value("cases").toArray())
        stopped = stopped || c.toObject().value("verdict").toString() == "endless";
    QCOMPARE(stopped, endless);
}

// The hidden cases' inputs and answers hold 9173: it appears in no result of a pupil's check,
// printed, as JSON, or in the class's grades.
void TestExercises::hiddenCasesStayHidden() {
    QStringList everything;
    for (const ExercisePlan& e : exercises()) {
        const QString exercise = m_exercises.value(e.name);
        for (const QString& solution : m_solutions[e.name]) {
            everything << cli({"check", exercise, solution}).all
                       << cli({"check", exercise, solution, "--json"}).all;
        }
        const QString grades = m_dir.filePath(QString(e.name) + ".csv");
        QCOMPARE(
            cli(QStringList{"grade", exercise} << m_solutions[e.name] << "-o" << grades).exitCode,
            0);
        QFile csv(grades);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray bytes = csv.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // LibreOffice reads the Greek as UTF-8
        QCOMPARE(bytes.count('\n'), qsizetype(m_solutions[e.name].size() + 1));
        everything << QString::fromUtf8(bytes);
    }
    const QString all = everything.join('\n');
    QVERIFY(all.contains(QStringLiteral("(κρυφή): ΛΑΘΟΣ")));
    QVERIFY(all.contains(QStringLiteral("σταμάτησε στα 20000 βήματα")));
    QVERIFY(!all.contains(QStringLiteral("9173")));
    QVERIFY(!all.contains(QStringLiteral("9174"))); // the sum of the hidden inputs, and more
    QVERIFY(!all.contains(QStringLiteral("9183")));
}

void TestExercises::exerciseFiles_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    const QByteArray cases =
        R"("cases": [{"inputs": ["3", "1", "2", "3"], "output": "ΑΘΡΟΙΣΜΑ 6"}])";
    QTest::newRow("malformed") << QByteArray("{\n  \"title\": \"x\",\n  \"cases\" [\n]}") << 2
                               << "(γραμμή 3, στήλη 11): λείπει η «:» μετά από ένα όνομα";
    QTest::newRow("no cases") << QByteArray("{\"title\": \"x\"}") << 2 << "λείπουν οι περιπτώσεις";
    QTest::newRow("unknown need") << "{" + cases + R"(, "rules": {"needs": ["recursion"]}})" << 2
                                  << "άγνωστο «recursion»";
    QTest::newRow("unknown key kept")
        << "{" + cases + R"(, "colour": "red"})" << 0 << "Άγνωστο κλειδί «colour»";
    QTest::newRow("changed by hand")
        << "{" + cases + R"(, "checksum": "sha256:00"})" << 0 << "άλλαξαν με το χέρι";
}

void TestExercises::exerciseFiles() {
    QFETCH(QByteArray, file);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    const QString path = m_dir.filePath("file.kva");
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file);
    out.close();
    const Ran checked = cli({"check", path, m_solutions["sum loop"].first()});
    QCOMPARE(checked.exitCode, exitCode);
    QVERIFY2(checked.all.contains(said), qPrintable(checked.all));
    // Written again, a file keeps the keys this version does not know.
    const ExerciseFile::Read read = ExerciseFile::read(file);
    if (read.exercise)
        QCOMPARE(ExerciseFile::read(ExerciseFile::write(*read.exercise)).exercise->unknownKeys,
                 read.exercise->unknownKeys);
}

QTEST_MAIN(TestExercises)
#include "tst_exercises.moc"

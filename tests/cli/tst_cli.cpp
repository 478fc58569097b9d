#include "TestDiagram.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Outcome {
    int exitCode;
    QString out;
    QString err;
};

Outcome cli(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(KELVRA_CLI), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {-1, {}, QStringLiteral("timed out")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString dataFile(const QString& name) {
    return QStringLiteral(KELVRA_TEST_DATA "/") + name;
}

QString example(const QString& name) {
    return QStringLiteral(KELVRA_EXAMPLES_DIR "/") + name;
}

} // namespace

// The headless tool as a teacher calls it, through its command line.
class TestCli : public QObject {
    Q_OBJECT
private slots:
    void everyExampleRuns_data();
    void everyExampleRuns();
    void runExitCodes();
    void variablesTable();
    void canonAndEval();
    void resaveKeepsTheBytes();
    void convertPrintsTheWindowText();
    void usage();
    void giantPictureRefused();
    void wideVariablesTableStaysLinear();
    void messagesAndElementsPrint();
    void traceTable_data();
    void traceTable();
};

void TestCli::everyExampleRuns_data() {
    QTest::addColumn<QString>("file");
    for (const QString& file : QDir(QStringLiteral(KELVRA_EXAMPLES_DIR)).entryList({"*.kv"}))
        QTest::newRow(qPrintable(file)) << file;
}

void TestCli::everyExampleRuns() {
    QFETCH(QString, file);
    const Outcome run = cli({"run", example(file)}, QByteArray("5\n").repeated(100));
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains(QStringLiteral("To πρόγραμμα τερματίστικε  επιτυχώς")));
    QVERIFY(!run.out.isEmpty());
}

void TestCli::runExitCodes() {
    const Outcome product = cli({"run", example("alarosika.kv"), "--input", "6", "--input", "7"});
    QCOMPARE(product.exitCode, 0);
    QCOMPARE(product.out, QStringLiteral("\r\n\"ΤΟ ΓΙΝΟΜΕΝΟ ΕΙΝΑΙ\"    42"));
    QCOMPARE(cli({"run", example("alarosika.kv"), "--input", "6"}).exitCode, 4);
    QCOMPARE(cli({"run", example("fibo.kv"), "--input", "1000000", "--max-steps", "50"}).exitCode,
             3);
    QCOMPARE(cli({"run", "/no/such/file.kv"}).exitCode, 2);
    const Outcome endless = cli({"run", QStringLiteral(KELVRA_TEST_DATA "/endless.kv"),
                                 "--max-steps", "1000000000000", "--max-seconds", "0.2"});
    QCOMPARE(endless.exitCode, 3);
    QVERIFY2(endless.err.contains(QStringLiteral("0.2 δευτερόλεπτα")), qPrintable(endless.err));
}

void TestCli::variablesTable() {
    QTemporaryDir dir;
    const QString table = dir.filePath("vars.tsv");
    QCOMPARE(cli({"run", example("tpsifio.kv"), "--input", "1234", "--vars", table}).exitCode, 0);
    QFile file(table);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0], QStringLiteral("BHM/MET\tΧ\tΨ"));
    QCOMPARE(rows[1], QStringLiteral("TEΛΙΚΕΣ\t1234\t4"));
    QCOMPARE(rows[2], QStringLiteral("Βήμα:002\t1234\t"));
    QCOMPARE(rows[3], QStringLiteral("Βήμα:003\t1234\t"));
    QCOMPARE(rows[4], QStringLiteral("Βήμα:004\t\t4"));
}

void TestCli::canonAndEval() {
    const Outcome canon = cli({"canon", "x <-- y mod 2", "Π[Ι,Κ]"});
    QCOMPARE(canon.out, QStringLiteral("Χ <-- Υ MOD 2\t0\nΠ[Ι,Κ]\t-1\n"));
    const Outcome eval = cli({"eval", "Α+Β*2", "Α=3", "Β=4"});
    QCOMPARE(eval.exitCode, 0);
    QCOMPARE(eval.out, QStringLiteral("11\n3+4*2\n"));
    const Outcome undefined = cli({"eval", "Χ+1"});
    QCOMPARE(undefined.out, QStringLiteral("1\n0+1\n"));
    QVERIFY(undefined.err.contains(QStringLiteral("Μεταβλητή : Χ - μη ορισμένη!")));
    QCOMPARE(cli({"eval", "Β^2-4*Α*Γ", "Α=1", "Β=-5", "Γ=6"}).out,
             QStringLiteral("1\n(-5)^2-4*1*6\n"));
    QCOMPARE(cli({"eval", "ΤΥΧΑΙΟΣ(1000)", "--seed", "9"}).out,
             cli({"eval", "ΤΥΧΑΙΟΣ(1000)", "--seed", "9"}).out);
}

void TestCli::resaveKeepsTheBytes() {
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.kv");
    QCOMPARE(cli({"resave", example("maxabc.kv"), copy}).exitCode, 0);
    QFile original(example("maxabc.kv")), saved(copy);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), original.readAll());
    QFile broken(dir.filePath("broken.kv"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not a diagram\r\n");
    broken.close();
    const Outcome refused = cli({"resave", broken.fileName(), dir.filePath("x.kv")});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(refused.err.contains(QStringLiteral("Δεν είναι αρχείο αναγνώσιμο !")));
    QVERIFY(!QFile::exists(dir.filePath("x.kv")));
}

void TestCli::convertPrintsTheWindowText() {
    const Outcome pseudo = cli({"convert", example("tpsifio.kv"), "--to", "pseudo"});
    QCOMPARE(pseudo.exitCode, 0);
    QCOMPARE(pseudo.out, QStringLiteral("ΑΛΓΟΡΙΘΜΟΣ Α1\r\n    ΔΙΑΒΑΣΕ Χ\r\n    Χ <-- Α_Τ(Χ)\r\n"
                                        "    Ψ <-- Χ MOD 10\r\n"
                                        "    ΓΡΑΨΕ \"ΤΟ ΤΕΛΕΥΤΑΙΟ ΨΗΦΙΟ ΕΙΝΑΙ\",Ψ\r\n"
                                        "ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ\r\n\r\n"));
    const Outcome basic = cli({"convert", example("tpsifio.kv"), "--to", "basic"});
    QVERIFY(basic.out.startsWith(QStringLiteral("Private Sub A1\r\n")));
    QVERIFY(basic.out.contains(QStringLiteral("PS = X-(X\\10) * 10")));
    const Outcome pascal = cli({"convert", example("tpsifio.kv"), "--to", "pascal"});
    QVERIFY(pascal.out.startsWith(QStringLiteral("program A1;\r\n")));
    // A flowchart that breaks the structure converts in part, says where and exits 1; a jump
    // into a loop is named as such.
    for (const char* target : {"pseudo", "pascal"}) {
        const Outcome broken =
            cli({"convert", QStringLiteral(KELVRA_TEST_DATA "/jump_into_loop.kv"), "--to", target});
        QCOMPARE(broken.exitCode, 1);
        QVERIFY2(broken.err.contains(QStringLiteral("Η εντολή 5 σπάει τη δομή του διαγράμματος: "
                                                    "η ροή μπαίνει στον βρόχο από τη μέση του")),
                 qPrintable(broken.err));
    }
}

void TestCli::usage() {
    QCOMPARE(cli({}).exitCode, 2);
    QCOMPARE(cli({"convert", example("fibo.kv"), "--to", "cobol"}).exitCode, 2);
    QCOMPARE(cli({"run"}).exitCode, 2);
    QCOMPARE(cli({"--version"}).out, QStringLiteral("kelvra-cli " KELVRA_VERSION "\n"));
}

void TestCli::giantPictureRefused() {
    QTemporaryDir dir;
    const QString picture = dir.filePath("giant.png");
    const Outcome render = cli({"render", dataFile("giant_sizes.kv"), picture});
    QCOMPARE(render.exitCode, 1);
    QVERIFY2(render.err.contains(QStringLiteral("πολύ μεγάλο για εικόνα")), qPrintable(render.err));
    QVERIFY(!QFile::exists(picture));
    QCOMPARE(cli({"render", example("maxabc.kv"), picture}).exitCode, 0);
    QVERIFY(QFile::exists(picture));
}

void TestCli::wideVariablesTableStaysLinear() {
    // Α[Ι] <-- Ι for 2,100 indices: 2,103 columns by 6,300 rows as a grid (each round
    // records the test, the element and Ι).
    QTemporaryDir dir;
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    const QString s = b.start(), i = b.assign("Ι", "1"), j = b.junction();
    const QString w = b.whileTest("Ι<=2100"), a = b.assign("Α[Ι]", "Ι");
    const QString next = b.assign("Ι", "Ι+1"), e = b.end();
    b.chain({s, i, j, w});
    b.link(w, a, "Ν");
    b.chain({a, next, j});
    b.link(w, e, "Ο");
    const QString diagram = dir.filePath("wide.kv");
    QVERIFY(headless.save(diagram));
    const QString table = dir.filePath("vars.tsv");
    const Outcome run = cli({"run", diagram, "--vars", table});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.contains(QStringLiteral("μία τιμή σε κάθε γραμμή")));
    QFile file(table);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 2 + 1 + 3 * 2100 + 1);
    QCOMPARE(rows[0].count('\t'), 2102);
    QCOMPARE(rows[2], QStringLiteral("Βήμα:002\tΙ\t1"));
    QCOMPARE(rows[4], QStringLiteral("Βήμα:005\tΑ[1]\t1"));
    QVERIFY(file.size() < 4 * 1024 * 1024);
}

// A saved diagram whose outputs are a lone message and a table element, run by the tool.
void TestCli::messagesAndElementsPrint() {
    QTemporaryDir dir;
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    b.chain({b.start(), b.assign("Ι", "1"), b.assign("Κ", "2"), b.assign("Π[Ι,Κ]", "7"),
             b.write("\"ΜΕΓΑΛΟ\""), b.write("Π[Ι", "Κ]"), b.write("\"ΤΙΜΗ\"", "Π[Ι,Κ]"), b.end()});
    const QString diagram = dir.filePath("outputs.kv");
    QVERIFY(headless.save(diagram));
    const Outcome run = cli({"run", diagram});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("\r\n\"ΜΕΓΑΛΟ\"\r\n     7\r\n\"ΤΙΜΗ\"     7"));
}

void TestCli::traceTable_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("expected"); // checked by hand against the exam's form
    QTest::newRow("a loop") << "parago.kv" << QStringList{"3"} << "trace/parago_3.csv";
    QTest::newRow("a decision") << "artios-peritos.kv" << QStringList{"7"}
                                << "trace/artios-peritos_7.csv";
    QTest::newRow("the largest of three")
        << "maxabc.kv" << QStringList{"4", "9", "2"} << "trace/maxabc_4_9_2.csv";
}

// The exam's trace table, a row per command executed, written as the run goes.
void TestCli::traceTable() {
    QFETCH(QString, diagram);
    QFETCH(QStringList, input);
    QFETCH(QString, expected);
    QStringList inputs;
    for (const QString& value : input)
        inputs << "--input" << value;
    QTemporaryDir dir;
    const QString trace = dir.filePath("pinakas.csv");
    QCOMPARE(
        cli(QStringList{"run", example(diagram)} + inputs + QStringList{"--trace", trace}).exitCode,
        0);
    QFile written(trace), wanted(dataFile(expected));
    QVERIFY(written.open(QIODevice::ReadOnly) && wanted.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), wanted.readAll());
    // A trace that cannot be written is said, with the exit of an unusable file.
    QCOMPARE(
        cli(QStringList{"run", example(diagram)} + inputs + QStringList{"--trace", "/proc/x/x.csv"})
            .exitCode,
        2);
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"

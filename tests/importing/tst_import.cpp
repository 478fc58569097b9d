#include "codegen/FlowchartCases.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/codegen/PseudoLines.h"
#include "core/exercise/OutputComparison.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/LineGeometry.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Ran {
    int exitCode;
    QString out, err;
};

Ran cli(const QStringList& arguments) {
    QProcess process;
    process.start(KELVRA_CLI, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {-1, {}, {}};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString run(const QString& diagram, const QStringList& inputs) {
    QStringList arguments{"run", diagram};
    for (const QString& input : inputs)
        arguments << "--input" << input;
    return cli(arguments).out;
}

QRectF rectOf(const cBck& b) {
    return {b.shapeLeft(), b.shapeTop(), double(b.shapeWidth()), double(b.shapeHeight())};
}

bool crosses(const QLineF& line, const QRectF& rect) {
    // Sampled finely enough for blocks at least ten points wide.
    for (int i = 0; i <= 200; ++i)
        if (rect.contains(line.pointAt(i / 200.0)))
            return true;
    return false;
}

// Why the layout of a diagram is not as a teacher would draw it, or an empty text.
QString layoutFault(const QString& path) {
    HeadlessDiagram headless;
    if (!headless.load(path))
        return QStringLiteral("does not load");
    const Diagram& diagram = headless.diagram();
    std::vector<const cBck*> blocks;
    for (const auto& b : diagram.the_bl_co())
        blocks.push_back(b.get());
    for (size_t i = 0; i < blocks.size(); ++i)
        for (size_t k = i + 1; k < blocks.size(); ++k)
            if (rectOf(*blocks[i]).intersects(rectOf(*blocks[k])))
                return blocks[i]->tagid() + " overlaps " + blocks[k]->tagid();
    for (const auto& line : diagram.the_li_co()) {
        const cBck* from = diagram.the_bl_co().Item(line->sFrom());
        const cBck* to = diagram.the_bl_co().Item(line->sTo());
        const QLineF segment = LineGeometry::route(rectOf(*from), rectOf(*to));
        for (const cBck* b : blocks)
            if (b != from && b != to && crosses(segment, rectOf(*b).adjusted(1, 1, -1, -1)))
                return "the line " + from->tagid() + "-" + to->tagid() + " crosses " + b->tagid();
    }
    return {};
}

} // namespace

// Program texts made into flowcharts through kelvra-cli import: Kelvra's own pseudo-language
// comes back as it was, school-book programs print what they mean, and every layout is
// clear.
class TestImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void roundTrip_data();
    void roundTrip();
    void schoolPrograms_data();
    void schoolPrograms();
    void mistakes_data();
    void mistakes();

private:
    QTemporaryDir m_dir;
};

void TestImport::roundTrip_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QStringList>("inputs");
    int n = 0;
    for (const FlowchartCases::Case& c : FlowchartCases::cases()) {
        HeadlessDiagram headless;
        PlanDrawer(headless.diagram()).draw(c.program);
        const QString path = m_dir.filePath(QStringLiteral("plan%1.kv").arg(++n));
        QVERIFY(headless.save(path));
        QTest::newRow(c.name) << path << c.inputs;
    }
    for (const QString& file : QDir(KELVRA_EXAMPLES_DIR).entryList({"*.kv"}))
        QTest::newRow(qPrintable(file))
            << QStringLiteral(KELVRA_EXAMPLES_DIR "/") + file << FlowchartCases::exampleInputs();
}

// Flowchart → pseudo-language → import → pseudo-language gives the same text, and the
// imported flowchart prints what the original prints.
void TestImport::roundTrip() {
    QFETCH(QString, diagram);
    QFETCH(QStringList, inputs);
    const QString base = m_dir.filePath(QFileInfo(diagram).completeBaseName());
    const Ran pseudo = cli({"convert", diagram, "--to", "pseudo"});
    QFile text(base + ".txt");
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(pseudo.out.toUtf8());
    text.close();
    const Ran imported = cli({"import", base + ".txt", base + ".imported.kv"});
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
    QCOMPARE(cli({"convert", base + ".imported.kv", "--to", "pseudo"}).out, pseudo.out);
    // The pseudo-language writes messages in its own letters (no "!"): so do both runs.
    QCOMPARE(PseudoLines::finishLine(run(base + ".imported.kv", inputs)),
             PseudoLines::finishLine(run(diagram, inputs)));
    const QString fault = layoutFault(base + ".imported.kv");
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestImport::schoolPrograms_data() {
    QTest::addColumn<QString>("program");
    const QDir data(QStringLiteral(KELVRA_TEST_DATA "/import"));
    for (const QString& file : data.entryList({"*.txt"}))
        QTest::newRow(qPrintable(file)) << data.filePath(file);
}

// Each program has beside it its cases: "<" and the inputs, then the output it must print.
void TestImport::schoolPrograms() {
    QFETCH(QString, program);
    const QString diagram = m_dir.filePath(QFileInfo(program).completeBaseName() + ".kv");
    const Ran imported = cli({"import", program, diagram});
    QVERIFY2(imported.exitCode == 0, qPrintable(imported.err));
    const QString fault = layoutFault(diagram);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QFile cases(QString(program).replace(".txt", ".io"));
    QVERIFY(cases.open(QIODevice::ReadOnly));
    const QStringList sections = QString::fromUtf8(cases.readAll()).split("---\n");
    QVERIFY(!sections.isEmpty());
    for (const QString& section : sections) {
        const QString inputs = section.section('\n', 0, 0);
        QVERIFY(inputs.startsWith('<'));
        const QString expected = section.section('\n', 1).chopped(1); // the file's last break
        QCOMPARE(
            OutputComparison::shown(run(diagram, inputs.mid(1).split(' ', Qt::SkipEmptyParts))),
            expected);
    }
}

void TestImport::mistakes_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("no ΤΟΤΕ, no ΕΠΑΝΑΛΑΒΕ, all said at once")
        << "ΔΙΑΒΑΣΕ Χ\nΑΝ Χ > 0\n  ΓΡΑΨΕ Χ\nΤΕΛΟΣ_ΑΝ\nΟΣΟ Χ > 0\n  Χ <- Χ - 1\nΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"
        << QStringList{"Γραμμή 2: περίμενα ΤΟΤΕ μετά τη συνθήκη",
                       "Γραμμή 5: περίμενα ΕΠΑΝΑΛΑΒΕ μετά τη συνθήκη"};
    QTest::newRow("a block that does not close")
        << "ΑΛΓΟΡΙΘΜΟΣ Α\nΑΝ Χ > 0 ΤΟΤΕ\n  ΓΡΑΨΕ Χ\nΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ"
        << QStringList{"Γραμμή 2: η εντολή «ΑΝ» δεν κλείνει: λείπει «ΤΕΛΟΣ_ΑΝ»"};
    QTest::newRow("a closing without its opening")
        << "ΓΡΑΨΕ 1\nΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"
        << QStringList{"Γραμμή 2: «ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ» χωρίς την εντολή που ανοίγει"};
    QTest::newRow("an expression and a statement that cannot be read")
        << "Χ <- 3 +\nΠΗΓΑΙΝΕ 10\n5 <- Χ"
        << QStringList{"Γραμμή 1: «3 +»: η έκφραση τελειώνει πριν από την ώρα της",
                       "Γραμμή 2: δεν καταλαβαίνω την εντολή «ΠΗΓΑΙΝΕ 10»",
                       "Γραμμή 3: «5» δεν είναι όνομα μεταβλητής ή στοιχείο πίνακα"};
    QTest::newRow("nesting deeper than any program")
        << QString("ΑΝ Χ > 0 ΤΟΤΕ\n").repeated(5000) + QString("ΤΕΛΟΣ_ΑΝ\n").repeated(5000)
        << QStringList{"Γραμμή 100: οι δομές μπαίνουν η μία μέσα στην άλλη πάνω από 100 φορές"};
    QTest::newRow("a ΓΙΑ without ΑΠΟ")
        << "ΓΙΑ Ι ΜΕΧΡΙ 5\n  ΓΡΑΨΕ Ι\nΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ"
        << QStringList{"Γραμμή 1: περίμενα ΓΙΑ μεταβλητή ΑΠΟ αρχή ΜΕΧΡΙ τέλος [ΜΕ_ΒΗΜΑ βήμα]"};
}

// Every line that cannot be read is named at once, and no diagram is written.
void TestImport::mistakes() {
    QFETCH(QString, program);
    QFETCH(QStringList, errors);
    const QString text = m_dir.filePath("mistake.txt");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(program.toUtf8());
    file.close();
    const QString diagram = m_dir.filePath("mistake.kv");
    const Ran imported = cli({"import", text, diagram});
    QCOMPARE(imported.exitCode, 1);
    QStringList said = imported.err.split('\n', Qt::SkipEmptyParts);
    said.removeIf([](const QString& line) { return !line.startsWith("Γραμμή"); });
    QCOMPARE(said, errors);
    QVERIFY(!QFile::exists(diagram));
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"

#include "FlowchartCases.h"
#include "core/codegen/ProgramTextConversions.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/codegen/PseudoLines.h"
#include "core/execution/ScriptEngine.h"
#include "core/execution/TranslationSteps.h"
#include "core/files/HeadlessDiagram.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using FlowchartCases::Case;
using FlowchartCases::cases;

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

// Runs the BASIC of a program without loops or decisions (inputs, assignments, outputs): each
// expression, its names given their values, is computed by the scripting language whose
// operators and precedence BASIC's share. What it prints, or the line it could not compute.
QString runStraightBasic(const QString& basic, QStringList inputs) {
    static const QRegularExpression name(QStringLiteral("\\b[A-Z_][A-Z0-9_]*\\b"));
    static const QSet<QString> words = {"MOD", "AND", "OR", "NOT", "INT", "ABS", "SQR"};
    QHash<QString, QString> values;
    const auto computed = [&](const QString& expression) -> std::optional<QString> {
        QString text = expression;
        auto found = name.globalMatch(expression);
        QList<QRegularExpressionMatch> names;
        while (found.hasNext())
            names.prepend(found.next()); // from the right, so positions stay valid
        for (const auto& match : names) {
            if (!words.contains(match.captured()))
                text.replace(match.capturedStart(), match.capturedLength(),
                             QLatin1Char('(') + values.value(match.captured(), "0") +
                                 QLatin1Char(')'));
        }
        const auto value = ScriptEngine::evaluate(text);
        return value ? std::optional(TranslationSteps::resultText(*value)) : std::nullopt;
    };
    QString printed;
    for (QString line : basic.split(QStringLiteral("\r\n"))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QStringLiteral("Private Sub")) ||
            line == QStringLiteral("End Sub"))
            continue;
        if (line.startsWith(QStringLiteral("PRINT "))) {
            QStringList items;
            for (const QString& item : line.mid(6).split(QStringLiteral("; "))) {
                const std::optional<QString> value =
                    item.startsWith('"') ? std::optional(item) : computed(item);
                if (!value)
                    return QStringLiteral("not computed: ") + line;
                items << *value;
            }
            printed += items.join(QLatin1Char(' ')) + QLatin1Char('\n');
            continue;
        }
        const qsizetype equals = line.indexOf(QStringLiteral(" = "));
        if (equals < 0)
            return QStringLiteral("not a straight program: ") + line;
        const QString expression = line.mid(equals + 3);
        const std::optional<QString> value = expression.startsWith(QStringLiteral("InputBox"))
                                                 ? std::optional(inputs.takeFirst())
                                                 : computed(expression);
        if (!value)
            return QStringLiteral("not computed: ") + line;
        values[line.left(equals)] = *value;
    }
    return printed;
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
    void basicComputesTheSame_data();
    void basicComputesTheSame();

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
    const QStringList exampleInputs = FlowchartCases::exampleInputs();
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
    const QStringList expected = lines(PseudoLines::finishLine(ran.out));
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

void TestWrittenPrograms::basicComputesTheSame_data() {
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QStringList>("inputs");
    const std::vector<Case> all = cases();
    for (const char* straight : {"tricky expressions", "decimals and signs", "div and mod",
                                 "power keeps the evaluator's order", "functions"}) {
        const auto c = std::find_if(all.begin(), all.end(),
                                    [&](const Case& c) { return qstrcmp(c.name, straight) == 0; });
        QVERIFY(c != all.end());
        HeadlessDiagram headless;
        PlanDrawer(headless.diagram()).draw(c->program);
        const QString path = m_dir.filePath(QString::fromUtf8(straight) + ".kv");
        QVERIFY(headless.save(path));
        for (const char* x : {"2000", "7", "-13", "2.5"}) {
            QTest::addRow("%s, %s", straight, x) << path << QStringList{x};
        }
    }
}

void TestWrittenPrograms::basicComputesTheSame() {
    QFETCH(QString, diagram);
    QFETCH(QStringList, inputs);
    const Ran converted = runProgram(KELVRA_CLI, {"convert", diagram, "--to", "basic"}, {});
    QCOMPARE(converted.exitCode, 0);
    const Ran ran = reference(diagram, inputs);
    QCOMPARE(ran.exitCode, 0);
    const QStringList expected = lines(ran.out);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(lines(runStraightBasic(converted.out, inputs)), expected);
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

// kelvra-cli: runs, converts and checks diagrams without a window, with the editor's own code.
#include "cli/ExerciseCommands.h"
#include "core/codegen/ProgramTextConversions.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/codegen/PseudoProgram.h"
#include "core/drawing/DiagramRenderer.h"
#include "core/editor/CanonicalText.h"
#include "core/execution/ExpressionEvaluator.h"
#include "core/execution/HeadlessRun.h"
#include "core/execution/RandomSource.h"
#include "core/execution/TraceTable.h"
#include "core/execution/VariableStore.h"
#include "core/files/DiagramExport.h"
#include "core/files/HeadlessDiagram.h"
#include "core/importing/ProgramImport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

int usage(QTextStream& err) {
    err << "Χρήση:\n"
           "  kelvra-cli --version\n"
           "  kelvra-cli canon ΚΕΙΜΕΝΟ...\n"
           "  kelvra-cli resave ΑΡΧΕΙΟ.kv ΝΕΟ.kv\n"
           "  kelvra-cli render ΑΡΧΕΙΟ.kv ΕΙΚΟΝΑ.png|.svg|.pdf\n"
           "  kelvra-cli eval ΕΚΦΡΑΣΗ [ΟΝΟΜΑ=ΤΙΜΗ ...] [--seed Ν]\n"
           "  kelvra-cli run ΑΡΧΕΙΟ.kv [--input ΚΕΙΜΕΝΟ]... [--seed Ν] [--max-steps Ν]\n"
           "                 [--max-seconds Ν] [--vars ΠΙΝΑΚΑΣ.tsv] [--trace ΠΙΝΑΚΑΣ.csv]\n"
           "  kelvra-cli convert ΑΡΧΕΙΟ.kv --to pseudo|basic|pascal|python|glossa\n"
        << "  kelvra-cli import ΠΡΟΓΡΑΜΜΑ.txt ΔΙΑΓΡΑΜΜΑ.kv\n"
        << ExerciseCommands::usageLines();
    return 2;
}

// One line per text: its canonical form, a tab, and -1 when it is a variable name, else 0.
int canon(const QStringList& texts, QTextStream& out) {
    for (const QString& text : texts)
        out << ucase_en_gr(text) << '\t' << (IS_NAME_VAR(text) ? "-1" : "0") << '\n';
    return 0;
}

void printMessages(const HeadlessDiagram& headless, QTextStream& err) {
    for (const QString& message : headless.messages())
        err << message << '\n';
    err.flush();
}

bool loadOrReport(HeadlessDiagram& headless, const QString& path, QTextStream& err) {
    if (headless.load(path))
        return true;
    printMessages(headless, err);
    return false;
}

// Loads as the editor's Open does and saves as its Save does.
int resave(const QStringList& args, QTextStream& err) {
    if (args.size() != 2)
        return usage(err);
    HeadlessDiagram headless;
    if (!loadOrReport(headless, args[0], err))
        return 1;
    const bool saved = headless.save(args[1]);
    printMessages(headless, err);
    return saved ? 0 : 1;
}

// Draws the diagram as the canvas shows it: PNG, SVG or PDF by the extension.
int render(const QStringList& args, QTextStream& err) {
    if (args.size() != 2)
        return usage(err);
    HeadlessDiagram headless;
    if (!loadOrReport(headless, args[0], err))
        return 1;
    const QString error = DiagramExport::write(headless.diagram(), headless.canvas(), args[1],
                                               QFileInfo(args[0]).fileName());
    printMessages(headless, err);
    if (!error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    return 0;
}

// Prints the messages of a run as they come, to standard error.
class StderrSink : public MessageSink {
public:
    explicit StderrSink(QTextStream& err) : m_err(err) {}
    void showMessage(const QString& text) override {
        m_err << text << '\n';
        m_err.flush();
    }

private:
    QTextStream& m_err;
};

// Sets the variables in the order given, then prints the value and the translated text.
int eval(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.isEmpty())
        return usage(err);
    StderrSink sink(err);
    VariableStore variables(sink);
    RandomSource random;
    QStringList assignments = args.mid(1);
    const qsizetype seedAt = assignments.indexOf(QStringLiteral("--seed"));
    if (seedAt >= 0) {
        bool ok = false;
        const qulonglong seed = assignments.value(seedAt + 1).toULongLong(&ok);
        if (!ok)
            return usage(err);
        random.setFixedSeed(seed);
        assignments.remove(seedAt, 2);
    }
    for (const QString& assignment : assignments) {
        const qsizetype equals = assignment.indexOf(QLatin1Char('='));
        if (equals <= 0)
            return usage(err);
        variables.setVar(assignment.left(equals), assignment.mid(equals + 1), QStringLiteral("id0"),
                         assignment.mid(equals + 1));
    }
    ExpressionEvaluator evaluator(variables, random);
    QString translated;
    const QString value = evaluator.evalExpr(args.first(), &translated);
    out << value << '\n' << translated << '\n';
    if (!evaluator.failureReason().isEmpty())
        err << evaluator.failureReason() << '\n';
    return 0;
}

// Answers the input box from the given answers, then from lines of standard input; message
// boxes are written to standard error.
class CliQuestions : public ModalQuestions {
public:
    CliQuestions(QStringList answers, QTextStream& err)
        : m_answers(std::move(answers)), m_err(err) {}

    Answer messageBox(const QString& text, const QString&, Buttons buttons) override {
        m_err << text << '\n';
        m_err.flush();
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        if (m_stdin.atEnd()) {
            m_exhausted = true;
            return std::nullopt;
        }
        return m_stdin.readLine();
    }
    QString openFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    std::optional<QColor> color(const QColor&, const QString&) override { return std::nullopt; }
    std::optional<QFont> font(const QFont&, const QString&) override { return std::nullopt; }
    bool canAskAgain() const override { return !m_exhausted || !m_answers.isEmpty(); }

private:
    QStringList m_answers;
    QTextStream& m_err;
    QTextStream m_stdin{stdin};
    bool m_exhausted = false;
};

// Above this many cells the table is written one value a row, so that the file grows with
// the number of steps only.
constexpr qint64 maxTableCells = 4 * 1024 * 1024;

QString tableRow(const VariableStore& store, int row) {
    QStringList cells;
    for (int column = 0; column < store.columnCount(); ++column)
        cells << store.valueCell(row, column);
    return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

// One history row as step, variable and value; the two first rows stay whole.
QString longRow(const VariableStore& store, int row) {
    const int column = store.historyColumn(row);
    return store.valueCell(row, 0) + QLatin1Char('\t') + store.valueCell(0, column) +
           QLatin1Char('\t') + store.valueCell(row, column) + QLatin1Char('\n');
}

bool writeVariables(const VariableStore& store, const QString& path, QTextStream& err) {
    const bool wide = qint64(store.rowCount()) * store.columnCount() > maxTableCells;
    if (wide)
        err << "Ο πίνακας μεταβλητών είναι πολύ μεγάλος για στήλες: γράφεται μία τιμή σε "
               "κάθε γραμμή (βήμα, μεταβλητή, τιμή).\n";
    // Written a piece at a time into a file that takes the name at the end, like the trace:
    // a long run's table never has to fit in memory twice.
    constexpr qsizetype pieceBytes = 1 << 20;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    QByteArray piece;
    for (int row = 0; ok && row < store.rowCount(); ++row) {
        piece += (wide && row >= 2 ? longRow(store, row) : tableRow(store, row)).toUtf8();
        if (piece.size() >= pieceBytes || row == store.rowCount() - 1) {
            ok = file.write(piece) == piece.size();
            piece.clear();
        }
    }
    if (ok && file.commit())
        return true;
    err << file.errorString() << '\n';
    return false;
}

// Runs the diagram as the run button would. Exit: 0 the end block, 1 a failed run, 2 usage
// or an unreadable file, 3 the step or time limit, 4 an input that got no answer.
int run(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString path, varsPath, tracePath;
    QStringList answers;
    long long maxSteps = 1000000;
    double maxSeconds = 60;
    std::optional<qulonglong> seed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (arg == QStringLiteral("--input") && hasValue)
            answers << args[++i];
        else if (arg == QStringLiteral("--seed") && hasValue)
            seed = args[++i].toULongLong(&ok);
        else if (arg == QStringLiteral("--max-steps") && hasValue)
            maxSteps = args[++i].toLongLong(&ok);
        else if (arg == QStringLiteral("--max-seconds") && hasValue) {
            maxSeconds = args[++i].toDouble(&ok);
            ok = ok && maxSeconds > 0 && maxSeconds < 1e9;
        } else if (arg == QStringLiteral("--vars") && hasValue)
            varsPath = args[++i];
        else if (arg == QStringLiteral("--trace") && hasValue)
            tracePath = args[++i];
        else if (path.isEmpty() && !arg.startsWith(QStringLiteral("--")))
            path = arg;
        else
            ok = false;
        if (!ok)
            return usage(err);
    }
    if (path.isEmpty())
        return usage(err);
    HeadlessDiagram headless;
    if (!headless.load(path)) {
        printMessages(headless, err);
        return 2;
    }
    printMessages(headless, err);
    StderrSink sink(err);
    CliQuestions questions(answers, err);
    HeadlessRun runner(headless.diagram(), questions, sink);
    if (seed)
        runner.random().setFixedSeed(*seed);
    // The trace goes to a temporary file as the run goes, and takes the name at the end.
    QSaveFile trace(tracePath);
    std::optional<TraceWriter> traceWriter;
    if (!tracePath.isEmpty()) {
        if (!trace.open(QIODevice::WriteOnly)) {
            err << "Δεν ήταν δυνατό να γραφτεί ο πίνακας τιμών " << tracePath << ": "
                << trace.errorString() << '\n';
            return 2;
        }
        traceWriter.emplace(trace);
        runner.watchSteps([&](const cBck& block, long long, const QString& written) {
            traceWriter->step(block, runner.interpreter().lastChange(), written);
        });
    }
    const HeadlessRun::Result result = runner.run(maxSteps, qint64(maxSeconds * 1000));
    if (traceWriter && (!traceWriter->ok() || !trace.commit())) {
        err << "Δεν ήταν δυνατό να γραφτεί ο πίνακας τιμών " << tracePath << ": "
            << trace.errorString() << '\n';
        return 2;
    }
    out << runner.interpreter().output();
    out.flush();
    if (!varsPath.isEmpty() && !writeVariables(runner.variables(), varsPath, err)) {
        err << "Δεν ήταν δυνατό να γραφτεί ο πίνακας " << varsPath << '\n';
        return 2;
    }
    if (result.stepLimitReached) {
        err << "Η εκτέλεση σταμάτησε μετά από " << result.steps << " βήματα.\n";
        return 3;
    }
    if (result.timeLimitReached) {
        err << "Η εκτέλεση σταμάτησε μετά από " << maxSeconds << " δευτερόλεπτα (" << result.steps
            << " βήματα).\n";
        return 3;
    }
    switch (result.outcome) {
    case Interpreter::Outcome::Succeeded:
        return 0;
    case Interpreter::Outcome::NoInput:
        err << "Δεν δόθηκε τιμή για την είσοδο.\n";
        return 4;
    default:
        return 1;
    }
}

// Prints the program text as the program text window shows it after the conversion.
int convert(const QStringList& args, QTextStream& out, QTextStream& err) {
    using Conversion = ProgramTextConversions::Result (*)(const QString&);
    static const QHash<QString, Conversion> conversions = {
        {QStringLiteral("basic"), ProgramTextConversions::toBasic},
        {QStringLiteral("pascal"), ProgramTextConversions::toPascal},
        {QStringLiteral("python"), ProgramTextConversions::toPython},
        {QStringLiteral("glossa"), ProgramTextConversions::toGlossa}};
    if (args.size() != 3 || args[1] != QStringLiteral("--to"))
        return usage(err);
    const QString target = args[2];
    if (target != QStringLiteral("pseudo") && !conversions.contains(target))
        return usage(err);
    HeadlessDiagram headless;
    if (!headless.load(args[0])) {
        printMessages(headless, err);
        return 2;
    }
    PseudoCodeGenerator generator;
    // The languages that print messages print them as typed.
    const bool typedMessages =
        target == QStringLiteral("python") || target == QStringLiteral("glossa");
    const std::optional<QString> pseudo =
        typedMessages ? generator.generateWithTypedMessages(headless.diagram())
                      : generator.generate(headless.diagram());
    if (!pseudo) {
        err << "Πρόβλημα στην δομή του αλγόριθμου\n";
        return 1;
    }
    QString text = ProgramTextConversions::indent(*pseudo);
    // A flowchart that breaks the structure of the language converts only in part.
    const QStringList broken = PseudoProgram::structureProblems(*pseudo);
    bool failed = !broken.isEmpty();
    if (failed)
        err << ProgramTextConversions::problemsMessage(broken) << '\n';
    if (target != QStringLiteral("pseudo")) {
        const auto converted = conversions.value(target)(text);
        if (converted.status == ProgramTextConversions::Result::Status::Failed) {
            err << ProgramTextConversions::failureMessage() << '\n';
            failed = true;
        }
        if (!converted.problems.isEmpty()) {
            err << ProgramTextConversions::problemsMessage(converted.problems) << '\n';
            failed = true;
        }
        text = converted.text;
    }
    out << text;
    return failed ? 1 : 0;
}

// Makes a flowchart of a program text, as "Σε Διάγραμμα Ροής" does. Exit 1 with every line
// that could not be read, and nothing written.
int importProgram(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2)
        return usage(err);
    QFile file(args[0]);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "Δεν ανοίγει το " << args[0] << ": " << file.errorString() << '\n';
        return 2;
    }
    HeadlessDiagram headless;
    const ProgramImport::Result result =
        ProgramImport::import(QString::fromUtf8(file.readAll()), headless.diagram());
    if (!result.imported) {
        err << result.errors.join('\n') << '\n';
        return 1;
    }
    if (!headless.save(args[1])) {
        printMessages(headless, err);
        return 2;
    }
    out << "Γράφτηκε το διάγραμμα " << args[1] << " με " << headless.diagram().the_bl_co().Count()
        << " σχήματα.\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // Fonts and pictures need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    if (args.first() == QStringLiteral("--version")) {
        out << "kelvra-cli " << KELVRA_VERSION << "\n";
        return 0;
    }
    if (args.first() == QStringLiteral("canon"))
        return canon(args.mid(1), out);
    if (args.first() == QStringLiteral("resave"))
        return resave(args.mid(1), err);
    if (args.first() == QStringLiteral("render"))
        return render(args.mid(1), err);
    if (args.first() == QStringLiteral("eval"))
        return eval(args.mid(1), out, err);
    if (args.first() == QStringLiteral("run"))
        return run(args.mid(1), out, err);
    if (args.first() == QStringLiteral("convert"))
        return convert(args.mid(1), out, err);
    if (args.first() == QStringLiteral("exercise") && args.value(1) == QStringLiteral("make"))
        return ExerciseCommands::make(args.mid(2), out, err);
    if (args.first() == QStringLiteral("import"))
        return importProgram(args.mid(1), out, err);
    if (args.first() == QStringLiteral("check"))
        return ExerciseCommands::check(args.mid(1), out, err);
    if (args.first() == QStringLiteral("grade"))
        return ExerciseCommands::grade(args.mid(1), out, err);
    return usage(err);
}

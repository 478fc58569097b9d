#include "cli/ExerciseCommands.h"

#include "core/exercise/Exercise.h"
#include "core/exercise/ExerciseCheck.h"
#include "core/files/HeadlessDiagram.h"
#include "core/files/SafeSave.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace ExerciseCommands {

namespace {

int usage(QTextStream& err) {
    err << "Χρήση:\n" << usageLines();
    return 2;
}

bool loadDiagram(HeadlessDiagram& headless, const QString& path, QTextStream& err) {
    if (headless.load(path))
        return true;
    for (const QString& message : headless.messages())
        err << message << '\n';
    return false;
}

// A CSV cell: in quotes, with its quotes doubled.
QString cell(const QString& text) {
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

void progress(QTextStream& err, int done, int total) {
    constexpr int width = 30;
    const int filled = total > 0 ? done * width / total : width;
    err << '\r' << '[' << QString(filled, QLatin1Char('#')) << QString(width - filled, ' ') << "] "
        << done << '/' << total;
    if (done == total)
        err << '\n';
    err.flush();
}

// One pupil's row of the grades, from the JSON that `check --json` printed.
QString gradeRow(const QString& file, int exitCode, const QByteArray& json, long long maxSteps) {
    const QString name = QFileInfo(file).fileName();
    const QJsonObject report = QJsonDocument::fromJson(json).object();
    if (exitCode == 2 || report.isEmpty())
        return QStringList{cell(name),
                           "0",
                           "0",
                           cell(""),
                           "0",
                           cell(QStringLiteral("το αρχείο δεν διαβάζεται")),
                           cell(QStringLiteral("ΔΕΝ ΠΕΡΑΣΕ"))}
            .join(',');
    QStringList broken;
    for (const QJsonValue& rule : report.value("rules").toArray())
        if (!rule.toObject().value("kept").toBool())
            broken << rule.toObject().value("rule").toString();
    bool endless = false;
    for (const QJsonValue& c : report.value("cases").toArray())
        endless = endless || c.toObject().value("verdict").toString() == "endless";
    const QString note = endless ? QStringLiteral("σταμάτησε στα ") + QString::number(maxSteps) +
                                       QStringLiteral(" βήματα")
                                 : QString();
    return QStringList{cell(name),
                       QString::number(report.value("right_cases").toInt()),
                       QString::number(report.value("wrong_cases").toInt()),
                       cell(broken.isEmpty() ? QStringLiteral("ΤΗΡΟΥΝΤΑΙ")
                                             : QStringLiteral("ΔΕΝ ΤΗΡΕΙΤΑΙ: ") +
                                                   broken.join(QStringLiteral("; "))),
                       QString::number(qint64(report.value("steps").toDouble())),
                       cell(note),
                       cell(report.value("passed").toBool() ? QStringLiteral("ΠΕΡΑΣΕ")
                                                            : QStringLiteral("ΔΕΝ ΠΕΡΑΣΕ"))}
        .join(',');
}

} // namespace

QString usageLines() {
    return QStringLiteral(
        "  kelvra-cli exercise make ΛΥΣΗ.kv (--case [--input ΤΙΜΗ]... [--hidden] [--name "
        "ΟΝΟΜΑ])...\n"
        "                 -o ΑΣΚΗΣΗ.kva [--title ΤΙΤΛΟΣ] [--statement ΚΕΙΜΕΝΟ]\n"
        "                 [--compare numbers|words|exact] [--max-steps Ν] [--exam]\n"
        "                 [--needs loop,decision,input,output,array] [--max-blocks Ν]\n"
        "                 [--forbid ΛΕΞΗ]...\n"
        "  kelvra-cli check ΑΣΚΗΣΗ.kva ΜΑΘΗΤΗΣ.kv [--json]\n"
        "  kelvra-cli grade ΑΣΚΗΣΗ.kva ΑΡΧΕΙΟ.kv... -o ΒΑΘΜΟΙ.csv\n");
}

// Writes an exercise whose cases' outputs are what the teacher's solution prints.
int make(const QStringList& args, QTextStream& out, QTextStream& err) {
    Exercise exercise;
    QString solution, target;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        auto current = [&]() -> Exercise::Case& {
            if (exercise.cases.empty())
                exercise.cases.emplace_back();
            return exercise.cases.back();
        };
        bool ok = true;
        if (arg == "--case")
            exercise.cases.emplace_back();
        else if (arg == "--input" && hasValue)
            current().inputs << args[++i];
        else if (arg == "--hidden")
            current().hidden = true;
        else if (arg == "--name" && hasValue)
            current().name = args[++i];
        else if (arg == "-o" && hasValue)
            target = args[++i];
        else if (arg == "--title" && hasValue)
            exercise.title = args[++i];
        else if (arg == "--statement" && hasValue)
            exercise.statement = args[++i];
        else if (arg == "--exam")
            exercise.exam = true;
        else if (arg == "--max-steps" && hasValue)
            exercise.maxSteps = args[++i].toLongLong(&ok);
        else if (arg == "--max-blocks" && hasValue)
            exercise.rules.maxBlocks = args[++i].toInt(&ok);
        else if (arg == "--needs" && hasValue)
            exercise.rules.needs << args[++i].split(',', Qt::SkipEmptyParts);
        else if (arg == "--forbid" && hasValue)
            exercise.rules.forbid << args[++i];
        else if (arg == "--compare" && hasValue) {
            const QString how = args[++i];
            ok = how == "numbers" || how == "words" || how == "exact";
            exercise.compare = how == "words"   ? Exercise::Compare::Words
                               : how == "exact" ? Exercise::Compare::Exact
                                                : Exercise::Compare::Numbers;
        } else if (solution.isEmpty() && !arg.startsWith('-'))
            solution = arg;
        else
            ok = false;
        if (!ok || exercise.maxSteps < 1)
            return usage(err);
    }
    if (solution.isEmpty() || target.isEmpty() || exercise.cases.empty())
        return usage(err);
    // The file is checked as `check` will read it: the rules must be ones it knows.
    const ExerciseFile::Read checked = ExerciseFile::read(ExerciseFile::write(exercise));
    if (!checked.exercise) {
        err << checked.error << '\n';
        return 2;
    }
    HeadlessDiagram headless;
    if (!loadDiagram(headless, solution, err))
        return 2;
    for (size_t i = 0; i < exercise.cases.size(); ++i) {
        Exercise::Case& c = exercise.cases[i];
        const ExerciseCheck::CaseResult result =
            ExerciseCheck::run(headless.diagram(), c.inputs, exercise.maxSteps);
        if (!result.right()) {
            err << "Η λύση δεν τελείωσε σωστά στην περίπτωση " << (i + 1) << ": "
                << (result.reason.isEmpty() ? QStringLiteral("δεν έφτασε στο Τέλος")
                                            : result.reason)
                << '\n';
            return 1;
        }
        c.output = result.output;
    }
    const SafeSave::Result saved = SafeSave::writeFile(target, ExerciseFile::write(exercise));
    if (!saved.ok) {
        err << saved.error << '\n';
        return 2;
    }
    out << "Γράφτηκε η άσκηση " << target << " με " << exercise.cases.size() << " περιπτώσεις.\n";
    return 0;
}

int check(const QStringList& args, QTextStream& out, QTextStream& err) {
    const bool asJson = args.contains(QStringLiteral("--json"));
    QStringList files = args;
    files.removeAll(QStringLiteral("--json"));
    if (files.size() != 2)
        return usage(err);
    const ExerciseFile::Read read = ExerciseFile::load(files[0]);
    if (!read.exercise) {
        err << read.error << '\n';
        return 2;
    }
    HeadlessDiagram headless;
    if (!loadDiagram(headless, files[1], err))
        return 2;
    ExerciseCheck::Report report = ExerciseCheck::check(*read.exercise, headless.diagram());
    report.notes = read.notes;
    report.changed = read.changed;
    if (asJson)
        out << QJsonDocument(ExerciseCheck::json(*read.exercise, report)).toJson();
    else
        out << ExerciseCheck::lines(*read.exercise, report).join('\n') << '\n';
    return report.passed() ? 0 : 1;
}

// Checks every file with `check --json` in as many processes at once as there are cores:
// each check is independent, and a process keeps one pupil's endless loop from the rest.
int grade(const QStringList& args, QTextStream& out, QTextStream& err) {
    QString exercisePath, target;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            target = args[++i];
        else if (args[i].startsWith('-'))
            return usage(err);
        else if (exercisePath.isEmpty())
            exercisePath = args[i];
        else
            files << args[i];
    }
    if (exercisePath.isEmpty() || target.isEmpty() || files.isEmpty())
        return usage(err);
    const ExerciseFile::Read read = ExerciseFile::load(exercisePath);
    if (!read.exercise) {
        err << read.error << '\n';
        return 2;
    }
    for (const QString& note : read.notes)
        err << "Προσοχή: " << note << '\n';

    const bool terminal = isatty(fileno(stderr));
    const int parallel = std::max(1, QThread::idealThreadCount());
    std::vector<QString> rows(size_t(files.size()));
    std::vector<std::pair<qsizetype, std::unique_ptr<QProcess>>> running;
    qsizetype next = 0;
    int done = 0;
    while (next < files.size() || !running.empty()) {
        while (next < files.size() && int(running.size()) < parallel) {
            auto process = std::make_unique<QProcess>();
            process->start(QCoreApplication::applicationFilePath(),
                           {"check", exercisePath, files[next], "--json"});
            running.emplace_back(next++, std::move(process));
        }
        running.front().second->waitForFinished(20);
        for (auto it = running.begin(); it != running.end();) {
            QProcess& process = *it->second;
            if (process.state() != QProcess::NotRunning) {
                ++it;
                continue;
            }
            const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 2;
            rows[size_t(it->first)] = gradeRow(
                files[it->first], code, process.readAllStandardOutput(), read.exercise->maxSteps);
            it = running.erase(it);
            if (terminal)
                progress(err, ++done, int(files.size()));
        }
    }
    QString csv = QStringLiteral("\uFEFF") +
                  QStringList{"Αρχείο", "Σωστές περιπτώσεις", "Λάθος περιπτώσεις", "Κανόνες",
                              "Βήματα", "Σημείωση",           "Αποτέλεσμα"}
                      .join(',') +
                  QStringLiteral("\r\n");
    for (const QString& row : rows)
        csv += row + QStringLiteral("\r\n");
    const SafeSave::Result saved = SafeSave::writeFile(target, csv.toUtf8());
    if (!saved.ok) {
        err << saved.error << '\n';
        return 2;
    }
    out << "Βαθμολογήθηκαν " << files.size() << " αρχεία: " << target << '\n';
    return 0;
}

} // namespace ExerciseCommands

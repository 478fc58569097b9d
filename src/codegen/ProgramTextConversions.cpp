#include "codegen/ProgramTextConversions.h"

#include <QRegularExpression>
#include <QStringList>
#include <utility>

namespace ProgramTextConversions {

namespace {

const QString crlf = QStringLiteral("\r\n");
constexpr int maxRounds = 100000;

struct Failure {};

void replaceAll(QString& text, const char* find, const char* replacement) {
    text.replace(QString::fromUtf8(find), QString::fromUtf8(replacement));
}

// The text from `from` up to the next line break, which must exist.
QString lineFrom(const QString& text, qsizetype from) {
    const qsizetype end = text.indexOf(crlf, from);
    if (end < 0)
        throw Failure{};
    return text.mid(from, end - from);
}

void basicInputs(QString& t) {
    const QString read = QStringLiteral("DIABASE ");
    for (int round = 0; t.contains(read); ++round) {
        if (round > maxRounds)
            throw Failure{};
        const QString line = lineFrom(t, t.indexOf(read));
        QString prompt, variable;
        const qsizetype comma = line.indexOf(QStringLiteral(" , "));
        if (comma >= 0) {
            prompt = line.left(comma);
            prompt.remove(QStringLiteral("DIABASE"))
                .remove(QLatin1Char(' '))
                .remove(QLatin1Char('"'));
            variable = line.mid(comma);
            variable.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
        } else {
            prompt = QStringLiteral("..");
            variable = line.mid(line.indexOf(QLatin1Char(' ')) + 1);
        }
        t.replace(line,
                  variable + QStringLiteral(" = InputBox(\"") + prompt + QStringLiteral("\")"));
    }
}

// "A MOD B" becomes "A-(A\B) * B". False when the conversion must stop.
bool basicRemainders(QString& t) {
    const QString mod = QStringLiteral(" MOD ");
    for (int round = 0; t.contains(mod); ++round) {
        if (round > maxRounds)
            throw Failure{};
        const qsizetype first = t.indexOf(mod);
        const QString left = t.left(first);
        if (left.isEmpty())
            return false;
        const qsizetype space = left.lastIndexOf(QLatin1Char(' '));
        if (space < 0)
            throw Failure{}; // the left operand has no blank before it
        const QString a = left.mid(space + 1);
        qsizetype end = first + mod.size();
        while (end < t.size() && t[end] != QLatin1Char(' ') && t[end] != QLatin1Char('\r'))
            ++end;
        const QString b = t.mid(first + mod.size(), end - first - mod.size());
        const QString found = a + mod + b;
        if (!t.contains(found))
            throw Failure{};
        t.replace(found, a + QStringLiteral("-(") + a + QLatin1Char('\\') + b +
                             QStringLiteral(") * ") + b);
    }
    return true;
}

void pascalLineRewrites(QString& t) {
    for (const char* keyword : {"While ", "Until ", "If ", "For "}) {
        const QString k = QString::fromLatin1(keyword);
        const bool loopHead = k == QStringLiteral("While ") || k == QStringLiteral("For ");
        qsizetype p = 0;
        for (int round = 0; (p = t.indexOf(k, p)) >= 0; ++round) {
            if (round > maxRounds)
                throw Failure{};
            QString line = lineFrom(t, p);
            line.chop(1); // the statement's ";"
            QString replacement = loopHead ? line + QStringLiteral(" Do Begin") : line;
            if (k != QStringLiteral("For "))
                replacement.replace(QStringLiteral(":="), QStringLiteral("="));
            t.replace(line, replacement);
            p = t.indexOf(k, p) + 1;
        }
    }
}

void pascalInputs(QString& t) {
    const QString box = QStringLiteral("InputBox");
    for (int round = 0; t.contains(box); ++round) {
        if (round > maxRounds)
            throw Failure{};
        const qsizetype p = t.indexOf(box);
        QString tail = lineFrom(t, p);
        tail.chop(1);
        const qsizetype lineStart = t.lastIndexOf(crlf, p);
        const qsizetype headStart = lineStart < 0 ? 0 : lineStart + 2;
        const QString statement = t.mid(headStart, p - headStart) + tail;
        const qsizetype assign = statement.indexOf(QStringLiteral(":="));
        if (assign < 0)
            throw Failure{};
        const QString read =
            QStringLiteral("Readln( ") + statement.left(assign) + QStringLiteral(" );") + crlf;
        QString prompt = statement.mid(assign + 1);
        prompt.remove(QLatin1Char('=')).remove(QLatin1Char(':'));
        prompt.replace(box, QStringLiteral("Writeln"));
        t.replace(statement, prompt + QLatin1Char(';') + crlf + read);
    }
}

// Every assigned name and array element, declared once as Real.
QString pascalNames(const QString& t) {
    QString names;
    auto collect = [&t, &names](const QString& mark, bool backToBlank) {
        qsizetype from = 0;
        qsizetype at;
        while ((at = t.indexOf(mark, from)) >= 0) {
            QString name;
            if (backToBlank) {
                qsizetype start = at;
                while (start > 0 && t[start - 1] != QLatin1Char(' ') &&
                       t[start - 1] != QLatin1Char('\n'))
                    --start;
                name = t.mid(start, at - start + 1);
            } else {
                const qsizetype lineFeed = t.lastIndexOf(QLatin1Char('\n'), at);
                if (lineFeed < 0)
                    throw Failure{};
                name = t.mid(lineFeed + 1, at - lineFeed - 1);
            }
            if (!names.contains(name))
                names += QLatin1Char(',') + name;
            from = at + name.size() + 1;
        }
    };
    collect(QStringLiteral(":="), false);
    collect(QStringLiteral("]"), true);
    names = names.mid(1);
    names.replace(QStringLiteral(","), QStringLiteral(" , "));
    names.replace(QStringLiteral("  "), QStringLiteral(" "));
    return names;
}

} // namespace

QString failureMessage() {
    return QStringLiteral("Υπάρχει πρόβλημα στην δομή του αλγόριθμου");
}

QString indent(const QString& text) {
    QStringList lines;
    qsizetype from = 0;
    qsizetype end;
    while ((end = text.indexOf(crlf, from)) >= 0) {
        lines << text.mid(from, end - from);
        from = end + 2;
    }
    if (lines.isEmpty())
        return crlf;
    lines[0] = lines[0].trimmed();
    int level = 4;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString& line = lines[i];
        auto opens = [&line](std::initializer_list<const char*> words) {
            for (const char* w : words) {
                if (line.startsWith(QString::fromUtf8(w)))
                    return true;
            }
            return false;
        };
        if (opens({"ΑΝ ", "ΟΣΟ ", "ΑΡΧΗ_ΕΠΑ"})) {
            line.prepend(QString(level, QLatin1Char(' ')));
            level += 4;
        } else if (opens({"ΤΕΛΟΣ_", "ΜΕΧΡΙΣ_Ο"})) {
            level -= 4;
            if (level < 0)
                return text;
            line.prepend(QString(level, QLatin1Char(' ')));
        } else if (opens({"ΑΛΛΙΩΣ"})) {
            if (level - 4 < 0)
                return text;
            line.prepend(QString(level - 4, QLatin1Char(' ')));
        } else {
            line.prepend(QString(level, QLatin1Char(' ')));
        }
    }
    lines << QString();
    return lines.join(crlf) + crlf;
}

Result toBasic(const QString& pseudo) {
    try {
        QString t = pseudo.toUpper();
        for (const auto& [plain, accented] :
             std::initializer_list<std::pair<const char*, const char*>>{{"Α", "Ά"},
                                                                        {"Ε", "Έ"},
                                                                        {"Η", "Ή"},
                                                                        {"Ι", "Ί"},
                                                                        {"Ο", "Ό"},
                                                                        {"Υ", "Ύ"},
                                                                        {"Ω", "Ώ"},
                                                                        {"Ι", "Ϊ"},
                                                                        {"Υ", "Ϋ"}})
            replaceAll(t, accented, plain);
        for (const auto& [find, replacement] :
             std::initializer_list<std::pair<const char*, const char*>>{
                 {"!", ""},
                 {"ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ", "Wend"},
                 {"ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ", "Loop"},
                 {"ΑΛΓΟΡΙΘΜΟΣ", "Private Sub"},
                 {"ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ", "End Sub"},
                 {"ΤΟΤΕ", "Then"},
                 {"ΤΕΛΟΣ_ΑΝ", "EndIf"},
                 {"ΑΛΛΙΩΣ_ΑΝ ", "Else If "},
                 {"ΑΛΛΙΩΣ_ΑΝ_", "Else If "},
                 {"ΠΕΡΙΠΤΩΣΗ_ΑΛΛΙΩΣ", "Case Else"},
                 {"ΑΛΛΙΩΣ", "Else"},
                 {"ΟΣΟ ", "While "},
                 {"ΜΕΧΡΙΣ_ΟΤΟΥ", "Do Until"},
                 {"ΕΠΑΝΑΛΑΒΕ", ""},
                 {"ΕΠΑΝΕΛΑΒΕ", ""},
                 {"ΓΙΑ", "For"},
                 {"ΑΠΟ", " ="},
                 {"ΜΕΧΡΙ", " To"},
                 {"ΜΕ_ΒΗΜΑ", "Step"},
                 {"ΕΠΙΛΕΞΕ", "Select case"},
                 {"ΠΕΡΙΠΤΩΣΗ", "Case"},
                 {"ΤΕΛΟΣ_ΕΠΙΛΟΓΩΝ", "End Select"},
                 {"ΑΝ ", "If "},
                 {"ΑΝ_", "If "},
                 {"<--", "="}})
            replaceAll(t, find, replacement);
        for (const auto& [latin, greek] :
             std::initializer_list<std::pair<const char*, const char*>>{
                 {"A", "Α"}, {"B", "Β"},  {"C", "Γ"}, {"D", "Δ"}, {"E", "Ε"},  {"Z", "Ζ"},
                 {"H", "Η"}, {"8", "Θ"},  {"I", "Ι"}, {"K", "Κ"}, {"L", "Λ"},  {"M", "Μ"},
                 {"N", "Ν"}, {"KS", "Ξ"}, {"O", "Ο"}, {"P", "Π"}, {"R", "Ρ"},  {"S", "Σ"},
                 {"T", "Τ"}, {"Y", "Υ"},  {"F", "Φ"}, {"X", "Χ"}, {"PS", "Ψ"}, {"O", "Ω"}})
            replaceAll(t, greek, latin);
        replaceAll(t, ",", " , ");
        replaceAll(t, "  ", " ");
        basicInputs(t);
        replaceAll(t, "CRAPSE", "PRINT ");
        for (const auto& [find, replacement] :
             std::initializer_list<std::pair<const char*, const char*>>{{" DIV ", " \\ "},
                                                                        {"=", " = "},
                                                                        {"+", " + "},
                                                                        {"-", " - "},
                                                                        {"/", " / "},
                                                                        {"*", " * "},
                                                                        {"<", " < "},
                                                                        {">", " > "},
                                                                        {"<", " < "},
                                                                        {"  ", " "}})
            replaceAll(t, find, replacement);
        if (!basicRemainders(t))
            return {Result::Status::Stopped, pseudo};
        replaceAll(t, "ARXH", "PUBLIC Sub Diadikasia");
        return {Result::Status::Converted, t};
    } catch (const Failure&) {
        return {Result::Status::Failed, pseudo};
    }
}

Result toPascal(const QString& basic) {
    try {
        QString t = basic;
        replaceAll(t, "\r\n", ";\r\n");
        replaceAll(t, "=", " := ");
        replaceAll(t, "Then", "Then Begin");
        replaceAll(t, "EndIf", "End");
        // An else line closes the yes branch, whatever its indentation.
        static const QRegularExpression elseLine(QStringLiteral("\r\n( *)Else;\r\n"));
        t.replace(elseLine, QStringLiteral("\r\n\\1end\r\n\\1Else\r\n\\1Begin\r\n"));
        replaceAll(t, "Begin;", "Begin");
        replaceAll(t, "Next", "End;");
        replaceAll(t, "Wend", "End;");
        replaceAll(t, "End Sub;", "End.");
        replaceAll(t, "Private Sub A1", "Program A1;\r\nConst \r\n\r\nVar \r\nBegin\r\n");
        replaceAll(t, "Do;", "Repeat ");
        replaceAll(t, "Loop;", "Repeat ");
        replaceAll(t, "Do Until ", "Until ");
        // An output statement is closed: WRITELN(B);
        static const QRegularExpression output(QStringLiteral("PRINT ([^\r\n]*);\r\n"));
        t.replace(output, QStringLiteral("WRITELN(\\1);\r\n"));
        replaceAll(t, "PRINT ", "WRITELN(");
        pascalLineRewrites(t);
        pascalInputs(t);
        while (t.contains(QStringLiteral(";\r\n;\r\n")))
            replaceAll(t, ";\r\n;\r\n", ";\r\n");
        replaceAll(t, "Begin\r\n;", "Begin\r\n");
        replaceAll(t, ";;", ";");
        replaceAll(t, "Do Begin Do Begin", "Do Begin");
        replaceAll(t, "Do Begin;", "Do Begin");
        const QString names = pascalNames(t);
        t.replace(QStringLiteral("Var"),
                  QStringLiteral("Var ") + names + QStringLiteral(" : Real;") + crlf);
        return {Result::Status::Converted, t};
    } catch (const Failure&) {
        return {Result::Status::Failed, basic};
    }
}

} // namespace ProgramTextConversions

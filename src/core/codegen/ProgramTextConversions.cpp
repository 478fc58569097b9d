#include "core/codegen/ProgramTextConversions.h"

#include "core/codegen/BasicWriter.h"
#include "core/codegen/GlossaWriter.h"
#include "core/codegen/PascalWriter.h"
#include "core/codegen/PseudoProgram.h"
#include "core/codegen/PythonWriter.h"

#include <QStringList>

namespace ProgramTextConversions {

namespace {
const QString crlf = QStringLiteral("\r\n");

Result converted(const QString& pseudo, WrittenProgram (*write)(const PseudoProgram::Program&)) {
    const std::optional<PseudoProgram::Program> program = PseudoProgram::parse(pseudo);
    if (!program)
        return {Result::Status::Failed, pseudo, {}};
    WrittenProgram written = write(*program);
    return {Result::Status::Converted, std::move(written.text), std::move(written.problems)};
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
    return converted(pseudo, BasicWriter::write);
}

Result toPascal(const QString& pseudo) {
    return converted(pseudo, PascalWriter::write);
}

Result toPython(const QString& pseudo) {
    return converted(pseudo, PythonWriter::write);
}

Result toGlossa(const QString& pseudo) {
    return converted(pseudo, GlossaWriter::write);
}

QString problemsMessage(const QStringList& problems) {
    return QStringLiteral("Το πρόγραμμα δεν μετατράπηκε ολόκληρο:\r\n") +
           problems.join(QStringLiteral("\r\n"));
}

} // namespace ProgramTextConversions

#include "core/codegen/PseudoCodeGenerator.h"

#include "core/codegen/FlowStructure.h"

#include <QStringList>

namespace {

using FlowStructure::Node;

const QString crlf = QStringLiteral("\r\n");

// Unaccented capitals, as the program text is written.
const std::pair<const char*, const char*> accents[] = {
    {"Ά", "Α"}, {"Έ", "Ε"}, {"Ή", "Η"}, {"Ί", "Ι"}, {"Ό", "Ο"}, {"Ώ", "Ω"}, {"Ύ", "Υ"},
};

void write(const std::vector<Node>& nodes, QStringList& lines);

// A decision whose whole no branch is another decision continues as "ΑΛΛΙΩΣ_ΑΝ".
void writeDecision(const Node& node, QStringList& lines, const QString& opening) {
    lines << opening + QStringLiteral("  ") + node.text + QStringLiteral(" ΤΟΤΕ");
    write(node.body, lines);
    const std::vector<Node>& no = node.otherwise;
    if (no.size() == 1 && no.front().kind == Node::Kind::If) {
        writeDecision(no.front(), lines, QStringLiteral("ΑΛΛΙΩΣ_ΑΝ"));
        return;
    }
    if (!no.empty()) {
        lines << QStringLiteral("ΑΛΛΙΩΣ");
        write(no, lines);
    }
    lines << QStringLiteral("ΤΕΛΟΣ_ΑΝ");
}

void write(const std::vector<Node>& nodes, QStringList& lines) {
    for (const Node& node : nodes) {
        switch (node.kind) {
        case Node::Kind::Line:
        case Node::Kind::Comment:
            lines << node.text;
            break;
        case Node::Kind::If:
            writeDecision(node, lines, QStringLiteral("ΑΝ"));
            break;
        case Node::Kind::While:
            lines << (node.negated ? QStringLiteral("ΟΣΟ ΟΧΙ(") + node.text + QStringLiteral(")")
                                   : QStringLiteral("ΟΣΟ ") + node.text) +
                         QStringLiteral(" ΕΠΑΝΑΛΑΒΕ");
            write(node.body, lines);
            lines << QStringLiteral("ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ");
            break;
        case Node::Kind::Until:
            lines << QStringLiteral("ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ");
            write(node.body, lines);
            lines << (node.negated
                          ? QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ ΟΧΙ(") + node.text + QStringLiteral(")")
                          : QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ ") + node.text);
            break;
        }
    }
}

std::optional<QString> programOf(const std::optional<std::vector<Node>>& program) {
    if (!program)
        return std::nullopt;
    QStringList lines{QStringLiteral("ΑΛΓΟΡΙΘΜΟΣ Α1")};
    write(*program, lines);
    lines << QStringLiteral("ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ");
    return lines.join(crlf) + crlf;
}

} // namespace

std::optional<QString> PseudoCodeGenerator::generate(const Diagram& diagram) {
    return programOf(FlowStructure::read(diagram));
}

std::optional<QString> PseudoCodeGenerator::generateWithTypedMessages(const Diagram& diagram) {
    return programOf(FlowStructure::read(diagram, FlowStructure::Messages::AsTyped));
}

QString PseudoCodeGenerator::REPL_(const QString& caption) {
    QString t = caption;
    t.replace(QStringLiteral("Αρχή Αρχή"), QStringLiteral("Αρχή"));
    t.replace(QStringLiteral("Κάνε"), QString());
    t = t.trimmed();
    t.replace(QStringLiteral("ΟΣΟ_"), QStringLiteral("ΟΣΟ "));
    t.replace(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ_"), QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ "));
    t.replace(QStringLiteral("ΑΝ_"), QStringLiteral("ΑΝ "));
    t.replace(QStringLiteral("_ΤΟΤΕ"), QStringLiteral(" ΤΟΤΕ"));
    t.replace(QStringLiteral("ΟΣΟ.."), QString());
    t.replace(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ.."), QString());
    t.replace(QStringLiteral("ΑΝ..ΤΟΤΕ"), QString());
    return t.trimmed();
}

QString PseudoCodeGenerator::finishLine(const QString& line) {
    QString t = line.toUpper();
    for (const auto& [accented, plain] : accents)
        t.replace(QString::fromUtf8(accented), QString::fromUtf8(plain));
    t.remove(QLatin1Char('!'));
    return t;
}

QString PseudoCodeGenerator::finishOutsideQuotes(const QString& line) {
    QStringList parts = line.split(QLatin1Char('"'));
    for (qsizetype i = 0; i < parts.size(); i += 2)
        parts[i] = finishLine(parts[i]);
    return parts.join(QLatin1Char('"'));
}

QString PseudoCodeGenerator::finish(const QString& assembled) {
    QString t = assembled.toUpper();
    const std::pair<const char*, const char*> replacements[] = {
        {"Ά", "Α"},
        {"Έ", "Ε"},
        {"Ή", "Η"},
        {"Ί", "Ι"},
        {"Ό", "Ο"},
        {"Ώ", "Ω"},
        {"Ύ", "Υ"},
        {"ΑΛΛΙΩΣ", "ΑΛΛΙΩΣ\r\n"},
        {"ΓΡΑΨΕ ΓΡΑΨΕ \r\n", "ΓΡΑΨΕ "},
        {"ΓΡΑΨΕ ΓΡΑΨΕ\r\n", "ΓΡΑΨΕ "},
        {"ΓΡΑΨΕ ΓΡΑΨΕ", "ΓΡΑΨΕ "},
        {"ΔΙΑΒΑΣΕ ΔΙΑΒΑΣΕ", "ΔΙΑΒΑΣΕ "},
        {"ΔΙΑΒΑΣΕ ΔΙΑΒΑΣΕ\r\n", "ΔΙΑΒΑΣΕ "},
        {"ΔΙΑΒΑΣΕ ΔΙΑΒΑΣΕ \r\n", "ΔΙΑΒΑΣΕ "},
        {"ΑΝ_", "ΑΝ "},
        {"AN_", "ΑΝ "},
        {"ΑΡΧΗ\r\n", "ΑΛΓΟΡΙΘΜΟΣ Α1\r\n"},
        {"\r\n\r\n", "\r\n"},
        {"!", ""},
        {"ΑΛΛΙΩΣ\r\nΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΝ"},
        {"ΑΛΛΙΩΣ\r\nΑΝ", "ΑΛΛΙΩΣ_ΑΝ"},
        {"ΤΕΛΟΣ_ΑΝ\r\nΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΝ"},
        {"+\r\n", ""},
    };
    for (const auto& [find, replacement] : replacements)
        t.replace(QString::fromUtf8(find), QString::fromUtf8(replacement));
    return t;
}

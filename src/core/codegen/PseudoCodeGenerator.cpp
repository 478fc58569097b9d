#include "core/codegen/PseudoCodeGenerator.h"

#include "core/codegen/FlowStructure.h"

#include <QStringList>

namespace {

using FlowStructure::Node;

const QString crlf = QStringLiteral("\r\n");

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

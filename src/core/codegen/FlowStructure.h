#pragma once

#include <QString>
#include <optional>
#include <vector>

class Diagram;

// The flowchart read as a structured program: sequences, decisions with their two branches,
// while loops (test first) and repeat-until loops (test last), nested in any way.
namespace FlowStructure {

struct Node {
    enum class Kind {
        Line,    // a statement block; `text` is its pseudo-language line
        If,      // `text` the condition; `body` the yes branch, `otherwise` the no branch
        While,   // `text` the condition, `negated` when the body hangs on the no exit
        Until,   // `text` the condition, `negated` when the loop leaves on the no exit
        Comment, // `text` says which block breaks the structure
    };
    Kind kind = Kind::Line;
    QString text;
    bool negated = false;
    std::vector<Node> body;
    std::vector<Node> otherwise;
};

enum class Messages {
    Capitals, // the pseudo-language's letters everywhere: capitals without accents
    AsTyped,  // messages in quotes as the pupil typed them, for the languages that print them
};

// The program from the start block, or nullopt when no line leaves a start block.
std::optional<std::vector<Node>> read(const Diagram& diagram,
                                      Messages messages = Messages::Capitals);

} // namespace FlowStructure

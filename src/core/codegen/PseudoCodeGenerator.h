#pragma once

#include <QString>
#include <optional>

class Diagram;

// Turns a flowchart into Greek school pseudo-language: the structure (decisions, while and
// repeat-until loops, nested in any way) is read from the graph, then written line by line.
class PseudoCodeGenerator {
public:
    // The program text, or nullopt when no line leaves a start block.
    std::optional<QString> generate(const Diagram& diagram);
    // The same program with its messages (texts in quotes) as typed: the source of the
    // writers whose programs print them.
    std::optional<QString> generateWithTypedMessages(const Diagram& diagram);
};

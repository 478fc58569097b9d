#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class Diagram;

// Turns a flowchart into Greek school pseudo-language. The structure (decisions, while and
// repeat-until loops) is recovered from a flat table of link entries by walks over it.
class PseudoCodeGenerator {
public:
    // The program text, or nullopt when no line leaves a start block.
    std::optional<QString> generate(const Diagram& diagram);

    static QString REPL_(const QString& caption);
    // The text finished by the fixed replacements (capitals, keywords, empty lines).
    static QString finish(const QString& assembled);

    // The tables of the last generation, for tests: link codes and line texts, 1-based.
    const QStringList& linkCodes() const { return m_codes; }
    const QStringList& lineTexts() const { return m_texts; }
    int pli8os_e() const { return int(m_codes.size()); }

    int get_no_fromID(const QString& id) const;
    int find_an(int count) const;
    void make_iif(int i);
    QString make_else(int i, const QString& marker);
    void mexris_otou();
    void OSO();

private:
    enum class LoopKind { While, Until };
    int loopWalk(int i, const QString& marker, LoopKind kind);
    QString& code(int i) { return m_codes[i - 1]; }
    QString& text(int i) { return m_texts[i - 1]; }

    QStringList m_codes;
    QStringList m_texts;
};

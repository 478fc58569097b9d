#pragma once

#include <QString>

// The output box's text during a run. A loop that writes without end would fill the memory,
// so the text is bounded: past `limit` characters the oldest part is dropped, and a first
// line says how much. The editor appends what is new; a cut makes it show the whole again.
class RunOutput {
public:
    static constexpr qsizetype defaultLimit = 1000000;

    explicit RunOutput(qsizetype limit = defaultLimit) : m_limit(limit) {}

    // `piece` begins with its own separator (a line break, or a blank for a line that goes
    // on).
    void append(const QString& piece);
    void clear();

    // What the box shows: the line about dropped characters, if any, then the kept text.
    QString text() const;
    // The kept text, without the line about dropped characters.
    const QString& kept() const { return m_kept; }
    qsizetype droppedCharacters() const { return m_dropped; }
    // Changes whenever the kept text lost its beginning.
    int cuts() const { return m_cuts; }

    // What was written since the kept text was `size` long and had been cut `cuts` times:
    // the whole kept text when it was cut since.
    QString writtenSince(qsizetype size, int cuts) const {
        return cuts == m_cuts ? m_kept.mid(size) : m_kept;
    }

    static QString droppedLine(qsizetype dropped);

private:
    void cut();

    qsizetype m_limit;
    QString m_kept;
    qsizetype m_dropped = 0;
    int m_cuts = 0;
};

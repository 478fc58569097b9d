#pragma once

#include "core/execution/Interpreter.h"

#include <QString>
#include <QStringList>
#include <deque>

class QIODevice;
class cBck;

// The trace table of the run in the editor ("Πίνακας τιμών"), kept as the run goes: what each
// executed command did, turned into the exam's row only when it is shown. It keeps the last
// `capacity` rows, so that an endless loop cannot fill the memory. The rows point at the
// diagram's blocks: they hold while the diagram is not replaced (`generation`).
class TraceRecorder {
public:
    explicit TraceRecorder(std::size_t capacity = 100000) : m_capacity(capacity) {}

    // A new run, of the diagram in its generation `generation`.
    void restart(int generation);
    // The command `block` was executed; a junction, which only passes the flow on, has no row.
    void record(const cBck& block, const Interpreter::Change& change, const QString& written);

    int generation() const { return m_generation; }
    long long size() const { return (long long)m_steps.size(); }
    // Rows of the run that no longer fit, the oldest.
    long long dropped() const { return m_total - size(); }
    // Row `index` (0 = the oldest kept), in the trace table's columns.
    QStringList row(long long index) const;
    // Every kept row as CSV, UTF-8 with a BOM, as `kelvra-cli run --trace` writes it.
    bool writeCsv(QIODevice& device) const;

private:
    struct Step {
        const cBck* block;
        Interpreter::Change change;
        QString written;
    };
    std::size_t m_capacity;
    std::deque<Step> m_steps;
    long long m_total = 0;
    int m_generation = -1;
};

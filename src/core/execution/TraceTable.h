#pragma once

#include "core/execution/Interpreter.h"

#include <QString>
#include <QStringList>

class QIODevice;
class cBck;

// The trace table of the exams ("πίνακας τιμών"): a row for each executed command — the step,
// the block's number and text, a decision's condition with its outcome, the variable that
// changed and its new value, the output written — with only what the step did filled in.
// Rows are written as the run goes, so a long run needs no more memory than the run.
class TraceTable {
public:
    static QStringList header();
    // The row of `block`, the `step`th command executed; empty for a junction, which only
    // passes the flow on.
    static QStringList row(long long step, const cBck& block, const Interpreter::Change& change,
                           const QString& written);
    // A CSV line (cells in quotes when they need them), CR LF ended.
    static QString csvLine(const QStringList& cells);
};

// Writes the table as CSV, UTF-8 with a BOM (so a spreadsheet reads the Greek), a row at a time.
class TraceWriter {
public:
    // Rows are numbered from `firstStep` (a table that lost its oldest rows goes on counting).
    explicit TraceWriter(QIODevice& device, long long firstStep = 1);
    // A row for the block the run just executed (none for a junction), numbered in turn.
    void step(const cBck& block, const Interpreter::Change& change, const QString& written);
    bool ok() const { return m_ok; }

private:
    void write(const QString& line);

    QIODevice& m_device;
    long long m_rows = 0;
    bool m_ok = true;
};

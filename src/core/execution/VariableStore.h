#pragma once

#include "core/execution/HistoryText.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

class MessageSink;

// The variables table: one column per variable, a row of current values, and one history
// row per recorded value with the block that wrote it. Beside every value it keeps the
// expression text that produced it. It is the only variable store of a run.
class VariableStore {
public:
    explicit VariableStore(MessageSink& messages);
    // Where the run's messages go (the message window, or standard error headless).
    MessageSink& messages() const { return m_messages; }

    void clearVars();
    void setVar(const QString& name, const QString& value, const QString& blockId,
                const QString& expressionText);
    // The current value (from after its first comma); "0" with a message when undefined.
    QString getVar(const QString& name);
    // What getVar would answer, found without reporting anything.
    struct Peeked {
        const QString* text;          // valid until the variables next change
        std::optional<double> number; // when the text is a plain number (NumberText)
        bool wouldReport;             // getVar would report the name as undefined
    };
    // `folded` is the name's case-folded form. A caller that keeps that text for the whole
    // run (a compiled expression's variable) says it is `kept`: its address then finds the
    // column at once, at every step.
    Peeked peekFolded(const QString& name, const QString& folded, bool kept) const;
    // The current value of a variable, or the name itself when it is none.
    QString ifVarGetValue(const QString& name);
    // The column of a name (letter case ignored), or -1. Column 0 is the step column.
    int findVarColumn(const QString& name) const;

    // The grid as the variables window shows it: row 0 the names, row 1 the current values,
    // rows 2 ... the history. Each history row holds one value.
    int rowCount() const { return 2 + int(m_history.size()); }
    int columnCount() const { return int(m_names.size()); }
    QString valueCell(int row, int column) const;
    // The column that history row `row` (2 ...) wrote, or -1.
    int historyColumn(int row) const;
    // The expression text behind a value cell.
    QString textCell(int row, int column) const;

    // The block being executed (its tag), named in the report of an undefined variable
    // (empty outside a run). Set at every step: the tag is kept, its number made only for a
    // report.
    void setReportingBlock(const QString& tag) { m_reportingBlock = tag; }

    // "Βήμα:" + the block number as three digits.
    static QString stepLabel(const QString& blockId);

    // An endless run would fill the memory with history: past this many bytes the oldest
    // rows are dropped (a quarter of the budget at a time, so that it happens rarely).
    static constexpr qint64 defaultHistoryBudget = 500LL * 1024 * 1024;
    void setHistoryBudget(qint64 bytes) { m_historyBudget = bytes; }
    qint64 historyBytes() const;
    // How many of the oldest history rows were dropped since the run started.
    qint64 droppedRows() const { return m_droppedRows; }
    // The line the variables window shows when rows were dropped.
    static QString droppedRowsLine(qint64 rows);

private:
    // 24 bytes a row, and its texts mostly one byte a character: a long run keeps millions.
    struct HistoryRow {
        qint32 column;
        qint32 block; // in m_blockIds
        qint64 start; // of the value in m_text; the expression text follows it
        qint32 valueLength;
        quint32 textLength : 31;
        quint32 wide : 1;
        HistoryText::Piece value() const { return {start, valueLength, bool(wide)}; }
        HistoryText::Piece text() const {
            return {start + value().bytes(), qint32(textLength), bool(wide)};
        }
    };
    qint32 blockNumber(const QString& blockId);
    void reportUndefined(const QString& name);
    void dropOldestRows();

    MessageSink& m_messages;
    QString m_reportingBlock;
    QSet<QString> m_reportedUndefined; // during this run
    QStringList m_names;
    QStringList m_values;
    QStringList m_texts;
    // Each column's value as an expression reads it (after its first comma), and its number,
    // found once when it is set rather than at every read.
    struct ReadValue {
        QString text;
        std::optional<double> number;
    };
    std::vector<ReadValue> m_read;
    QHash<QString, int> m_columns; // case-folded name to column
    // Columns of case-folded names kept by their callers, by the text's address (the copy
    // kept here keeps the address from being reused).
    struct KeptName {
        QString folded;
        int column = -1;
    };
    mutable KeptName m_keptNames[32];
    // The last names looked up and their columns: a loop asks for the same few again and
    // again, and folding a name's letter case costs more than comparing it.
    struct RecentLookup {
        QString name;
        int column = -1;
    };
    mutable RecentLookup m_recent[4];
    mutable unsigned m_nextRecent = 0;
    // History values and texts, back to back, so that a long run stays compact.
    HistoryText m_text;
    // A deque grows without copying, and without a vector's doubling of spare room.
    std::deque<HistoryRow> m_history;
    qint64 m_historyBudget = defaultHistoryBudget;
    qint64 m_droppedRows = 0;
    // A run names few blocks many times over.
    QStringList m_blockIds;
    QHash<QString, qint32> m_blockNumbers;
    // A block's tag is the same shared text at every step: its address finds its number at
    // once (the copy kept here keeps that address from being reused).
    struct RecentBlock {
        QString id;
        qint32 number = -1;
    };
    RecentBlock m_recentBlocks[16];
};

#include "core/execution/VariableStore.h"

#include "core/execution/NumberText.h"
#include "core/model/MessageSink.h"

#include <iterator>

namespace {
const QString stepHeader = QStringLiteral("BHM/MET");
const QString currentHeader = QStringLiteral("TEΛΙΚΕΣ");
} // namespace

VariableStore::VariableStore(MessageSink& messages) : m_messages(messages) {
    clearVars();
}

void VariableStore::clearVars() {
    m_names = {stepHeader};
    m_values = {currentHeader};
    m_texts = {QString()};
    m_read.assign(1, ReadValue{currentHeader, std::nullopt});
    for (KeptName& kept : m_keptNames)
        kept = {};
    m_columns.clear();
    m_columns.insert(stepHeader.toCaseFolded(), 0);
    for (RecentLookup& recent : m_recent)
        recent = {};
    m_text.clear();
    m_droppedRows = 0;
    std::deque<HistoryRow>().swap(m_history);
    m_blockIds.clear();
    m_blockNumbers.clear();
    for (RecentBlock& recent : m_recentBlocks)
        recent = {};
    m_reportedUndefined.clear();
}

void VariableStore::setVar(const QString& name, const QString& value, const QString& blockId,
                           const QString& expressionText) {
    int column = findVarColumn(name);
    if (column < 0) {
        column = columnCount();
        m_names.append(name);
        m_values.append(value);
        m_texts.append(expressionText);
        m_read.emplace_back();
        m_columns.insert(name.toCaseFolded(), column);
    } else {
        m_values[column] = value;
        m_texts[column] = expressionText;
    }
    ReadValue& read = m_read[size_t(column)];
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    read.text = comma < 0 ? value : value.mid(comma + 1);
    read.number = NumberText::plainNumber(read.text);
    const HistoryText::Piece both = m_text.append(value, expressionText);
    HistoryRow row{column, blockNumber(blockId), both.start, qint32(value.size()), 0, 0};
    row.textLength = quint32(expressionText.size());
    row.wide = both.wide;
    m_history.push_back(row);
    if (historyBytes() > m_historyBudget)
        dropOldestRows();
}

qint64 VariableStore::historyBytes() const {
    return m_text.bytes() + qint64(m_history.size()) * qint64(sizeof(HistoryRow));
}

void VariableStore::dropOldestRows() {
    const qint64 target = m_historyBudget / 4 * 3;
    qint64 bytes = historyBytes();
    qint64 dropped = 0;
    // The newest row always stays: it is the value just written.
    while (bytes > target && m_history.size() > 1) {
        const HistoryRow& oldest = m_history.front();
        bytes -= oldest.value().bytes() + oldest.text().bytes() + qint64(sizeof(HistoryRow));
        m_history.pop_front();
        ++dropped;
    }
    m_text.dropBefore(m_history.front().start);
    m_droppedRows += dropped;
}

QString VariableStore::droppedRowsLine(qint64 rows) {
    return QStringLiteral("Οι πρώτες ") + QString::number(rows) +
           QStringLiteral(" γραμμές του ιστορικού παραλείφθηκαν, για να μη γεμίσει η μνήμη.");
}

qint32 VariableStore::blockNumber(const QString& blockId) {
    RecentBlock& recent =
        m_recentBlocks[qHash(quintptr(blockId.constData())) % std::size(m_recentBlocks)];
    if (recent.number >= 0 && recent.id.constData() == blockId.constData() &&
        recent.id.size() == blockId.size())
        return recent.number;
    const auto found = m_blockNumbers.constFind(blockId);
    qint32 number;
    if (found != m_blockNumbers.cend()) {
        number = *found;
    } else {
        number = qint32(m_blockIds.size());
        m_blockIds.append(blockId);
        m_blockNumbers.insert(blockId, number);
    }
    recent = {blockId, number};
    return number;
}

QString VariableStore::getVar(const QString& name) {
    if (name == QStringLiteral("0"))
        return QStringLiteral("0");
    const int column = findVarColumn(name);
    if (column < 0) {
        if (name != QStringLiteral("RETURN"))
            reportUndefined(name);
        return QStringLiteral("0");
    }
    const QString& value = m_values[column];
    const qsizetype comma = value.indexOf(QLatin1Char(','));
    return comma < 0 ? value : value.mid(comma + 1);
}

// During a run the line names the block and comes once per variable; outside a run (an
// expression evaluated alone) it is the plain line.
void VariableStore::reportUndefined(const QString& name) {
    if (m_reportingBlock.isEmpty()) {
        m_messages.showMessage(QStringLiteral("Μεταβλητή : ") + name +
                               QStringLiteral(" - μη ορισμένη!"));
        return;
    }
    if (m_reportedUndefined.contains(name))
        return;
    m_reportedUndefined.insert(name);
    m_messages.showMessage(QStringLiteral("Ενέργεια ") + m_reportingBlock.mid(2) +
                           QStringLiteral(": η μεταβλητή ") + name +
                           QStringLiteral(" δεν έχει τιμή· χρησιμοποιήθηκε το 0"));
}

VariableStore::Peeked VariableStore::peekFolded(const QString& name, const QString& folded,
                                                bool kept) const {
    static const QString zeroText = QStringLiteral("0");
    const bool zero = name.size() == 1 && name.front() == QLatin1Char('0');
    int column = -1;
    if (!zero && kept) {
        KeptName& known = m_keptNames[qHash(quintptr(folded.constData())) % std::size(m_keptNames)];
        if (known.column >= 0 && known.folded.constData() == folded.constData() &&
            known.folded.size() == folded.size()) {
            column = known.column;
        } else {
            column = m_columns.value(folded, -1);
            if (column >= 0) // a name not found may be added at any moment: never remembered
                known = {folded, column};
        }
    } else if (!zero) {
        column = m_columns.value(folded, -1);
    }
    if (column < 0)
        return {&zeroText, 0.0, !zero && name != QLatin1String("RETURN")};
    const ReadValue& read = m_read[size_t(column)];
    return {&read.text, read.number, false};
}

QString VariableStore::ifVarGetValue(const QString& name) {
    return findVarColumn(name) < 0 ? name : getVar(name);
}

int VariableStore::findVarColumn(const QString& name) const {
    for (const RecentLookup& recent : m_recent) {
        if (recent.column >= 0 && recent.name == name)
            return recent.column;
    }
    const int column = m_columns.value(name.toCaseFolded(), -1);
    if (column >= 0) // a name not found may be added at any moment: never remembered
        m_recent[m_nextRecent++ % 4] = {name, column};
    return column;
}

QString VariableStore::valueCell(int row, int column) const {
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowCount())
        return {};
    if (row == 0)
        return m_names[column];
    if (row == 1)
        return m_values[column];
    const HistoryRow& entry = m_history[size_t(row - 2)];
    if (column == 0)
        return stepLabel(m_blockIds[entry.block]);
    return entry.column == column ? m_text.at(entry.value()) : QString();
}

int VariableStore::historyColumn(int row) const {
    if (row < 2 || row >= rowCount())
        return -1;
    return m_history[size_t(row - 2)].column;
}

QString VariableStore::textCell(int row, int column) const {
    if (column < 1 || column >= columnCount() || row < 1 || row >= rowCount())
        return {};
    if (row == 1)
        return m_texts[column];
    const HistoryRow& entry = m_history[size_t(row - 2)];
    return entry.column == column ? m_text.at(entry.text()) : QString();
}

QString VariableStore::stepLabel(const QString& blockId) {
    QString number = blockId.mid(2);
    if (number.size() < 3)
        number = QString(3 - number.size(), QLatin1Char('0')) + number;
    return QStringLiteral("Βήμα:") + number.right(3);
}

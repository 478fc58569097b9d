#include "core/execution/TraceTable.h"

#include "core/model/Block.h"
#include "core/model/BlockKinds.h"

#include <QHash>
#include <QIODevice>

QStringList TraceTable::header() {
    return {QStringLiteral("Βήμα"),    QStringLiteral("Εντολή"),    QStringLiteral("Κείμενο"),
            QStringLiteral("Συνθήκη"), QStringLiteral("Μεταβλητή"), QStringLiteral("Τιμή"),
            QStringLiteral("Έξοδος")};
}

QStringList TraceTable::row(long long step, const cBck& block, const Interpreter::Change& change,
                            const QString& written) {
    if (block.zaction() == BlockKinds::junction)
        return {};
    // A test by its kind and condition (its caption joins them with "_"), the rest as shown.
    static const QHash<QString, QString> tests = {
        {BlockKinds::decision, QStringLiteral("Αν ")},
        {BlockKinds::whileTest, QStringLiteral("Όσο ")},
        {BlockKinds::untilTest, QStringLiteral("Μέχρις ότου ")}};
    const auto test = tests.constFind(block.zaction());
    QString text = test != tests.cend() ? *test + block.zParam2() : block.sCaption();
    if (text.contains(QLatin1Char('\r')))
        text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    QString condition;
    if (change.truth)
        condition = block.zParam2() + QStringLiteral(": ") +
                    (*change.truth ? QStringLiteral("Αληθής") : QStringLiteral("Ψευδής"));
    return {QString::number(step),
            Interpreter::blockNumber(block),
            text.simplified(),
            condition,
            change.variable,
            change.value,
            written.isEmpty()
                ? QString()
                : QString(written).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).trimmed()};
}

QString TraceTable::csvLine(const QStringList& cells) {
    QString line;
    line.reserve(64);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QString& cell = cells[i];
        if (i > 0)
            line += QLatin1Char(',');
        const bool needs = cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) ||
                           cell.contains(QLatin1Char('\n')) || cell.startsWith(QLatin1Char(' '));
        if (!needs) {
            line += cell;
            continue;
        }
        line += QLatin1Char('"');
        line += QString(cell).replace(QLatin1Char('"'), QStringLiteral("\"\""));
        line += QLatin1Char('"');
    }
    line += QStringLiteral("\r\n");
    return line;
}

TraceWriter::TraceWriter(QIODevice& device, long long firstStep)
    : m_device(device), m_rows(firstStep - 1) {
    write(QStringLiteral("\uFEFF") + TraceTable::csvLine(TraceTable::header()));
}

void TraceWriter::step(const cBck& block, const Interpreter::Change& change,
                       const QString& written) {
    const QStringList cells = TraceTable::row(m_rows + 1, block, change, written);
    if (cells.isEmpty())
        return;
    ++m_rows;
    write(TraceTable::csvLine(cells));
}

void TraceWriter::write(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    m_ok = m_ok && m_device.write(bytes) == bytes.size();
}

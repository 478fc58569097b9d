#include "core/execution/RunOutput.h"

#include <QLocale>

void RunOutput::append(const QString& piece) {
    m_kept += piece;
    if (m_kept.size() > m_limit)
        cut();
}

void RunOutput::clear() {
    m_kept.clear();
    m_dropped = 0;
    ++m_cuts;
}

// Down to half the limit at once, so that cutting happens rarely: at a line break when one
// is near, so that the first line kept is whole.
void RunOutput::cut() {
    qsizetype from = m_kept.size() - m_limit / 2;
    const qsizetype lineStart = m_kept.indexOf(QLatin1Char('\n'), from);
    if (lineStart >= 0 && lineStart - from < m_limit / 4)
        from = lineStart + 1;
    m_kept.remove(0, from);
    m_dropped += from;
    ++m_cuts;
}

QString RunOutput::droppedLine(qsizetype dropped) {
    return QStringLiteral("[… τα πρώτα ") + QLocale(QLocale::Greek).toString(dropped) +
           QStringLiteral(" σύμβολα των αποτελεσμάτων παραλείφθηκαν, γιατί ήταν πάρα πολλά …]");
}

QString RunOutput::text() const {
    if (m_dropped == 0)
        return m_kept;
    return droppedLine(m_dropped) + QStringLiteral("\r\n") + m_kept;
}

#include "core/files/DiagramChanges.h"

#include "core/files/DiagramFormat.h"

#include <QCryptographicHash>

QByteArray DiagramChanges::fingerprint(const Diagram& diagram, const QString& comment) {
    return QCryptographicHash::hash(DiagramFormat::write(diagram, comment).bytes,
                                    QCryptographicHash::Sha256);
}

void DiagramChanges::markSaved(const Diagram& diagram, const QString& comment) {
    m_saved = fingerprint(diagram, comment);
    m_declined.clear();
}

bool DiagramChanges::hasChanged(const Diagram& diagram, const QString& comment) const {
    return fingerprint(diagram, comment) != m_saved;
}

void DiagramChanges::markDeclinedBeforeRun(const Diagram& diagram, const QString& comment) {
    m_declined = fingerprint(diagram, comment);
}

bool DiagramChanges::declinedBeforeRun(const Diagram& diagram, const QString& comment) const {
    return !m_declined.isEmpty() && fingerprint(diagram, comment) == m_declined;
}

#include "core/files/DiagramChanges.h"

#include "core/files/DiagramFormat.h"

#include <QHashFunctions>

#include <array>

QByteArray DiagramChanges::fingerprint(const Diagram& diagram, const QString& comment) {
    // The text Save would encode, hashed twice with different seeds: two different diagrams
    // share 128 bits by chance essentially never, and a digest made for secrecy costs many
    // times more on a large diagram (this runs at every run's start).
    const QString text = DiagramFormat::text(diagram, comment);
    const std::array<size_t, 2> seeds{0x4b656c7672610001u, 0x9e3779b97f4a7c15u};
    QByteArray print;
    for (const size_t seed : seeds) {
        const size_t hash = qHashBits(text.constData(), size_t(text.size()) * sizeof(QChar), seed);
        print.append(reinterpret_cast<const char*>(&hash), sizeof hash);
    }
    return print;
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

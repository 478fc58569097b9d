#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class Diagram;

// The diagram and its comment as one text, to be put back exactly as it was: what the undo
// history keeps before and after each edit, and what the recovery file holds. It is the
// ".kv" form in UTF-8, so that no character the code page cannot hold is lost.
namespace DiagramSnapshot {

QByteArray take(const Diagram& diagram, const QString& comment);

// Replaces the diagram by the snapshot and gives its comment; nothing when the snapshot is
// not a diagram (the diagram is then empty).
std::optional<QString> restore(const QByteArray& snapshot, Diagram& diagram);

} // namespace DiagramSnapshot

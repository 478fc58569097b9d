#include "core/files/DiagramSnapshot.h"

#include "core/files/DiagramFile.h"
#include "core/files/DiagramFormat.h"

namespace DiagramSnapshot {

QByteArray take(const Diagram& diagram, const QString& comment) {
    return DiagramFormat::text(diagram, comment).toUtf8();
}

std::optional<QString> restore(const QByteArray& snapshot, Diagram& diagram) {
    const DiagramFormat::ReadResult read = DiagramFormat::read(snapshot, diagram);
    if (read.status != DiagramFormat::ReadResult::Status::Ok)
        return std::nullopt;
    DiagramFile::fitBlocks(diagram);
    return read.comment;
}

} // namespace DiagramSnapshot

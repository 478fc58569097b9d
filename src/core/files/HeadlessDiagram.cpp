#include "core/files/HeadlessDiagram.h"

#include "core/files/DiagramFile.h"

bool HeadlessDiagram::load(const QString& path) {
    const DiagramFile::LoadResult result = DiagramFile::load(path, m_diagram);
    if (result.status == DiagramFile::LoadResult::Status::Missing)
        m_sink.showMessage(DiagramFile::missingFileMessage(path));
    for (const QString& message : result.messages)
        m_sink.showMessage(message);
    if (result.status == DiagramFile::LoadResult::Status::NotReadable)
        m_sink.showMessage(DiagramFile::notADiagramMessage(path));
    if (!result.loaded())
        return false;
    m_comment = result.comment;
    return true;
}

bool HeadlessDiagram::save(const QString& path) {
    const DiagramFile::SaveResult result = DiagramFile::save(path, m_diagram, m_comment);
    if (!result.message.isEmpty())
        m_sink.showMessage(result.message);
    return result.saved;
}

#pragma once

#include "core/drawing/MemoryCanvas.h"
#include "core/model/Diagram.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"

#include <QString>
#include <QStringList>

// A diagram without widgets, loaded and saved with the editor's own reader and writer.
class HeadlessDiagram {
public:
    HeadlessDiagram() = default;

    Diagram& diagram() { return m_diagram; }
    MemoryCanvas& canvas() { return m_canvas; }
    ScriptedQuestions& questions() { return m_questions; }
    const QStringList& messages() const { return m_sink.messages; }
    QString comment() const { return m_comment; }
    void setComment(const QString& comment) { m_comment = comment; }

    // False with a message when the file is missing, unreadable or broken.
    bool load(const QString& path);
    // False with a message when the file could not be written whole.
    bool save(const QString& path);

private:
    MemoryCanvas m_canvas;
    CollectingSink m_sink;
    ScriptedQuestions m_questions;
    Diagram m_diagram{m_canvas, m_sink, m_questions};
    QString m_comment;
};

#pragma once

#include "core/model/BlockCollection.h"
#include "core/model/LineCollection.h"

#include <QString>
#include <vector>

class BlockSurface;
class Canvas;
class LineControls;
class MessageSink;
class ModalQuestions;
class cBck;

// The open flowchart: both collections, the drawing objects they created by index, and the
// editing state the collections share with the editor. The same object serves the editor and
// headless code; only the canvas, the message sink and the questions differ.
class Diagram {
public:
    static constexpr int maxCreations = 32767; // 16-bit counters and tag numbers

    Diagram(Canvas& canvas, MessageSink& messages, ModalQuestions& questions);
    ~Diagram();

    Bl_Co& the_bl_co() { return m_blocks; }
    const Bl_Co& the_bl_co() const { return m_blocks; }
    Li_Co& the_li_co() { return m_lines; }
    const Li_Co& the_li_co() const { return m_lines; }

    Canvas& canvas() { return m_canvas; }
    MessageSink& messages() { return m_messages; }
    ModalQuestions& questions() { return m_questions; }

    int shapeCount() const { return int(m_surfaces.size()); }
    int lineCount() const { return int(m_lineControls.size()); }
    int currentBlockIndex = -1;
    int previousBlockIndex = -1;

    // Surface `index` (1 ... shapeCount), or nullptr.
    BlockSurface* surface(int index) const;
    // The surface index of `surface`, or -1.
    int surfaceIndex(const BlockSurface* surface) const;
    BlockSurface* surfaceOfTag(const QString& tag) const;
    LineControls* lineControls(int index) const;

    // Used by the collections to create drawing objects; nullptr past the 16-bit limit.
    BlockSurface* createSurface();
    LineControls* createLineControls();

    // The first block of `kind` that is not deleted, or nullptr.
    cBck* findActionBlock(const QString& kind) const;
    // The block drawn on surface `index`, or nullptr.
    cBck* blockAt(int index) const;

    // Removes every block and line and destroys their drawing objects.
    void clear();
    // Changes whenever the diagram is cleared, so that holders of block and line pointers
    // can tell that theirs are gone.
    int generation() const { return m_generation; }

private:
    Canvas& m_canvas;
    MessageSink& m_messages;
    ModalQuestions& m_questions;
    std::vector<BlockSurface*> m_surfaces;
    std::vector<LineControls*> m_lineControls;
    Bl_Co m_blocks;
    Li_Co m_lines;
    int m_generation = 0;
};

#pragma once

#include <QString>
#include <vector>

class BlockSurface;
class Bl_Co;
class Canvas;
class LineControls;
class Li_Co;
class MessageSink;
class ModalQuestions;

// What the block and line collections share with the diagram that holds them: the drawing
// objects by index, the editing state, the seams for messages and questions, and each
// other. The collections reach the diagram only through this, so that the diagram can hold
// them without a circle between them.
class DiagramBase {
public:
    static constexpr int maxCreations = 32767; // 16-bit counters and tag numbers

    DiagramBase(Canvas& canvas, MessageSink& messages, ModalQuestions& questions);
    virtual ~DiagramBase();
    DiagramBase(const DiagramBase&) = delete;
    DiagramBase& operator=(const DiagramBase&) = delete;

    virtual Bl_Co& the_bl_co() = 0;
    virtual const Bl_Co& the_bl_co() const = 0;
    virtual Li_Co& the_li_co() = 0;
    virtual const Li_Co& the_li_co() const = 0;

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
    // A line now starts or ends elsewhere: whoever indexes the lines by their ends must
    // look again.
    virtual void lineEndsChanged() = 0;
    // The surface of the block with this tag, or nullptr.
    virtual BlockSurface* surfaceOfTag(const QString& tag) const = 0;
    LineControls* lineControls(int index) const;

    // Used by the collections to create drawing objects; nullptr past the 16-bit limit.
    BlockSurface* createSurface();
    LineControls* createLineControls();

protected:
    // After the collections were emptied: the drawing objects go with them.
    void destroyDrawingObjects();

private:
    Canvas& m_canvas;
    MessageSink& m_messages;
    ModalQuestions& m_questions;
    std::vector<BlockSurface*> m_surfaces;
    std::vector<LineControls*> m_lineControls;
};

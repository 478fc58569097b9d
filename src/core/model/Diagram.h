#pragma once

#include "core/model/BlockCollection.h"
#include "core/model/DiagramBase.h"
#include "core/model/LineCollection.h"

#include <QString>

class MessageSink;
class ModalQuestions;
class cBck;

// The open flowchart: both collections, the drawing objects they created by index, and the
// editing state the collections share with the editor. The same object serves the editor and
// headless code; only the canvas, the message sink and the questions differ.
class Diagram final : public DiagramBase {
public:
    Diagram(Canvas& canvas, MessageSink& messages, ModalQuestions& questions);
    ~Diagram() override;

    Bl_Co& the_bl_co() override { return m_blocks; }
    const Bl_Co& the_bl_co() const override { return m_blocks; }
    Li_Co& the_li_co() override { return m_lines; }
    const Li_Co& the_li_co() const override { return m_lines; }

    BlockSurface* surfaceOfTag(const QString& tag) const override;
    void lineEndsChanged() override { m_lines.touch(); }

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
    Bl_Co m_blocks;
    Li_Co m_lines;
    int m_generation = 0;
};

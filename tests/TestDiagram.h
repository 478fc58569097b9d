#pragma once

#include "core/drawing/MemoryCanvas.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "core/model/DiagramBuilder.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"

#include <QStringList>

// A diagram without widgets, with scripted questions and recorded messages.
struct TestDiagram {
    MemoryCanvas canvas;
    CollectingSink sink;
    ScriptedQuestions questions;
    Diagram diagram{canvas, sink, questions};

    Bl_Co& blocks() { return diagram.the_bl_co(); }
    Li_Co& lines() { return diagram.the_li_co(); }

    // A block of `kind` with its next free tag id at (left, top), of the given size.
    cBck* add(const QString& kind, double left, double top, int width = 60, int height = 20) {
        cBck* block = DiagramBuilder(diagram).add(kind, left, top);
        if (block) {
            block->setShapeWidth(width);
            block->setShapeHeight(height);
        }
        return block;
    }

    // Repaints every surface that asked for it, as the editor's event loop would.
    void repaint() {
        canvas.processRepaints([this](MemorySurface& surface) {
            if (cBck* block = blocks().Item(surface.tag()))
                block->PaintMe();
        });
    }
};

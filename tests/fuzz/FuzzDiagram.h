#pragma once

// What the diagram fuzz targets share: a GUI application without a display, and a diagram
// in memory whose reports go nowhere.
#include "core/drawing/MemoryCanvas.h"
#include "core/model/Diagram.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"

#include <QGuiApplication>

struct FuzzDiagram {
    MemoryCanvas canvas;
    QuietSink sink;
    ScriptedQuestions questions;
    Diagram diagram{canvas, sink, questions};
};

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

// libFuzzer target: any bytes given to the diagram reader end in a result, never a crash.
#include "files/DiagramFormat.h"
#include "model/Diagram.h"
#include "model/MemoryCanvas.h"
#include "windows/MessageSink.h"
#include "windows/ScriptedQuestions.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

namespace {
class QuietSink : public MessageSink {
public:
    void showMessage(const QString&) override {}
};
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryCanvas canvas;
    QuietSink sink;
    ScriptedQuestions questions;
    Diagram diagram(canvas, sink, questions);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DiagramFormat::ReadResult result = DiagramFormat::read(bytes, diagram);
    if (result.status == DiagramFormat::ReadResult::Status::Ok) {
        // What was read must write again.
        const DiagramFormat::WriteResult written = DiagramFormat::write(diagram, result.comment);
        if (written.bytes.isEmpty())
            std::abort();
    }
    return 0;
}

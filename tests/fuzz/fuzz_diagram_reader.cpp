// libFuzzer target: any bytes given to the diagram reader end in a result, never a crash.
#include "FuzzDiagram.h"
#include "core/files/DiagramFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzDiagram fuzz;
    Diagram& diagram = fuzz.diagram;
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

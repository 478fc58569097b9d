// libFuzzer target: whatever a file holds, loading, running a bounded number of steps and the
// three conversions end in a result, never a crash or a hang.
#include "FuzzDiagram.h"
#include "core/codegen/ProgramTextConversions.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/execution/HeadlessRun.h"
#include "core/files/DiagramFormat.h"

#include <cstdint>

namespace {
constexpr long long maxSteps = 2000;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzDiagram fuzz;
    Diagram& diagram = fuzz.diagram;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (DiagramFormat::read(bytes, diagram).status != DiagramFormat::ReadResult::Status::Ok)
        return 0;
    // Inputs are answered with a few fixed values, then the run ends for want of one.
    for (const char* answer : {"3", "-1", "0.5", "ΑΒΓ"})
        fuzz.questions.answerText(QString::fromUtf8(answer));
    HeadlessRun run(diagram, fuzz.questions, fuzz.sink);
    run.random().setFixedSeed(1);
    run.run(maxSteps);

    PseudoCodeGenerator generator;
    if (const std::optional<QString> pseudo = generator.generate(diagram)) {
        const QString text = ProgramTextConversions::indent(*pseudo);
        ProgramTextConversions::toBasic(text);
        ProgramTextConversions::toPascal(text);
        ProgramTextConversions::toPython(text);
        ProgramTextConversions::toGlossa(text);
    }
    return 0;
}

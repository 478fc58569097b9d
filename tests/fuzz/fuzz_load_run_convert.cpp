// libFuzzer target: whatever a file holds, loading, running a bounded number of steps and the
// three conversions end in a result, never a crash or a hang.
#include "codegen/ProgramTextConversions.h"
#include "codegen/PseudoCodeGenerator.h"
#include "execution/HeadlessRun.h"
#include "files/DiagramFormat.h"
#include "model/Diagram.h"
#include "model/MemoryCanvas.h"
#include "windows/MessageSink.h"
#include "windows/ScriptedQuestions.h"

#include <QGuiApplication>
#include <cstdint>

namespace {
class QuietSink : public MessageSink {
public:
    void showMessage(const QString&) override {}
};

constexpr long long maxSteps = 2000;
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
    if (DiagramFormat::read(bytes, diagram).status != DiagramFormat::ReadResult::Status::Ok)
        return 0;
    // Inputs are answered with a few fixed values, then the run ends for want of one.
    for (const char* answer : {"3", "-1", "0.5", "ΑΒΓ"})
        questions.answerText(QString::fromUtf8(answer));
    HeadlessRun run(diagram, questions, sink);
    run.random().setFixedSeed(1);
    run.run(maxSteps);

    PseudoCodeGenerator generator;
    if (const std::optional<QString> pseudo = generator.generate(diagram)) {
        const QString text = ProgramTextConversions::indent(*pseudo);
        const auto basic = ProgramTextConversions::toBasic(text);
        ProgramTextConversions::toPascal(basic.text);
    }
    return 0;
}

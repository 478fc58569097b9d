// libFuzzer target: the BASIC and Pascal writers with deep and long expressions. The input's
// three lines are a prefix, a middle and a suffix; its first byte says how many times the
// prefix and the suffix are repeated (up to 25,500), so that a few bytes make an expression of
// thousands of brackets, signs or terms. Every conversion ends in a text, never a crash.
#include "core/codegen/ProgramTextConversions.h"

#include <QStringList>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const int times = int(data[0]) * 100;
    const QStringList parts =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1)).split('\n');
    const QString expression =
        parts.value(0).repeated(times) + parts.value(1) + parts.value(2).repeated(times);
    const QString pseudo = QStringLiteral("ΑΛΓΟΡΙΘΜΟΣ Α1\r\nΧ <-- ") + expression +
                           QStringLiteral("\r\nΑΝ ") + expression +
                           QStringLiteral(" ΤΟΤΕ\r\nΓΡΑΨΕ ") + expression +
                           QStringLiteral("\r\nΤΕΛΟΣ_ΑΝ\r\nΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ\r\n");
    ProgramTextConversions::toBasic(pseudo);
    ProgramTextConversions::toPascal(pseudo);
    ProgramTextConversions::toPython(pseudo);
    ProgramTextConversions::toGlossa(pseudo);
    return 0;
}

// libFuzzer target: the first line is an expression, each further line NAME=VALUE sets a
// variable. The compiled form and the reference translation must agree on the value, the
// translated text and the messages; any difference aborts.
#include "ExpressionComparison.h"

#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)).split('\n');
    ExpressionComparison pair;
    pair.clear();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype equals = lines[i].indexOf('=');
        if (equals > 0)
            pair.setVar(lines[i].left(equals), lines[i].mid(equals + 1));
    }
    // Twice: compiled on the first evaluation, taken from the cache on the second.
    for (int round = 0; round < 2; ++round) {
        if (const std::optional<QString> difference = pair.compare(lines.value(0))) {
            std::fprintf(stderr, "%s\n", qPrintable(*difference));
            std::abort();
        }
    }
    return 0;
}

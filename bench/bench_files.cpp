// Loading and saving a large diagram: 2,000 blocks and 2,000 lines; and hostile files of
// 10 MB to 60 MB, which must load or be refused within 2 s, in linear time.
#include "BenchHelpers.h"
#include "core/codegen/ProgramTextConversions.h"
#include "core/codegen/PseudoCodeGenerator.h"
#include "core/drawing/MemoryCanvas.h"
#include "core/files/DiagramFormat.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/Diagram.h"
#include "core/model/DiagramBuilder.h"
#include "core/model/MessageSink.h"
#include "core/windows/ScriptedQuestions.h"

#include <QGuiApplication>

namespace {
struct Headless {
    MemoryCanvas canvas;
    QuietSink sink;
    ScriptedQuestions questions;
    Diagram diagram{canvas, sink, questions};
};
} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    constexpr int blocks = 2000;
    Headless source;
    DiagramBuilder builder(source.diagram);
    for (int i = 0; i < blocks; ++i)
        builder.add(BlockKinds::assign, (i % 20) * 120, (i / 20) * 60,
                    QStringLiteral("Χ") + QString::number(i),
                    QStringLiteral("Χ+") + QString::number(i));
    for (int i = 1; i <= blocks; ++i)
        source.diagram.the_li_co().Add_LINE(QStringLiteral("id") + QString::number(i),
                                            QStringLiteral("id") + QString::number(i % blocks + 1),
                                            QString());
    const QByteArray bytes = DiagramFormat::write(source.diagram, QStringLiteral("σχόλιο")).bytes;

    measure(QStringLiteral("save 2000 blocks + 2000 lines"), 20,
            [&] { (void)DiagramFormat::write(source.diagram, QString()); });
    measure(QStringLiteral("load 2000 blocks + 2000 lines"), 20, [&] {
        Headless target;
        (void)DiagramFormat::read(bytes, target.diagram);
    });

    // One block whose text is 10 MB of escaped line breaks (refused), and 10 MB of comment.
    const QByteArray block = "1ORVANE\r\n 0 \r\nid1\r\n 2 \r\n 10 \r\n 10 \r\n 60 \r\n 20 \r\n 0 "
                             "\r\n 0 \r\n 0 \r\n-1-\r\n-2-\r\n2++\r\n";
    const QByteArray escapes = block + QByteArray("[\\n]").repeated(2500000) + "\r\n\r\n\r\n";
    measure(QStringLiteral("10 MB of escaped line breaks (goal < 2000 ms)"), 3, [&] {
        Headless target;
        (void)DiagramFormat::read(escapes, target.diagram);
    });
    const QByteArray comment = block + "\r\n\r\n\r\n  \r\n---- \xc3\xd1\xc1\xcc\xcc\xc7 ---- \r\n" +
                               QByteArray("comment line of some length\r\n").repeated(350000);
    measure(QStringLiteral("10 MB of comment (goal < 2000 ms)"), 3, [&] {
        Headless target;
        (void)DiagramFormat::read(comment, target.diagram);
    });
    // 8 million short comment lines (16 MB), and one comment line of 60 MB: both linear.
    const QByteArray header = block + "\r\n\r\n\r\n  \r\n---- \xc3\xd1\xc1\xcc\xcc\xc7 ---- \r\n";
    const QByteArray breaks = header + QByteArray("\r\n").repeated(8000000);
    measure(QStringLiteral("8M CR LF of comment (goal < 2000 ms)"), 3, [&] {
        Headless target;
        (void)DiagramFormat::read(breaks, target.diagram);
    });
    const QByteArray oneLine = header + QByteArray(60 * 1024 * 1024, 'x') + "\r\n";
    const long before = peakMegabytes();
    measure(QStringLiteral("60 MB one-line comment (goal < 2000 ms)"), 1, [&] {
        Headless target;
        (void)DiagramFormat::read(oneLine, target.diagram);
    });
    QTextStream(stdout) << "peak memory " << peakMegabytes() << " MB (before " << before
                        << " MB; goal: within 3x the file's 60 MB)\n";

    // Conversions of a long program: 2,000 statements, every tenth a counting loop's pair.
    Headless program;
    DiagramBuilder b(program.diagram);
    QStringList tags{b.start()};
    for (int i = 0; i < blocks; ++i)
        tags << (i % 3 == 0 ? b.read(QStringLiteral("Α") + QString::number(i % 50))
                            : b.assign(QStringLiteral("Β") + QString::number(i % 70),
                                       QStringLiteral("Α") + QString::number(i % 50) +
                                           QStringLiteral("*2+Β") + QString::number(i % 70)));
    tags << b.end();
    b.chain(tags);
    const QString pseudo = PseudoCodeGenerator().generate(program.diagram).value_or(QString());
    using Conversion = ProgramTextConversions::Result (*)(const QString&);
    const std::pair<const char*, Conversion> conversions[] = {
        {"BASIC", ProgramTextConversions::toBasic},
        {"Pascal", ProgramTextConversions::toPascal},
        {"Python", ProgramTextConversions::toPython},
        {"ΓΛΩΣΣΑ", ProgramTextConversions::toGlossa}};
    for (const auto& [language, convert] : conversions)
        measure(QStringLiteral("convert 2000 statements to ") + QString::fromUtf8(language), 5,
                [&] { (void)convert(pseudo); });
    return 0;
}

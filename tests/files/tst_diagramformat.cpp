#include "TestDiagram.h"
#include "core/files/DiagramFormat.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace BlockKinds;

namespace {

QByteArray cp1253(const QString& text) {
    return DiagramFormat::encode(text);
}

// A file made of the given lines, each ended by CR LF.
QByteArray fileOf(const QStringList& lines) {
    return cp1253(lines.join("\r\n") + "\r\n");
}

QStringList blockRecord(const QString& id, const QString& code, const QString& p1 = {},
                        const QString& p2 = {}, const QString& outline = " 0 ") {
    return {id,    outline, " 100 ", " 40 ", " 60 ", " 20 ", " 16777215 ", " 0 ", " 0 ",
            "-1-", "-2-",   code,    p1,     p2,     ""};
}

QStringList fileLines(const QStringList& blocks, int blockCount, const QStringList& lines,
                      int lineCount, const QStringList& comment = {""}) {
    return QStringList{QString::number(blockCount) + "ORVANE",
                       DiagramFormat::numberField(lineCount)} +
           blocks + QStringList{"  ", "---- ΓΡΑΜΜΗ ---- "} + lines + comment;
}

} // namespace

class TestDiagramFormat : public QObject {
    Q_OBJECT
private slots:
    void numberFields();
    void leadingNumbers_data();
    void leadingNumbers();
    void escaping();
    void emptyDiagramIsFiveLines();
    void startBlockRecord();
    void deletedBlocksAndDeadLinesNotWritten();
    void readsWhatItWrites();
    void lineRecords();
    void oldYesNoLabels();
    void outputAlwaysCard();
    void kindFieldHoldingAKeyword();
    void textsComeBackCanonical();
    void headerForms();
    void readErrorsAreReported_data();
    void readErrorsAreReported();
    void commentDoesNotGrow();
    void unstorableCharactersReported();
    void examplesResaveIdentically_data();
    void examplesResaveIdentically();
    void garbageNeverCrashes();
};

void TestDiagramFormat::numberFields() {
    QCOMPARE(DiagramFormat::numberField(12), QStringLiteral(" 12 "));
    QCOMPARE(DiagramFormat::numberField(-12), QStringLiteral("-12 "));
    QCOMPARE(DiagramFormat::numberField(0), QStringLiteral(" 0 "));
}

void TestDiagramFormat::leadingNumbers_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks") << " 12 " << 12.0;
    QTest::newRow("negative") << "-12 " << -12.0;
    QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
    QTest::newRow("decimal") << "3.75abc" << 3.75;
    QTest::newRow("stops at a letter") << "12ORVANE" << 12.0;
    QTest::newRow("no number") << "ORVANE" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point then digits") << ".5" << 0.5;
    QTest::newRow("plus and zeros") << "+007" << 7.0;
    QTest::newRow("fifteen digits") << "-123456789012345" << -123456789012345.0;
    QTest::newRow("twenty-one digits") << "123456789012345678901" << 123456789012345678901.0;
}

void TestDiagramFormat::leadingNumbers() {
    QFETCH(QString, line);
    QFETCH(double, value);
    QCOMPARE(DiagramFormat::leadingNumber(line), value);
}

void TestDiagramFormat::escaping() {
    QCOMPARE(DiagramFormat::escapeLineBreaks("α\r\nβ\r\nγ"), QStringLiteral("α[\\n]β[\\n]γ"));
    QCOMPARE(DiagramFormat::unescapeLineBreaks("α[\\n]β[\\N]γ"), QStringLiteral("α\r\nβ\r\nγ"));
    QCOMPARE(DiagramFormat::replaceAllText("aAa", "a", "aa"), QStringLiteral("aaaaaa"));
}

void TestDiagramFormat::emptyDiagramIsFiveLines() {
    TestDiagram t;
    QCOMPARE(DiagramFormat::write(t.diagram, QString()).bytes,
             cp1253("0ORVANE\r\n 0 \r\n  \r\n---- ΓΡΑΜΜΗ ---- \r\n\r\n"));
}

void TestDiagramFormat::startBlockRecord() {
    TestDiagram t;
    cBck* block = t.blocks().AddShape(Ellipse, "id1", 100, 40);
    block->setShapeWidth(60);
    block->setShapeHeight(20);
    block->setZaction(start);
    QCOMPARE(DiagramFormat::write(t.diagram, QString()).bytes,
             fileOf(fileLines(blockRecord("id1", "1++", {}, {}, " 2 "), 1, {}, 0)));
}

void TestDiagramFormat::deletedBlocksAndDeadLinesNotWritten() {
    TestDiagram t;
    t.add(start, 0, 0);
    t.add(assign, 0, 100);
    t.add(end, 0, 200);
    t.lines().Add_LINE("id1", "id2", {});
    t.lines().Add_LINE("id1", "id3", {});
    t.blocks().rem_Shape(2, true);
    const QStringList lines =
        DiagramFormat::decode(DiagramFormat::write(t.diagram, {}).bytes).split("\r\n");
    QCOMPARE(lines[0], QStringLiteral("2ORVANE"));
    QCOMPARE(lines[1], QStringLiteral(" 1 "));
    QCOMPARE(lines[2 + 15], QStringLiteral("id3"));
    QCOMPARE(lines[2 + 30 + 2], QStringLiteral("id1,id3"));
}

void TestDiagramFormat::readsWhatItWrites() {
    TestDiagram t;
    cBck* d = t.add(decision, 10, 20, 110, 50);
    d->setShape(Diamond);
    d->setZParam1("ΑΝ_Χ>5_ΤΟΤΕ");
    d->setZParam2("Χ>5");
    d->setBGColor(0x00FF00);
    d->setTextColor(0x0000FF);
    cBck* w = t.add(output, 30, 200, 110, 30);
    w->setShape(Card);
    w->setZParam1("\"ΓΡΑΜΜΗ 1\r\nΓΡΑΜΜΗ 2\"");
    w->setZParam2("Χ");
    t.lines().Add_LINE("id1", "id2", "Ν");
    const QByteArray bytes = DiagramFormat::write(t.diagram, "ΣΧΟΛΙΟ\r\n").bytes;
    QVERIFY(bytes.contains(cp1253("\"ΓΡΑΜΜΗ 1[\\n]ΓΡΑΜΜΗ 2\"")));

    TestDiagram back;
    const DiagramFormat::ReadResult result = DiagramFormat::read(bytes, back.diagram);
    QCOMPARE(result.status, DiagramFormat::ReadResult::Status::Ok);
    QCOMPARE(result.comment, QStringLiteral("ΣΧΟΛΙΟ\r\n"));
    cBck* d2 = back.blocks().Item("id1");
    QCOMPARE(d2->zaction(), decision);
    QCOMPARE(d2->sCaption(), QStringLiteral("ΑΝ_Χ>5_ΤΟΤΕ"));
    QCOMPARE(d2->BGColor(), 0x00FF00u);
    QCOMPARE(d2->TextColor(), 0x0000FFu);
    QCOMPARE(d2->shapeLeft(), 10.0);
    QCOMPARE(d2->shapeWidth(), 110);
    QCOMPARE(back.blocks().Item("id2")->zParam1(), w->zParam1());
    QCOMPARE(back.lines().Count(), 1);
    QCOMPARE(back.lines().Item(1)->sCaption(), QStringLiteral("Ν"));
    QCOMPARE(DiagramFormat::write(back.diagram, result.comment).bytes, bytes);
}

void TestDiagramFormat::lineRecords() {
    TestDiagram t;
    const QByteArray bytes = fileOf(fileLines(
        blockRecord("id3", "2++") + blockRecord("id9", "4++") + blockRecord("id9,x", "4++"), 3,
        {"id3,id9", "-1", "", "id3,id9,x", "-1", "", ",id3", "-1", ""}, 3));
    QCOMPARE(DiagramFormat::read(bytes, t.diagram).status, DiagramFormat::ReadResult::Status::Ok);
    QCOMPARE(t.lines().Count(), 2);
    QCOMPARE(t.lines().Item(1)->sTo(), QStringLiteral("id9"));
    QCOMPARE(t.lines().Item(2)->sTo(), QStringLiteral("id9,x"));
    QCOMPARE(t.sink.messages, QStringList{"Cannot make a link!!!!"});
}

void TestDiagramFormat::oldYesNoLabels() {
    TestDiagram t;
    const QByteArray bytes = fileOf(
        fileLines(blockRecord("id1", "12+") + blockRecord("id2", "4++"), 2,
                  {"id1,id2", "-1", "ΝΑΙ", "id1,id2", "-1", "ΟΧΙ", "id2,id1", "-1", "ΟΧΙΝΑΙ"}, 3));
    QCOMPARE(DiagramFormat::read(bytes, t.diagram).status, DiagramFormat::ReadResult::Status::Ok);
    QCOMPARE(t.lines().Item(1)->sCaption(), QStringLiteral("Ν"));
    QCOMPARE(t.lines().Item(2)->sCaption(), QStringLiteral("Ο"));
    QCOMPARE(t.lines().Item(3)->sCaption(), QStringLiteral("ΟΝ"));
}

void TestDiagramFormat::outputAlwaysCard() {
    TestDiagram t;
    const QByteArray bytes = fileOf(fileLines(blockRecord("id1", "5++", "Χ"), 1, {}, 0));
    QCOMPARE(DiagramFormat::read(bytes, t.diagram).status, DiagramFormat::ReadResult::Status::Ok);
    QCOMPARE(t.blocks().Item(1)->shape(), qint16(Card));
    QCOMPARE(t.blocks().Item(1)->zaction(), output);
    QCOMPARE(t.blocks().Item(1)->sCaption(), QStringLiteral("Γράψε Χ"));
}

void TestDiagramFormat::kindFieldHoldingAKeyword() {
    TestDiagram t;
    const QByteArray bytes =
        fileOf(fileLines(blockRecord("id1", "ΟΣΟ..", "ΟΣΟ_Χ<3_", "Χ<3") +
                             blockRecord("id2", "Γράψε") + blockRecord("id3", ""),
                         3, {}, 0));
    QCOMPARE(DiagramFormat::read(bytes, t.diagram).status, DiagramFormat::ReadResult::Status::Ok);
    QCOMPARE(t.blocks().Item(1)->zaction(), whileTest);
    QCOMPARE(t.blocks().Item(2)->zaction(), QStringLiteral("ΓΡΑΨΕ"));
    QVERIFY(!find(t.blocks().Item(2)->zaction()));
    QVERIFY(t.blocks().Item(3)->zaction().isEmpty());
}

void TestDiagramFormat::textsComeBackCanonical() {
    TestDiagram t;
    const QByteArray bytes =
        fileOf(fileLines(blockRecord("id1", "2++", "x", "int(a)+1"), 1, {}, 0));
    QCOMPARE(DiagramFormat::read(bytes, t.diagram).status, DiagramFormat::ReadResult::Status::Ok);
    QCOMPARE(t.blocks().Item(1)->zParam1(), QStringLiteral("Χ"));
    QCOMPARE(t.blocks().Item(1)->zParam2(), QStringLiteral("INT(Α)+1"));
}

void TestDiagramFormat::headerForms() {
    for (const QString& header : {QStringLiteral("ORVANE"), QStringLiteral("0orvane")}) {
        TestDiagram t;
        const QByteArray bytes = fileOf({header, " 0 ", "  ", "---- ΓΡΑΜΜΗ ---- ", ""});
        QCOMPARE(DiagramFormat::read(bytes, t.diagram).status,
                 DiagramFormat::ReadResult::Status::Ok);
        QCOMPARE(t.blocks().Count(), 0);
    }
    TestDiagram missing;
    missing.add(start, 0, 0);
    QCOMPARE(DiagramFormat::read(fileOf({"KV FILE", " 0 "}), missing.diagram).status,
             DiagramFormat::ReadResult::Status::NotReadable);
    QCOMPARE(missing.blocks().Count(), 0); // the open diagram was discarded first
    TestDiagram empty;
    QCOMPARE(DiagramFormat::read(QByteArray(), empty.diagram).status,
             DiagramFormat::ReadResult::Status::NotReadable);
}

void TestDiagramFormat::readErrorsAreReported_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("blocksKept");
    QTest::newRow("header alone") << cp1253("ORVANE\r\n") << 2 << 0;
    QTest::newRow("more blocks promised")
        << fileOf(QStringList{"2ORVANE", " 0 "} + blockRecord("id1", "1++")) << 18 << 1;
    QTest::newRow("line without comma")
        << fileOf(fileLines(blockRecord("id1", "1++"), 1, {"id1 id2", "-1", ""}, 1)) << 20 << 1;
    QTest::newRow("width too large")
        << fileOf({"1ORVANE", " 0 ", "id1", " 2 ", " 0 ", " 0 ", " 40000 "}) << 7 << 0;
    QTest::newRow("duplicate tag")
        << fileOf(fileLines(blockRecord("id1", "1++") + blockRecord("ID1", "6++"), 2, {}, 0)) << 18
        << 1;
    QTest::newRow("block count too large") << cp1253("99999ORVANE\r\n 0 \r\n") << 1 << 0;
}

void TestDiagramFormat::readErrorsAreReported() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, line);
    QFETCH(int, blocksKept);
    TestDiagram t;
    const DiagramFormat::ReadResult result = DiagramFormat::read(bytes, t.diagram);
    QCOMPARE(result.status, DiagramFormat::ReadResult::Status::ReadError);
    QCOMPARE(result.errorLine, line);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(t.blocks().Count(), blocksKept);
}

void TestDiagramFormat::commentDoesNotGrow() {
    TestDiagram t;
    const QByteArray written = DiagramFormat::write(t.diagram, "α\r\nβ").bytes;
    QVERIFY(written.endsWith(cp1253("---- ΓΡΑΜΜΗ ---- \r\nα\r\nβ\r\n")));
    TestDiagram back;
    const DiagramFormat::ReadResult result = DiagramFormat::read(written, back.diagram);
    QCOMPARE(result.comment, QStringLiteral("α\r\nβ\r\n"));
    QCOMPARE(DiagramFormat::write(back.diagram, result.comment).bytes, written);
}

void TestDiagramFormat::unstorableCharactersReported() {
    TestDiagram t;
    const DiagramFormat::WriteResult result = DiagramFormat::write(t.diagram, "Привет ok Пр");
    QCOMPARE(result.unstorable, QStringLiteral("Привет"));
    QVERIFY(result.bytes.endsWith("?????? ok ??\r\n"));
}

void TestDiagramFormat::examplesResaveIdentically_data() {
    QTest::addColumn<QString>("path");
    const QDir examples(QStringLiteral(KELVRA_EXAMPLES_DIR));
    const QStringList files = examples.entryList({"*.kv"}, QDir::Files);
    QCOMPARE(files.size(), 14);
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << examples.filePath(file);
}

void TestDiagramFormat::examplesResaveIdentically() {
    QFETCH(QString, path);
    QTemporaryDir dir;
    HeadlessDiagram headless;
    QVERIFY(headless.load(path));
    QVERIFY(headless.messages().isEmpty());
    const QString copy = dir.filePath("copy.kv");
    QVERIFY(headless.save(copy));
    QFile original(path), saved(copy);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), original.readAll());
    QVERIFY(headless.diagram().findActionBlock(start));
    QVERIFY(headless.diagram().findActionBlock(end));
}

void TestDiagramFormat::garbageNeverCrashes() {
    // Every prefix of a real file, and bytes of every value, read without a crash.
    QFile example(QStringLiteral(KELVRA_EXAMPLES_DIR "/maxabc.kv"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray bytes = example.readAll();
    const qsizetype separator = bytes.indexOf(cp1253("---- ΓΡΑΜΜΗ"));
    for (int length = 0; length < bytes.size(); length += 7) {
        TestDiagram t;
        const auto status = DiagramFormat::read(bytes.left(length), t.diagram).status;
        if (length < separator)
            QVERIFY(status != DiagramFormat::ReadResult::Status::Ok);
    }
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    TestDiagram t;
    DiagramFormat::read("1ORVANE\r\n 1 \r\n" + all, t.diagram);
}

QTEST_MAIN(TestDiagramFormat)
#include "tst_diagramformat.moc"

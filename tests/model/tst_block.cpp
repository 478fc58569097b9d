#include "TestDiagram.h"
#include "core/model/BlockKinds.h"

#include <QTest>

using namespace BlockKinds;

class TestBlock : public QObject {
    Q_OBJECT
private slots:
    void caption_data();
    void caption();
    void captionLeftAloneForUnknownKinds();
    void sizesRoundHalvesToEven();
    void tagIdSurvivesDeletionMark();
    void kindCodes_data();
    void kindCodes();
    void decodingCodes_data();
    void decodingCodes();
};

void TestBlock::caption_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("p1");
    QTest::addColumn<QString>("p2");
    QTest::addColumn<QString>("caption");
    QTest::newRow("start") << start << ""
                           << ""
                           << "Αρχή";
    QTest::newRow("end") << end << "x"
                         << ""
                         << "Τέλος";
    QTest::newRow("junction") << junction << ""
                              << ""
                              << "+";
    QTest::newRow("assign") << assign << "Χ"
                            << "Χ+1"
                            << "Χ <-- Χ+1";
    QTest::newRow("input") << input << ""
                           << "Α"
                           << "Διάβασε Α";
    QTest::newRow("output one item") << output << "Α"
                                     << ""
                                     << "Γράψε Α";
    QTest::newRow("output two items") << output << "Α"
                                      << "Β"
                                      << "Γράψε Α,Β";
    // The caption shows the list as the run reads it: words side by side are a message.
    QTest::newRow("output text then value") << output << "ΤΟ ΑΠΟΤΕΛΕΣΜΑ"
                                            << "Χ"
                                            << "Γράψε \"ΤΟ ΑΠΟΤΕΛΕΣΜΑ\",Χ";
    QTest::newRow("output words then a remainder") << output << "ΤΟ ΥΠΟΛΟΙΠΟ;"
                                                   << "Χ MOD 2"
                                                   << "Γράψε \"ΤΟ ΥΠΟΛΟΙΠΟ\";,Χ MOD 2";
    QTest::newRow("output quoted text then value") << output << "\"ΤΟ ΑΠΟΤΕΛΕΣΜΑ\""
                                                   << "Χ"
                                                   << "Γράψε \"ΤΟ ΑΠΟΤΕΛΕΣΜΑ\",Χ";
    QTest::newRow("output three items") << output << "Χ"
                                        << "Υ,Ζ"
                                        << "Γράψε Χ,Υ,Ζ";
    QTest::newRow("output trims") << output << "  Α  "
                                  << "   "
                                  << "Γράψε Α";
    QTest::newRow("output quote blank quote") << output << "\"Α\" \"Β\""
                                              << ""
                                              << "Γράψε \"Α\" \"Β\"";
    QTest::newRow("output element of a table") << output << "\"ΤΙΜΗ\""
                                               << "Π[Ι,Κ]"
                                               << "Γράψε \"ΤΙΜΗ\",Π[Ι,Κ]";
    QTest::newRow("decision") << decision << "ΑΝ_Χ>5_ΤΟΤΕ"
                              << "Χ>5"
                              << "ΑΝ_Χ>5_ΤΟΤΕ";
    QTest::newRow("while") << whileTest << "ΟΣΟ_Χ<10_"
                           << "Χ<10"
                           << "ΟΣΟ_Χ<10_";
    QTest::newRow("until") << untilTest << "ΜΕΧΡΙΣ_ΟΤΟΥ_Χ=1_"
                           << "Χ=1"
                           << "ΜΕΧΡΙΣ_ΟΤΟΥ_Χ=1_";
}

void TestBlock::caption() {
    QFETCH(QString, kind);
    QFETCH(QString, p1);
    QFETCH(QString, p2);
    QFETCH(QString, caption);
    cBck block;
    block.setZaction(kind);
    block.setZParam1(p1);
    block.setZParam2(p2);
    block.setCaptionToAction();
    QCOMPARE(block.sCaption(), caption);
}

void TestBlock::captionLeftAloneForUnknownKinds() {
    cBck block;
    block.setSCaption(QStringLiteral("παλιό"));
    block.setCaptionToAction();
    QCOMPARE(block.sCaption(), QStringLiteral("παλιό"));
    block.setZaction(QStringLiteral("αρχή")); // the keywords are compared with their case
    block.setCaptionToAction();
    QCOMPARE(block.sCaption(), QStringLiteral("παλιό"));
}

void TestBlock::sizesRoundHalvesToEven() {
    MemorySurface surface(Qt::white);
    surface.setExactSize(80.5, 81.5);
    cBck block;
    block.setT_O_Shape(&surface); // the block takes the size its surface came with
    QCOMPARE(block.shapeWidth(), 80);
    QCOMPARE(block.shapeHeight(), 82);
    block.setShapeLeft(10.25);
    QCOMPARE(block.shapeLeft(), 10.25);
}

void TestBlock::tagIdSurvivesDeletionMark() {
    MemorySurface surface(Qt::white);
    cBck block;
    block.setT_O_Shape(&surface);
    block.setTagid(QStringLiteral("id7"));
    QCOMPARE(surface.tag(), QStringLiteral("id7"));
    surface.setTag(QStringLiteral("id7-DELETED"));
    QCOMPARE(block.tagid(), QStringLiteral("id7"));
}

void TestBlock::kindCodes_data() {
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("field");
    QTest::newRow("start") << start << "1++";
    QTest::newRow("assign") << assign << "2++";
    QTest::newRow("junction") << junction << "4++";
    QTest::newRow("output") << output << "5++";
    QTest::newRow("end") << end << "6++";
    QTest::newRow("until") << untilTest << "10+";
    QTest::newRow("while") << whileTest << "11+";
    QTest::newRow("decision") << decision << "12+";
    QTest::newRow("input") << input << "22+";
    QTest::newRow("ADD first occurrence") << "ADD"
                                          << "3++";
    QTest::newRow("empty has no code") << ""
                                       << "";
    QTest::newRow("unknown has no code") << "ΤΙΠΟΤΑ"
                                         << "";
}

void TestBlock::kindCodes() {
    QFETCH(QString, keyword);
    QFETCH(QString, field);
    QCOMPARE(codeFieldFor(keyword), field);
}

void TestBlock::decodingCodes_data() {
    QTest::addColumn<qlonglong>("code");
    QTest::addColumn<QString>("keyword");
    QTest::newRow("1") << 1LL << start;
    QTest::newRow("2") << 2LL << assign;
    QTest::newRow("3") << 3LL << "ADD";
    QTest::newRow("12") << 12LL << decision;
    QTest::newRow("13") << 13LL << "ADD";
    QTest::newRow("22") << 22LL << input;
    QTest::newRow("26") << 26LL << ">";
    QTest::newRow("30") << 30LL << "<>";
    QTest::newRow("32") << 32LL << "IF_OR";
    QTest::newRow("0 unknown") << 0LL << "";
    QTest::newRow("33 unknown") << 33LL << "";
    QTest::newRow("negative unknown") << -1LL << "";
}

void TestBlock::decodingCodes() {
    QFETCH(qlonglong, code);
    QFETCH(QString, keyword);
    QCOMPARE(keywordForCode(code), keyword);
}

QTEST_MAIN(TestBlock)
#include "tst_block.moc"

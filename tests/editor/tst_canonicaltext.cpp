#include "core/editor/BlockCommands.h"
#include "core/editor/CanonicalText.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

class TestCanonicalText : public QObject {
    Q_OBJECT
private slots:
    void canonicalForm_data();
    void canonicalForm();
    void canonicalFormIsStable();
    void canonicalFormFitsTheCodePage();
    void nameCheck_data();
    void nameCheck();
    void assignmentCommand();
    void outputRoundTrip_data();
    void outputRoundTrip();
    void conditionRoundTrip();
};

void TestCanonicalText::canonicalForm_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("canonical");
    QTest::newRow("assignment arrow") << "x<-y+1"
                                      << "Χ<-Υ+1";
    QTest::newRow("mod with blanks") << "x <-- y mod 2"
                                     << "Χ <-- Υ MOD 2";
    QTest::newRow("mod without blanks stays Greek") << "xmody"
                                                    << "ΧΜΟΔΥ";
    QTest::newRow("div and and or not") << "a div b and c or not d"
                                        << "Α DIV Β AND Ψ OR NOT Δ";
    QTest::newRow("int") << "int(a)"
                         << "INT(Α)";
    QTest::newRow("sqr keeps Latin Q") << "sqr(x)"
                                       << "SQR(Χ)";
    QTest::newRow("Q alone stays Latin") << "q"
                                         << "Q";
    QTest::newRow("accents dropped") << "άλφα"
                                     << "ΑΛΦΑ";
    QTest::newRow("final sigma") << "λόγος"
                                 << "ΛΟΓΟΣ";
    QTest::newRow("accented capitals") << "ΆΈΉΊΌΎΏ"
                                       << "ΑΕΗΙΟΥΩ";
    QTest::newRow("diaeresis on upsilon") << "ϋ"
                                          << "Υ";
    QTest::newRow("upsilon with diaeresis and accent") << "πραΰς"
                                                       << "ΠΡΑΥΣ";
    QTest::newRow("iota with diaeresis and accent") << "ΐ"
                                                    << "Ι";
    QTest::newRow("mixed Latin and Greek keys") << "sum<-συνολο+x"
                                                << "ΣΘΜ<-ΣΥΝΟΛΟ+Χ";
    QTest::newRow("whole Latin keyboard") << "abcdefghijklmnoprstuvwxyz"
                                          << "ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠΡΣΤΘΩΣΧΥΖ";
    QTest::newRow("string literals too") << "\"το άθροισμα\",s"
                                         << "\"ΤΟ ΑΘΡΟΙΣΜΑ\",Σ";
    QTest::newRow("functions") << "abs(x)+rnd(1)+tan(y)"
                               << "ABS(Χ)+RND(1)+TAN(Υ)";
    // The ends of a text of several words count as blanks.
    QTest::newRow("operator at the very start") << "mod 2"
                                                << "MOD 2";
    QTest::newRow("not at the start of a condition") << "not α > 0"
                                                     << "NOT Α > 0";
    QTest::newRow("operator at the very end") << "a and"
                                              << "Α AND";
    QTest::newRow("one word alone stays a name") << "or"
                                                 << "ΟΡ";
    QTest::newRow("empty") << ""
                           << "";
}

void TestCanonicalText::canonicalForm() {
    QFETCH(QString, typed);
    QFETCH(QString, canonical);
    QCOMPARE(ucase_en_gr(typed), canonical);
}

void TestCanonicalText::canonicalFormIsStable() {
    for (const QString& text : {QStringLiteral("x <-- y mod 2"),
                                QStringLiteral("sqr(x) and int(b)"), QStringLiteral("άλφα")}) {
        const QString once = ucase_en_gr(text);
        QCOMPARE(ucase_en_gr(once), once);
    }
}

// A canonical text must survive the Greek code page of the diagram files: every Greek or
// Latin keyboard letter the code page holds stays representable after upper-casing.
void TestCanonicalText::canonicalFormFitsTheCodePage() {
    QStringDecoder decode("windows-1253");
    QVERIFY(decode.isValid());
    for (int byte = 0x20; byte <= 0xFE; ++byte) {
        if (byte > 0x7E && byte < 0xB6)
            continue; // signs and symbols, no letters of either keyboard
        const char c = char(byte);
        const QString letter = decode(QByteArray(1, c));
        if (letter == QChar(QChar::ReplacementCharacter))
            continue;
        QStringEncoder encode("windows-1253");
        const QByteArray encoded = encode(ucase_en_gr(letter));
        QVERIFY2(!encode.hasError(),
                 qPrintable(letter + QLatin1String(" -> ") + ucase_en_gr(letter)));
        QVERIFY(!encoded.contains('?') || letter == QStringLiteral("?"));
    }
}

void TestCanonicalText::nameCheck_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "ΣΥΝΟΛΟ" << true;
    QTest::newRow("leading digit") << "5Α" << false;
    QTest::newRow("digit later") << "Α5" << true;
    QTest::newRow("dot") << "Α.Β" << false;
    QTest::newRow("reserved ΤΟΤΕ") << "ΤΟΤΕ" << false;
    QTest::newRow("reserved ΓΙΑ") << "ΓΙΑ" << false;
    QTest::newRow("reserved TAN") << "TAN" << false;
    QTest::newRow("only the accented ΆΠΟ is reserved") << "ΑΠΟ" << true;
    QTest::newRow("accented ΆΠΟ") << "ΆΠΟ" << false;
    QTest::newRow("reserved words compare with case") << "τοτε" << true;
    QTest::newRow("array element") << "Α[Ι]" << true;
    QTest::newRow("two-dimensional element") << "Π[Ι,Κ]" << true;
    QTest::newRow("computed two-dimensional element") << "Π[Ι+1,2]" << true;
    QTest::newRow("computed element") << "Α[Ι+1]" << true;
    QTest::newRow("comma outside brackets") << "Α,Β" << false;
    QTest::newRow("comma after brackets") << "Α[Ι],Β" << false;
    QTest::newRow("unclosed bracket keeps the strict rule") << "Π[Ι,Κ" << false;
    QTest::newRow("quote inside brackets") << "Α[\"Ι\"]" << false;
    QTest::newRow("blank and underscore") << "ΜΕΓΙΣΤΟ_ΣΤΟΙΧΕΙΟ Α" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("arrow") << "Α<-" << false;
    QTest::newRow("school AND is an operator") << "ΚΑΙ" << false;
    QTest::newRow("school NOT is an operator") << "ΟΧΙ" << false;
    QTest::newRow("Η stays a name") << "Η" << true;
}

void TestCanonicalText::nameCheck() {
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IS_NAME_VAR(name), valid);
}

void TestCanonicalText::assignmentCommand() {
    cBck block;
    QVERIFY(BlockCommands::applyAssignment(block, QStringLiteral("Χ <-- Υ MOD 2")));
    QCOMPARE(block.zaction(), BlockKinds::assign);
    QCOMPARE(block.zParam1(), QStringLiteral("Χ"));
    QCOMPARE(block.zParam2(), QStringLiteral("Υ MOD 2"));
    QCOMPARE(block.sCaption(), QStringLiteral("Χ <-- Υ MOD 2"));

    cBck refused;
    QVERIFY(!BlockCommands::applyAssignment(refused, QStringLiteral("5Α <-- 1")));
    // The refused texts stay written, but the caption is not recomputed.
    QCOMPARE(refused.zParam1(), QStringLiteral("5Α"));
    QVERIFY(refused.sCaption().isEmpty());
    QVERIFY(!BlockCommands::applyAssignment(refused, QStringLiteral("Χ <-- ")));
    QVERIFY(!BlockCommands::applyAssignment(refused, QStringLiteral("Χ = 1")));
    QVERIFY(BlockCommands::applyAssignment(refused, QStringLiteral("Π[Ι,Κ] <-- 0")));
}

void TestCanonicalText::outputRoundTrip_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("p1");
    QTest::addColumn<QString>("p2");
    QTest::addColumn<QString>("reopened");
    QTest::newRow("text and value") << "\"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\",Σ"
                                    << "\"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\""
                                    << "Σ"
                                    << "\"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\",Σ";
    // Reopening shows the list as the run reads it: a lone value stays a value.
    QTest::newRow("value alone") << "Σ"
                                 << "Σ"
                                 << ""
                                 << "Σ";
    QTest::newRow("message alone keeps its quotes") << "\"ΓΕΙΑ\""
                                                    << "\"ΓΕΙΑ\""
                                                    << ""
                                                    << "\"ΓΕΙΑ\"";
    QTest::newRow("quotes inside a value are dropped") << "Α\"Β"
                                                       << "ΑΒ"
                                                       << ""
                                                       << "ΑΒ";
    QTest::newRow("three items") << "Χ,Υ,Ζ"
                                 << "Χ"
                                 << "Υ,Ζ"
                                 << "Χ,Υ,Ζ";
    QTest::newRow("element of a table") << "\"ΤΙΜΗ\",Π[Ι,Κ]"
                                        << "\"ΤΙΜΗ\""
                                        << "Π[Ι,Κ]"
                                        << "\"ΤΙΜΗ\",Π[Ι,Κ]";
}

void TestCanonicalText::outputRoundTrip() {
    QFETCH(QString, typed);
    QFETCH(QString, p1);
    QFETCH(QString, p2);
    QFETCH(QString, reopened);
    cBck block;
    BlockCommands::applyOutput(block, typed);
    QCOMPARE(block.zaction(), BlockKinds::output);
    QCOMPARE(block.zParam1(), p1);
    QCOMPARE(block.zParam2(), p2);
    QCOMPARE(BlockCommands::outputBoxText(block), reopened);
}

void TestCanonicalText::conditionRoundTrip() {
    cBck block;
    QVERIFY(BlockCommands::applyCondition(block, BlockKinds::whileTest, QStringLiteral("Χ<10")));
    QCOMPARE(block.zParam1(), QStringLiteral("ΟΣΟ_Χ<10_"));
    QCOMPARE(block.zParam2(), QStringLiteral("Χ<10"));
    const QString shown = BlockCommands::conditionBoxText(block.zParam1(), BlockKinds::whileTest);
    QCOMPARE(shown, QStringLiteral("Χ<10"));
    QVERIFY(BlockCommands::applyCondition(block, BlockKinds::whileTest, shown));
    QCOMPARE(block.zParam1(), QStringLiteral("ΟΣΟ_Χ<10_"));
    QCOMPARE(BlockCommands::conditionBoxText(QStringLiteral("ΑΝ_Χ>5_ΤΟΤΕ"), BlockKinds::decision),
             QStringLiteral("Χ>5"));
    QCOMPARE(
        BlockCommands::conditionBoxText(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ_Χ=1_"), BlockKinds::untilTest),
        QStringLiteral("Χ=1"));
    QVERIFY(!BlockCommands::applyCondition(block, BlockKinds::decision, QString()));
    QCOMPARE(block.zParam1(), QStringLiteral("ΑΝ__ΤΟΤΕ"));
}

QTEST_MAIN(TestCanonicalText)
#include "tst_canonicaltext.moc"

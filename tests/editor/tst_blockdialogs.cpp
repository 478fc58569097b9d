#include "EditorTestHelpers.h"
#include "core/editor/BlockCommands.h"
#include "core/editor/CanonicalText.h"
#include "core/model/BlockKinds.h"
#include "gui/editor/BlockDialogs.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

using namespace BlockKinds;

namespace {

// Runs `drive` on the modal dialog the next action opens.
void whenDialogOpens(const std::function<void(BlockDialog*)>& drive) {
    QTimer::singleShot(0, [drive] {
        auto* dialog = qobject_cast<BlockDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        drive(dialog);
        if (dialog->isVisible())
            dialog->done(QDialog::Rejected); // never leave a test hanging on a dialog
    });
}

// Types Latin and Greek letters alike, one key event per character.
void typeText(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(box, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void typeAndConfirm(BlockDialog* dialog, const QString& text) {
    dialog->textBox()->clear();
    typeText(dialog->textBox(), text);
    QTest::keyClick(dialog->textBox(), Qt::Key_Return);
}

QString ucase_en_gr_for_test(const QString& text) {
    return ucase_en_gr(text);
}

} // namespace

class TestBlockDialogs : public QObject {
    Q_OBJECT
private slots:
    void canonicalWhileTypingKeepsTheCaret();
    void assignmentStoredCanonical();
    void wrongAssignmentsRefused_data();
    void wrongAssignmentsRefused();
    void inputNames();
    void inputNameExplainedOnOk();
    void escapeOnANewInputSaysNothing();
    void escapeCancelsAnOutput();
    void cancelledOptionLeavesTheBlock();
    void refusedAssignmentThenCancelLeavesNoGhost();
    void outputRoundTrip();
    void outputCancelAfterTypingKeeps();
    void whileConditionRoundTrip();
    void optionTwoTurnsDecisionIntoWhile();
    void emptyConditionRefused();
    void cancelledPlacementLeavesNoBlock();
    void cancelledConditionBlockRemoved();
    void placedDialogsAndTooltips();
    void doubleClickEditsOrRefuses();
    void editWithoutSelection();
};

void TestBlockDialogs::canonicalWhileTypingKeepsTheCaret() {
    cBck block;
    ScriptedQuestions questions;
    Action_F dialog(block, questions);
    dialog.show();
    QTest::keyClicks(dialog.cboxVarName, QStringLiteral("x<-y+1"));
    QCOMPARE(dialog.cboxVarName->text(), QStringLiteral("Χ<-Υ+1"));
    dialog.cboxVarName->setCursorPosition(1);
    QTest::keyClicks(dialog.cboxVarName, QStringLiteral("a"));
    QCOMPARE(dialog.cboxVarName->text(), QStringLiteral("ΧΑ<-Υ+1"));
    QCOMPARE(dialog.cboxVarName->cursorPosition(), 2);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Εκχώρηση σε Μεταβλητή ...."));
    QCOMPARE(dialog.label->text(), QStringLiteral("Εκχώρησε"));
    QCOMPARE(dialog.cmdOK->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.Command1->text(), QStringLiteral("Άκυρο"));
}

void TestBlockDialogs::assignmentStoredCanonical() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) { typeAndConfirm(d, QStringLiteral("x <-- y mod 2")); });
    f.clickToolButton(3);
    f.clickCanvas({200, 150});
    cBck* block = f.lastBlock();
    QVERIFY(block);
    QCOMPARE(block->zaction(), assign);
    QCOMPARE(block->zParam1(), QStringLiteral("Χ"));
    QCOMPARE(block->zParam2(), QStringLiteral("Υ MOD 2"));
    QCOMPARE(block->sCaption(), QStringLiteral("Χ <-- Υ MOD 2"));
    QCOMPARE(block->shape(), qint16(Rectangle));
    QCOMPARE(block->t_O_Shape()->toolTip(), QStringLiteral("Εκχώρησε"));
    QVERIFY(f.questions.asked().isEmpty());
    QVERIFY(f.canvas()->selectorVisible());
}

void TestBlockDialogs::wrongAssignmentsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("explained"); // empty: accepted
    QTest::addColumn<int>("caret");         // where the caret goes on a refusal, or -1
    QTest::newRow("leading digit") << "5Α <-- 1"
                                   << "Το «5Α» δεν είναι όνομα μεταβλητής" << 0;
    QTest::newRow("reserved") << "ΤΟΤΕ <-- 1"
                              << "Το «ΤΟΤΕ» δεν είναι όνομα μεταβλητής" << 0;
    QTest::newRow("dot") << "Α.Β <-- 1"
                         << "δεν είναι όνομα μεταβλητής" << 0;
    QTest::newRow("no arrow") << "Α = 1"
                              << "Λείπει το βέλος" << -1;
    QTest::newRow("empty expression") << "Α <-- "
                                      << "Λείπει η τιμή" << -1;
    QTest::newRow("missing operator") << "Χ <-- 1 Χ"
                                      << "Στη θέση 9: λείπει τελεστής ανάμεσα σε «1» και «Χ»" << 8;
    QTest::newRow("remainder of a bracket") << "Χ <-- (Α+1) MOD 2"
                                            << "το MOD θέλει" << 12;
    QTest::newRow("unclosed bracket") << "Χ <-- (Α+1"
                                      << "λείπει το «)»" << 10;
    QTest::newRow("element") << "Α[Ι] <-- 0"
                             << "" << -1;
    QTest::newRow("two-dimensional element") << "Π[Ι,Κ] <-- Ι*Κ"
                                             << "" << -1;
    QTest::newRow("short arrow") << "Χ <- Χ+1"
                                 << "" << -1;
    QTest::newRow("arrow sign") << "Χ ← Χ+1"
                                << "" << -1;
    QTest::newRow("Pascal's arrow") << "Χ := Χ+1"
                                    << "" << -1;
    QTest::newRow("school words") << "Χ <-- Α>1 ΚΑΙ ΟΧΙ Β"
                                  << "" << -1;
}

void TestBlockDialogs::wrongAssignmentsRefused() {
    QFETCH(QString, typed);
    QFETCH(QString, explained);
    QFETCH(int, caret);
    cBck block;
    ScriptedQuestions questions;
    Action_F dialog(block, questions);
    dialog.show();
    typeAndConfirm(&dialog, typed);
    if (explained.isEmpty()) {
        QVERIFY(questions.asked().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!block.sCaption().isEmpty());
        QVERIFY(block.sCaption().contains(QStringLiteral(" <-- "))); // the arrow as stored
    } else {
        QCOMPARE(questions.asked().size(), 1);
        const QString said = questions.asked()[0].text;
        QVERIFY2(said.startsWith(QStringLiteral("Πρόβλημα Λάθος καταχώρηση\r\n")) &&
                     said.contains(explained) && said.contains(QStringLiteral("π.χ.")),
                 qPrintable(said));
        QVERIFY(dialog.isVisible()); // the pupil corrects the command
        QCOMPARE(dialog.cboxVarName->text(), ucase_en_gr_for_test(typed));
        if (caret >= 0)
            QCOMPARE(dialog.cboxVarName->cursorPosition(), caret);
    }
}

void TestBlockDialogs::inputNames() {
    for (const auto& [name, ok] :
         {std::pair{QStringLiteral("απο"), true}, std::pair{QStringLiteral("για"), false}}) {
        cBck block;
        ScriptedQuestions questions;
        CollectingSink sink;
        Input_F dialog(block, questions, sink);
        dialog.show();
        typeAndConfirm(&dialog, name);
        if (ok) {
            QCOMPARE(block.zaction(), input);
            QCOMPARE(block.zParam2(), QStringLiteral("ΑΠΟ"));
            QCOMPARE(block.sCaption(), QStringLiteral("Διάβασε ΑΠΟ"));
            QVERIFY(questions.asked().isEmpty());
        } else {
            QCOMPARE(questions.asked().size(), 1);
            QCOMPARE(questions.asked()[0].text, QStringLiteral("Άκυρο όνομα μεταβλητής"));
            QVERIFY(block.zaction().isEmpty());
            QVERIFY(dialog.isVisible());
        }
    }
}

// A wrong name is explained once, on OK: one message box and one message-window line,
// and nothing at all when the box merely loses the focus.
void TestBlockDialogs::inputNameExplainedOnOk() {
    cBck block;
    ScriptedQuestions questions;
    CollectingSink sink;
    Input_F dialog(block, questions, sink);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.cboxVarName->setFocus();
    typeText(dialog.cboxVarName, QStringLiteral("5χ"));
    dialog.cmdOK->setFocus(); // the box loses the focus
    QVERIFY(sink.messages.isEmpty());
    QTest::keyClick(dialog.cboxVarName, Qt::Key_Return);
    QCOMPARE(sink.messages,
             QStringList({QStringLiteral("Δεν είναι όνομα μεταβλητής το\r\n '5Χ'")}));
    QCOMPARE(questions.asked().size(), 1);
    QCOMPARE(questions.asked()[0].text, QStringLiteral("Άκυρο όνομα μεταβλητής"));
    QVERIFY(dialog.isVisible());
}

// Escape on a newly placed input block: the block goes, nothing is reported.
void TestBlockDialogs::escapeOnANewInputSaysNothing() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) { QTest::keyClick(d->textBox(), Qt::Key_Escape); });
    f.clickToolButton(4);
    f.clickCanvas({200, 150});
    QVERIFY(f.questions.asked().isEmpty());
    QVERIFY(!f.window.messageSink().window() || f.window.messageSink().window()->text().isEmpty());
    QVERIFY(Bl_Co::isDeleted(*f.diagram().the_bl_co().Item(1)));
}

void TestBlockDialogs::outputRoundTrip() {
    EditorFixture f;
    whenDialogOpens(
        [](BlockDialog* d) { typeAndConfirm(d, QStringLiteral("\"το άθροισμα είναι\",s")); });
    f.clickToolButton(5);
    f.clickCanvas({200, 150});
    cBck* block = f.lastBlock();
    QCOMPARE(block->zParam1(), QStringLiteral("\"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\""));
    QCOMPARE(block->zParam2(), QStringLiteral("Σ"));
    QCOMPARE(block->sCaption(), QStringLiteral("Γράψε \"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\",Σ"));
    QCOMPARE(block->shape(), qint16(Card));

    QString reopened;
    whenDialogOpens([&reopened](BlockDialog* d) {
        reopened = d->textBox()->text();
        QTest::mouseClick(d->Command1, Qt::LeftButton);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.onBlock(1, QPoint(5, 5)));
    QCOMPARE(reopened, QStringLiteral("\"ΤΟ ΑΘΡΟΙΣΜΑ ΕΙΝΑΙ\",Σ"));
    QCOMPARE(block->zParam2(), QStringLiteral("Σ"));
}

void TestBlockDialogs::outputCancelAfterTypingKeeps() {
    cBck block;
    ScriptedQuestions questions;
    Output_F dialog(block, questions);
    dialog.show();
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(block.zaction().isEmpty());

    Output_F typed(block, questions);
    typed.show();
    typeText(typed.txtText, QStringLiteral("σ"));
    QTest::mouseClick(typed.Command1, Qt::LeftButton);
    QCOMPARE(typed.result(), int(QDialog::Accepted));
    QCOMPARE(block.zaction(), output);
    QCOMPARE(block.zParam1(), QStringLiteral("Σ"));
}

void TestBlockDialogs::whileConditionRoundTrip() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Δομή ΟΣΟ.."));
        typeAndConfirm(d, QStringLiteral("x<10"));
    });
    f.clickToolButton(8);
    f.clickCanvas({200, 150});
    cBck* block = f.lastBlock();
    QCOMPARE(block->zaction(), whileTest);
    QCOMPARE(block->zParam1(), QStringLiteral("ΟΣΟ_Χ<10_"));
    QCOMPARE(block->zParam2(), QStringLiteral("Χ<10"));
    QCOMPARE(block->t_O_Shape()->toolTip(), QStringLiteral("Δομή ΟΣΟ.."));

    QString reopened;
    whenDialogOpens([&reopened](BlockDialog* d) {
        reopened = d->textBox()->text();
        QTest::mouseClick(d->cmdOK, Qt::LeftButton);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.onBlock(1, QPoint(40, 20)));
    QCOMPARE(reopened, QStringLiteral("Χ<10"));
    QCOMPARE(block->zParam1(), QStringLiteral("ΟΣΟ_Χ<10_"));
    QCOMPARE(block->zParam2(), QStringLiteral("Χ<10"));
}

void TestBlockDialogs::optionTwoTurnsDecisionIntoWhile() {
    cBck block;
    ScriptedQuestions questions;
    BlockCommands::applyCondition(block, decision, QStringLiteral("Χ>5"));
    If_Frm dialog(block, decision, questions);
    dialog.cboxOperand1->setText(block.zParam1());
    dialog.show();
    QCOMPARE(dialog.cboxOperand1->text(), QStringLiteral("Χ>5"));
    QVERIFY(dialog.epanal[0]->isChecked());
    QTest::mouseClick(dialog.epanal[1], Qt::LeftButton);
    QCOMPARE(dialog.tag(), whileTest);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Δομή ΟΣΟ.."));
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    QCOMPARE(block.zaction(), whileTest);
    QCOMPARE(block.zParam1(), QStringLiteral("ΟΣΟ_Χ>5_"));
    QCOMPARE(block.sCaption(), QStringLiteral("ΟΣΟ_Χ>5_"));
}

void TestBlockDialogs::emptyConditionRefused() {
    cBck block;
    ScriptedQuestions questions;
    If_Frm dialog(block, decision, questions);
    dialog.show();
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    QCOMPARE(questions.asked().size(), 1);
    QVERIFY(questions.asked()[0].text.startsWith(QStringLiteral("Πρέπει να γραφεί μια σχέση\r\n")));
    QVERIFY(dialog.isVisible());
    // A relation the run could not compute is refused with its reason; F1 shows how to write it.
    for (const char* wrong : {"Α > 1 ΚΑΙ", "Α Β > 0", "Χ*(2"}) {
        typeAndConfirm(&dialog, QString::fromUtf8(wrong));
        QVERIFY(dialog.isVisible());
    }
    QCOMPARE(questions.asked().size(), 4);
    QVERIFY(questions.asked()[2].text.contains(
        QStringLiteral("λείπει τελεστής ανάμεσα σε «Α» και «Β»")));
    QTest::keyClick(dialog.cboxOperand1, Qt::Key_F1);
    auto* help = dialog.findChild<QWidget*>(QStringLiteral("kelvraCommandsHelp"));
    QVERIFY(help && help->isVisible());
    typeAndConfirm(&dialog, QStringLiteral("Α > 1 ΚΑΙ ΟΧΙ Β = 0"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    Output_F output(block, questions);
    output.show();
    typeAndConfirm(&output, QStringLiteral("\"ΤΟ ΑΘΡΟΙΣΜΑ\", Σ*(2"));
    QVERIFY(output.isVisible());
    QVERIFY(questions.asked().last().text.contains(QStringLiteral("λείπει το «)»")));
    typeAndConfirm(&output, QStringLiteral("\"ΤΟ ΑΘΡΟΙΣΜΑ\", 2*Σ"));
    QCOMPARE(output.result(), int(QDialog::Accepted));
}

void TestBlockDialogs::cancelledPlacementLeavesNoBlock() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) { QTest::mouseClick(d->Command1, Qt::LeftButton); });
    f.clickToolButton(3);
    f.clickCanvas({200, 150});
    Bl_Co& blocks = f.diagram().the_bl_co();
    QCOMPARE(blocks.Count(), 1);
    QVERIFY(Bl_Co::isDeleted(*blocks.Item(1)));
    QVERIFY(f.questions.asked().isEmpty()); // removed without a question
    QCOMPARE(blocks.getFreeTagID(), QStringLiteral("id2"));
    QVERIFY(f.window.selectedTool().isEmpty());
}

void TestBlockDialogs::cancelledConditionBlockRemoved() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) {
        auto* dialog = static_cast<If_Frm*>(d);
        QTest::mouseClick(dialog->epanal[2], Qt::LeftButton);
        QTest::keyClick(d->textBox(), Qt::Key_Escape);
    });
    f.clickToolButton(6);
    f.clickCanvas({200, 150});
    QVERIFY(Bl_Co::isDeleted(*f.diagram().the_bl_co().Item(1)));
    QVERIFY(!f.diagram().findActionBlock(untilTest));
}

void TestBlockDialogs::placedDialogsAndTooltips() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Είσοδος"));
        QCOMPARE(d->label->text(), QStringLiteral("Ποιά μεταβλητή θα διαβάζεται"));
        typeAndConfirm(d, QStringLiteral("a"));
    });
    f.clickToolButton(4);
    f.clickCanvas({300, 300});
    cBck* read = f.lastBlock();
    QCOMPARE(read->sCaption(), QStringLiteral("Διάβασε Α"));
    QCOMPARE(read->shape(), qint16(Parallelogram));
    QCOMPARE(read->t_O_Shape()->toolTip(), input);

    QPoint dialogPos;
    whenDialogOpens([&dialogPos](BlockDialog* d) {
        dialogPos = d->pos();
        QCOMPARE(d->windowTitle(), QStringLiteral("Έξοδος"));
        QCOMPARE(d->label->text(), QStringLiteral("Εκτύπωση ..."));
        typeAndConfirm(d, QStringLiteral("a"));
    });
    f.clickToolButton(5);
    f.clickCanvas({320, 400});
    QCOMPARE(dialogPos, f.canvas()->mapToGlobal(QPoint(320, 400)));
    QCOMPARE(f.lastBlock()->t_O_Shape()->toolTip(), output);

    whenDialogOpens([](BlockDialog* d) {
        QCOMPARE(d->label->text(), QStringLiteral("Γράψε την σχέση "));
        typeAndConfirm(d, QStringLiteral("x>5"));
    });
    f.window.menus().command(5)->trigger();
    QCOMPARE(f.window.selectedTool(), decision);
    f.clickCanvas({500, 100});
    QCOMPARE(f.lastBlock()->sCaption(), QStringLiteral("ΑΝ_Χ>5_ΤΟΤΕ"));
    QCOMPARE(f.lastBlock()->t_O_Shape()->toolTip(), QStringLiteral("Δομή ΑΝ..ΤΟΤΕ"));
}

void TestBlockDialogs::doubleClickEditsOrRefuses() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    f.clickToolButton(2);
    f.clickCanvas({100, 300});
    f.settle();
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.onBlock(1, QPoint(5, 5)));
    QVERIFY(!QApplication::activeModalWidget());
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.onBlock(2, QPoint(5, 5)));
    mBoxF* messages = f.window.messageSink().window();
    QVERIFY(messages);
    QCOMPARE(messages->text(), QStringLiteral("Τέλος: Δεν μπορεί να διορθωθεί!\r\n"));
}

void TestBlockDialogs::editWithoutSelection() {
    EditorFixture f;
    f.diagram().currentBlockIndex = 0;
    f.window.editBlockCommand();
    QCOMPARE(f.window.messageSink().window()->text(),
             QStringLiteral("Δεν  έχει επιλεγεί ενέργεια!\r\n"));
}

// Escape is "Άκυρο", never OK: not for a new block, not after typing in an existing one.
void TestBlockDialogs::escapeCancelsAnOutput() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) { QTest::keyClick(d->textBox(), Qt::Key_Escape); });
    f.clickToolButton(5);
    f.clickCanvas({200, 150});
    QVERIFY(Bl_Co::isDeleted(*f.diagram().the_bl_co().Item(1)));

    whenDialogOpens([](BlockDialog* d) { typeAndConfirm(d, QStringLiteral("x")); });
    f.clickToolButton(5);
    f.clickCanvas({200, 250});
    cBck* block = f.lastBlock();
    QCOMPARE(block->sCaption(), QStringLiteral("Γράψε Χ"));
    whenDialogOpens([](BlockDialog* d) {
        typeText(d->textBox(), QStringLiteral("+1"));
        QTest::keyClick(d->textBox(), Qt::Key_Escape);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.onBlock(2, QPoint(5, 5)));
    QCOMPARE(block->zParam1(), QStringLiteral("Χ"));
    QCOMPARE(block->sCaption(), QStringLiteral("Γράψε Χ"));
}

// Another option then "Άκυρο": the decision stays a decision, on screen and in the file.
void TestBlockDialogs::cancelledOptionLeavesTheBlock() {
    EditorFixture f;
    whenDialogOpens([](BlockDialog* d) { typeAndConfirm(d, QStringLiteral("x>5")); });
    f.clickToolButton(6);
    f.clickCanvas({200, 150});
    cBck* block = f.lastBlock();
    const BlockCommands::CommandTexts before = BlockCommands::CommandTexts::of(*block);
    QCOMPARE(before.kind, decision);
    whenDialogOpens([](BlockDialog* d) {
        QTest::mouseClick(static_cast<If_Frm*>(d)->epanal[1], Qt::LeftButton);
        QTest::mouseClick(d->Command1, Qt::LeftButton);
    });
    QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.onBlock(1, QPoint(40, 20)));
    const BlockCommands::CommandTexts after = BlockCommands::CommandTexts::of(*block);
    QCOMPARE(after.kind, before.kind);
    QCOMPARE(after.p1, before.p1);
    QCOMPARE(after.p2, before.p2);
    QCOMPARE(after.p3, before.p3);
    QCOMPARE(after.caption, QStringLiteral("ΑΝ_Χ>5_ΤΟΤΕ"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("an.kv"));
    QVERIFY(f.window.files().saveDiagram(path));
    QVERIFY(f.window.files().load_FILE(path));
    QVERIFY(f.diagram().findActionBlock(decision));
    QVERIFY(!f.diagram().findActionBlock(whileTest));
}

// A refused assignment, then "Άκυρο", on a block just placed: no empty block stays behind.
void TestBlockDialogs::refusedAssignmentThenCancelLeavesNoGhost() {
    EditorFixture f;
    f.questions.answerMessage(ModalQuestions::Answer::Ok);
    whenDialogOpens([](BlockDialog* d) {
        typeAndConfirm(d, QStringLiteral("5a <-- 1"));
        QTest::mouseClick(d->Command1, Qt::LeftButton);
    });
    f.clickToolButton(3);
    f.clickCanvas({200, 150});
    QCOMPARE(f.questions.asked().size(), 1);
    QVERIFY(f.questions.asked()[0].text.startsWith(QStringLiteral("Πρόβλημα Λάθος καταχώρηση")));
    QVERIFY(Bl_Co::isDeleted(*f.diagram().the_bl_co().Item(1)));
    QVERIFY(!f.diagram().findActionBlock(assign));
}

QTEST_MAIN(TestBlockDialogs)
#include "tst_blockdialogs.moc"

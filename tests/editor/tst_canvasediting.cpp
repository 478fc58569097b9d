#include "EditorTestHelpers.h"
#include "TestDiagram.h"
#include "core/clipboard/BlockClipboard.h"
#include "core/drawing/Colors.h"
#include "core/execution/HeadlessRun.h"
#include "core/files/DiagramFormat.h"
#include "core/model/DiagramBuilder.h"
#include "gui/editor/AppearanceWindows.h"
#include "gui/editor/CanvasEditing.h"
#include "gui/editor/ClipboardActions.h"
#include "gui/editor/EditHistory.h"
#include "gui/windows/CommentWindow.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <functional>
#include <map>

using namespace BlockKinds;

namespace {

struct EditFixture : EditorFixture {
    DiagramBuilder b{diagram()};

    void click(int n, Qt::KeyboardModifiers modifiers = {}) {
        clickBlock(n, Qt::LeftButton, modifiers);
    }
    void ctrlClick(int n) { click(n, Qt::ControlModifier); }
    void altClick(int n) { click(n, Qt::AltModifier); }
    QString label() { return window.syndesi()->text(); }
    QString messages() {
        return window.messageSink().window() ? window.messageSink().window()->text() : QString();
    }
    cLn* line(const QString& from, const QString& to) {
        for (const auto& l : diagram().the_li_co()) {
            if (l->sFrom() == from && l->sTo() == to)
                return l.get();
        }
        return nullptr;
    }
    // `count` assignments, one below the other.
    void assignments(int count) {
        for (int i = 0; i < count; ++i)
            b.assign("Χ" + QString::number(i), "1");
        settle();
    }
    // Drags a frame on the empty canvas from `from` to `to`, with `modifiers` held.
    void frame(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(canvas(), Qt::LeftButton, modifiers, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), canvas()->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(canvas(), &move);
        QTest::mouseRelease(canvas(), Qt::LeftButton, modifiers, to);
    }
    QStringList selected() {
        QStringList tags;
        for (int index : window.editing().selection().blocks())
            tags << diagram().blockAt(index)->tagid();
        return tags;
    }
    // The menu a right-click opened, with its entries' texts.
    static QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    static QStringList entries(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return texts;
    }
    // Chooses an entry of the open menu as a pupil does, with a click.
    static void choose(const QString& entry) {
        QMenu* menu = openMenu();
        QVERIFY(menu);
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        }
        QFAIL(qPrintable("no entry " + entry));
    }
    // The file Save would write now.
    QByteArray file() {
        return DiagramFormat::write(diagram(), window.commentWindow()->commentText()).bytes;
    }
    // The diagram as it stands is saved, and the history starts from it.
    QByteArray before;
    void baseline() {
        window.files().markSaved();
        window.history().restart();
        before = file();
    }
    // Lets the edit history see the edit (it waits for dialogs to close).
    void recordEdit() {
        settle();
        QTest::qWait(150);
        window.history().checkpoint();
    }
};

// Every kind of edit a pupil makes, through the real widgets: three assignments and a link
// are there before it.
std::map<QString, std::function<void()>> editsOf(EditFixture& f) {
    const auto typeInDialog = [](const QString& typed) {
        QTimer::singleShot(0, [typed] {
            QLineEdit* box = QApplication::activeModalWidget()->findChild<QLineEdit*>();
            box->selectAll();
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, Qt::Key_Return);
        });
    };
    return {
        {"place",
         [&f] {
             f.clickToolButton(9);
             f.clickCanvas({600, 400});
         }},
        {"delete block",
         [&f] {
             f.click(3);
             f.questions.answerMessage(ModalQuestions::Answer::Yes);
             f.keyClickBlock(3, Qt::Key_Delete);
         }},
        {"delete link",
         [&f] {
             f.questions.answerMessage(ModalQuestions::Answer::Yes);
             f.ctrlClick(2);
             f.altClick(1);
         }},
        {"link",
         [&f] {
             f.ctrlClick(2);
             f.ctrlClick(3);
         }},
        {"drag", [&f] { f.dragBlock(3, QPoint(5, 5), QPoint(45, 65)); }},
        {"arrow key",
         [&f] {
             f.b.get("id2")->setShapeLeft(400);
             f.baseline();
             f.keyReleaseBlock(1, Qt::Key_Down);
         }},
        {"command",
         [&f, typeInDialog] {
             typeInDialog(QStringLiteral("x0 <-- 2"));
             QTest::mouseDClick(f.canvas(), Qt::LeftButton, {}, f.blockCentre(1));
         }},
        {"colour",
         [&f] {
             f.diagram().currentBlockIndex = 0;
             f.questions.answerColor(QColor(0, 200, 0));
             f.window.menus().mnuChangeBackColor->trigger();
         }},
        {"font",
         [&f] {
             f.diagram().currentBlockIndex = 0;
             f.questions.answerColor(Qt::red);
             f.window.menus().mnuChangeTextColor->trigger();
             f.window.fontWindow()->Check1->setChecked(true);
             QTest::mouseClick(f.window.fontWindow()->Command1, Qt::LeftButton);
             f.settle();
         }},
        {"move all",
         [&f] {
             f.window.menus().move_le->trigger();
             f.window.moveAllWindow()->UpDownWidth->setValue(150);
             QTest::mouseClick(f.window.moveAllWindow()->Command1, Qt::LeftButton);
         }},
        {"comment",
         [&f] { QTest::keyClicks(f.window.commentWindow()->text1, QStringLiteral("note")); }},
        {"framed blocks dragged",
         [&f] {
             f.frame({40, 5}, {300, 110});
             f.dragBlock(1, QPoint(5, 5), QPoint(45, 65));
         }},
        {"selection deleted",
         [&f] {
             f.questions.answerMessage(ModalQuestions::Answer::Yes);
             QTest::keyClick(f.canvas(), Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(f.canvas(), Qt::Key_Delete);
         }},
        {"cut and pasted",
         [&f] {
             f.frame({40, 5}, {300, 110});
             QTest::keyClick(f.canvas(), Qt::Key_X, Qt::ControlModifier);
             f.window.clipboard().pasteAt({400, 300});
         }},
    };
}

} // namespace

class TestCanvasEditing : public QObject {
    Q_OBJECT
private slots:
    void pointerFindsTheBlockShown();
    void linkThreeToSeven();
    void decisionExitsAreYesThenNo();
    void yesReusedAfterItsLineWasDeleted();
    void entriesAndExitsAreLimited();
    void reverseLinkRefused();
    void pendingSourceSurvivesACanvasMove();
    void altThenCtrlLinks();
    void altPairDeletesTheLine();
    void deleteAndAltKeys();
    void downArrowAligns();
    void dragMovesBlockAndLines();
    void largeBlockNumbersLink();
    void selectionAndStatus();
    void moveAll();
    void linkingHelp();
    void blockColours();
    void canvasColour();
    void fontWindow();
    void blockWindow();
    void drawAndRunFromNothing();
    void outputBoxDragged();
    void everyEditAsksBeforeNew_data();
    void everyEditAsksBeforeNew();
    void everyEditUndoes_data() { everyEditAsksBeforeNew_data(); }
    void everyEditUndoes();
    void undoneEditAsksNothing();
    void linkHintBesideTheToolbar();
    void releasedModifierHidesTheMarkerOnABlock();
    void selectionGestures_data();
    void selectionGestures();
    void selectionMovesTogether();
    void selectionDeletedWithOneQuestion();
    void copyAndPaste();
    void pastedStartRefused();
    void contextMenus_data();
    void contextMenus();
    void junctionHitArea_data();
    void junctionHitArea();
};

void TestCanvasEditing::linkThreeToSeven() {
    EditFixture f;
    f.assignments(7);
    f.ctrlClick(3);
    QVERIFY(f.window.syndesi()->isVisible());
    QCOMPARE(f.label(), QStringLiteral("Η ενέργεια 03 Με ποια ενέργεια θα συνδεθεί"));
    QVERIFY(f.canvas()->line1Visible());
    f.ctrlClick(7);
    QCOMPARE(f.label(), QStringLiteral("Η ενέργεια 03 θα συνδεθεί με την ενέργεια 07"));
    cLn* line = f.line("id3", "id7");
    QVERIFY(line);
    QVERIFY(line->sCaption().isEmpty());
    QVERIFY(!f.canvas()->line1Visible());
    QCOMPARE(f.diagram().previousBlockIndex, 3);
    QCOMPARE(f.diagram().currentBlockIndex, 7);
    QVERIFY(f.window.files().hasUnsavedChanges());
    // What the link did is said for a moment, then goes; a link given up goes at once.
    QTRY_VERIFY_WITH_TIMEOUT(f.window.syndesi()->isHidden(), 4000);
    f.ctrlClick(1);
    QVERIFY(f.window.syndesi()->isVisible() && f.canvas()->line1Visible());
    f.click(2);
    QVERIFY(f.window.syndesi()->isHidden());
    QVERIFY(!f.canvas()->line1Visible());
    QVERIFY(f.window.editing().pendingLink().isEmpty());
    f.ctrlClick(2);
    f.ctrlClick(2);
    QCOMPARE(f.label(), QStringLiteral("Δεν γίνεται η ενέργεια αυτή"));
    QCOMPARE(f.diagram().the_li_co().Count(), 1);
}

void TestCanvasEditing::decisionExitsAreYesThenNo() {
    EditFixture f;
    f.b.decision("Χ>1");
    f.assignments(3);
    f.ctrlClick(1);
    f.ctrlClick(2);
    f.ctrlClick(1);
    f.ctrlClick(3);
    QCOMPARE(f.line("id1", "id2")->sCaption(), QStringLiteral("Ν"));
    QCOMPARE(f.line("id1", "id3")->sCaption(), QStringLiteral("Ο"));
    QVERIFY(f.line("id1", "id3")->t_Object_Line()->labelVisible());
    f.ctrlClick(1);
    f.ctrlClick(4);
    QVERIFY(!f.line("id1", "id4"));
    QCOMPARE(f.messages(), QStringLiteral("Με αρχή το IF μέγιστο πλήθος συνδέσεων 2 \r\n"));
}

void TestCanvasEditing::yesReusedAfterItsLineWasDeleted() {
    EditFixture f;
    f.b.decision("Χ>1");
    f.assignments(3);
    f.ctrlClick(1);
    f.ctrlClick(2);
    f.ctrlClick(1);
    f.ctrlClick(3);
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.diagram().currentBlockIndex = 1;
    f.window.menus().command(13)->trigger(); // removes the first line leaving block 1
    QVERIFY(!f.line("id1", "id2"));
    f.ctrlClick(1);
    f.ctrlClick(4);
    QCOMPARE(f.line("id1", "id4")->sCaption(), QStringLiteral("Ν"));
}

void TestCanvasEditing::entriesAndExitsAreLimited() {
    EditFixture f;
    f.assignments(3);
    f.b.junction();
    f.settle();
    f.ctrlClick(1);
    f.ctrlClick(3);
    f.ctrlClick(2);
    f.ctrlClick(3);
    QVERIFY(!f.line("id2", "id3"));
    // The refusal tells the pupil to join the flows through a junction.
    QCOMPARE(f.messages(),
             QStringLiteral("Υπάρχει ΣΥΝΔΕΣΗ!\r\nΣτην ενέργεια 03 φτάνει ήδη μια γραμμή. Για να "
                            "ενωθούν δύο ροές, βάλε μια ενέργεια «Κόμβος» (Σύγκλυση ροών) και "
                            "ένωσε και τις δύο ροές σε αυτόν και τον κόμβο με την ενέργεια "
                            "03.\r\n"));
    f.ctrlClick(2);
    f.ctrlClick(4);
    f.ctrlClick(3);
    f.ctrlClick(4);
    QVERIFY(f.line("id2", "id4") && f.line("id3", "id4")); // a junction takes many
    f.ctrlClick(2);
    f.ctrlClick(1);
    QVERIFY(!f.line("id2", "id1")); // one exit for an assignment
    // The refusal names the line that is there, and how to move it.
    QVERIFY(f.messages().endsWith(
        QStringLiteral("Υπάρχει ΣΥΝΔΕΣΗ με αρχή το \r\nΧ1 <-- 1\r\nκαι τέλος το \r\n") +
        f.b.get("id4")->sCaption() +
        QStringLiteral("!\r\nΑπό την ενέργεια 02 φεύγει ήδη μια γραμμή, προς την ενέργεια 04. "
                       "Για να πάει αλλού, διέγραψε πρώτα αυτή τη σύνδεση (δεξί κλικ πάνω "
                       "στη γραμμή, «Διαγραφή σύνδεσης»).\r\n")));
}

void TestCanvasEditing::reverseLinkRefused() {
    EditFixture f;
    f.b.decision("Χ>1");
    f.b.junction();
    f.settle();
    f.ctrlClick(1);
    f.ctrlClick(2);
    f.ctrlClick(2);
    f.ctrlClick(1);
    QVERIFY(!f.line("id2", "id1"));
    QCOMPARE(f.messages(), QStringLiteral("Υπάρχει ΣΥΝΔΕΣΗ!\r\n"));
}

void TestCanvasEditing::pendingSourceSurvivesACanvasMove() {
    EditFixture f;
    f.assignments(3);
    f.ctrlClick(1);
    f.window.Form_MouseMove(QPointF(600, 500), Qt::NoModifier);
    QVERIFY(!f.canvas()->line1Visible());
    QVERIFY(f.window.syndesi()->isHidden());
    QCOMPARE(f.window.editing().pendingLink(), QStringLiteral("01"));
    f.ctrlClick(2);
    QVERIFY(f.line("id1", "id2"));

    f.ctrlClick(3);
    f.click(1); // a plain press abandons the pending source
    QVERIFY(f.window.editing().pendingLink().isEmpty());
    f.ctrlClick(2);
    QCOMPARE(f.window.editing().pendingLink(), QStringLiteral("02"));
    QVERIFY(!f.line("id3", "id2"));
}

void TestCanvasEditing::altThenCtrlLinks() {
    EditFixture f;
    f.assignments(2);
    f.altClick(1);
    QCOMPARE(f.label(),
             QStringLiteral(
                 "Η ενέργεια 01 Με ποια ενέργεια συνδέεται ώστε να διαγραφεί η σύνδεσή τουςε"));
    f.ctrlClick(2);
    QVERIFY(f.line("id1", "id2"));
}

void TestCanvasEditing::altPairDeletesTheLine() {
    EditFixture f;
    f.assignments(3);
    f.b.link("id1", "id2");
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.ctrlClick(2);
    f.altClick(1); // the line runs the other way: it goes too
    QCOMPARE(f.questions.asked().last().text, QStringLiteral("Να διαγραφεί"));
    QCOMPARE(f.questions.asked().last().title, QStringLiteral("Προσοχή διαγραφή συνδέσεων"));
    QVERIFY(!f.line("id1", "id2"));
    QCOMPARE(f.label(),
             QStringLiteral("Η ενέργεια 02 που συνδέεται με την ενέργεια 01 διαγράφεται"));
    f.altClick(1);
    f.altClick(3);
    QCOMPARE(f.label(), QStringLiteral("Δεν γίνεται η ενέργεια αυτή"));
}

void TestCanvasEditing::deleteAndAltKeys() {
    EditFixture f;
    f.b.decision("Χ>1");
    f.assignments(3);
    f.b.link("id1", "id2", "Ν");
    f.b.link("id1", "id3", "Ο");
    f.b.link("id2", "id4");
    f.click(1);
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.keyClickBlock(1, Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(!f.line("id1", "id2"));
    QVERIFY(f.line("id1", "id3")); // only the first line leaving it
    f.click(2);
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.keyClickBlock(2, Qt::Key_Delete);
    QVERIFY(!Bl_Co::isDeleted(*f.b.get("id2")));
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.keyClickBlock(2, Qt::Key_Delete);
    QCOMPARE(f.questions.asked().last().title, QStringLiteral("Προσοχή διαγραφή ενέργειας"));
    QVERIFY(Bl_Co::isDeleted(*f.b.get("id2")));
    QVERIFY(!f.line("id2", "id4"));
}

void TestCanvasEditing::downArrowAligns() {
    EditFixture f;
    f.b.assign("Χ", "1");
    f.b.decision("Χ>1");
    f.settle();
    cBck* first = f.b.get("id1");
    cBck* second = f.b.get("id2");
    second->setShapeLeft(400);
    f.b.link("id1", "id2");
    f.keyReleaseBlock(1, Qt::Key_Down);
    const double centre = std::nearbyint(first->shapeTop() + first->shapeHeight() / 2.0);
    QCOMPARE(second->shapeTop(), centre - second->shapeHeight() / 2.0);
    const QLineF segment = f.line("id1", "id2")->t_Object_Line()->segment();
    QCOMPARE(segment.y1(), first->shapeTop() + first->shapeHeight() / 2.0);
}

// Where blocks overlap the pointer finds the one drawn on top; a moved block is found at its
// new place only, and a deleted one nowhere.
void TestCanvasEditing::pointerFindsTheBlockShown() {
    EditFixture f;
    f.assignments(2);
    cBck* first = f.b.get("id1");
    const auto place = [](cBck* block, double left, double top) {
        block->setShapeLeft(left);
        block->setShapeTop(top);
    };
    place(first, 100, 100);
    place(f.b.get("id2"), 110, 105);
    const QPointF overlap(115, 108);
    QCOMPARE(f.canvas()->blockAt(overlap), 2); // the one made later is above
    first->t_O_Shape()->bringToFront();
    QCOMPARE(f.canvas()->blockAt(overlap), 1);
    place(first, 3000, 2000);
    QCOMPARE(f.canvas()->blockAt(QPointF(102, 102)), 0);
    QCOMPARE(f.canvas()->blockAt(QPointF(3002, 2002)), 1);
    first->setShapeWidth(30000); // over more squares than are filed one by one
    first->setShapeHeight(30000);
    QCOMPARE(f.canvas()->blockAt(QPointF(3000 + 29000, 2000 + 29000)), 1);
    f.diagram().the_bl_co().rem_Shape(1, true);
    QCOMPARE(f.canvas()->blockAt(QPointF(3002, 2002)), 0);
    QCOMPARE(f.canvas()->blockAt(overlap), 2);
}

void TestCanvasEditing::dragMovesBlockAndLines() {
    EditFixture f;
    f.assignments(2);
    f.b.link("id1", "id2");
    f.window.files().markSaved();
    const QPointF before(f.b.get("id2")->shapeLeft(), f.b.get("id2")->shapeTop());
    f.dragBlock(2, QPoint(5, 5), QPoint(45, 105));
    QCOMPARE(QPointF(f.b.get("id2")->shapeLeft(), f.b.get("id2")->shapeTop()),
             before + QPointF(40, 100));
    QVERIFY(f.window.files().hasUnsavedChanges());
    QCOMPARE(f.line("id1", "id2")->t_Object_Line()->segment().y2(), before.y() + 100);
    QVERIFY(f.canvas()->selectorVisible());
    QCOMPARE(f.window.editing().dragBlockIndex(), -1);
}

void TestCanvasEditing::largeBlockNumbersLink() {
    EditFixture f;
    for (int i = 0; i < 207; ++i)
        f.b.junction();
    f.settle();
    f.ctrlClick(103);
    QCOMPARE(f.label(), QStringLiteral("Η ενέργεια 03 Με ποια ενέργεια θα συνδεθεί"));
    f.ctrlClick(207);
    QVERIFY(f.line("id103", "id207"));
    QVERIFY(!f.line("id3", "id7"));
}

void TestCanvasEditing::selectionAndStatus() {
    EditFixture f;
    f.b.decision("Χ>1");
    f.settle();
    f.click(1);
    QCOMPARE(f.diagram().currentBlockIndex, 1);
    QVERIFY(f.canvas()->selectorVisible());
    QCOMPARE(f.window.statusPanel(1)->text(), QStringLiteral("ΑΝ Χ>1 ΤΟΤΕ"));
}

void TestCanvasEditing::moveAll() {
    EditFixture f;
    f.window.menus().move_le->trigger();
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("Δεν υπάρχει Διάγραμμα προς Μεταφορά"));
    f.assignments(2);
    f.b.link("id1", "id2");
    const double left = f.b.get("id1")->shapeLeft(), top = f.b.get("id1")->shapeTop();
    f.window.menus().move_le->trigger();
    Sizeshp_F* window = f.window.moveAllWindow();
    QVERIFY(window->isVisible());
    // Opening moves nothing.
    QCOMPARE(window->txtWidth->text(), QStringLiteral("0"));
    QCOMPARE(f.b.get("id1")->shapeLeft(), left);
    QCOMPARE(f.b.get("id1")->shapeTop(), top);
    window->UpDownWidth->setValue(150);
    QCOMPARE(f.b.get("id1")->shapeTop(), top + 150);
    window->UpDownHeight->setValue(30);
    QCOMPARE(f.b.get("id1")->shapeLeft(), left + 30);
    // Up and left as far as the edge, never beyond.
    window->UpDownWidth->setValue(-100000);
    window->UpDownHeight->setValue(-100000);
    QCOMPARE(f.b.get("id1")->shapeTop(), 0.0);
    QCOMPARE(f.b.get("id1")->shapeLeft(), 0.0);
    QVERIFY(f.b.get("id2")->shapeTop() >= 0);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    QCOMPARE(f.b.get("id1")->shapeLeft(), left);
    QCOMPARE(f.b.get("id1")->shapeTop(), top);
    QVERIFY(!window->isVisible());
}

void TestCanvasEditing::linkingHelp() {
    EditFixture f;
    f.window.menus().command(10)->trigger();
    QCOMPARE(f.questions.asked().last().title, QStringLiteral("ΣΥΝΔΕΣΗ"));
    QVERIFY(f.questions.asked().last().text.endsWith(
        QStringLiteral("Kάντε κλικ στις εντολές που θα συνδεθούν.>")));
}

void TestCanvasEditing::blockColours() {
    EditFixture f;
    f.assignments(3);
    f.diagram().currentBlockIndex = 0;
    f.questions.answerColor(QColor(0, 200, 0));
    f.window.menus().mnuChangeBackColor->trigger();
    for (const char* id : {"id1", "id2", "id3"})
        QCOMPARE(f.b.get(id)->BGColor(), bgrFromColor(QColor(0, 200, 0)));
    f.click(2);
    f.questions.answerColor(QColor(0, 0, 200));
    f.window.menus().mnuChangeBackColor->trigger();
    QCOMPARE(f.b.get("id2")->BGColor(), bgrFromColor(QColor(0, 0, 200)));
    QCOMPARE(f.b.get("id1")->BGColor(), bgrFromColor(QColor(0, 200, 0)));
    // A cancelled colour dialog changes nothing.
    f.questions.answerCancel();
    f.window.menus().mnuChangeBackColor->trigger();
    QCOMPARE(f.b.get("id2")->BGColor(), bgrFromColor(QColor(0, 0, 200)));
    // The border colour changes for every block, deleted ones kept out.
    f.diagram().the_bl_co().rem_Shape(3, true);
    f.questions.answerColor(QColor(200, 0, 0));
    f.window.menus().mnuChangeBorderColor->trigger();
    QCOMPARE(f.b.get("id1")->BorderColor(), bgrFromColor(QColor(200, 0, 0)));
    QCOMPARE(f.b.get("id2")->BorderColor(), bgrFromColor(QColor(200, 0, 0)));
    QCOMPARE(f.b.get("id3")->BorderColor(), 0u);
}

void TestCanvasEditing::canvasColour() {
    EditFixture f;
    f.assignments(1);
    const QColor before = f.canvas()->canvasColor();
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.questions.answerColor(Qt::yellow);
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.appearance().ch_color_screen();
    QCOMPARE(f.questions.asked()[0].text,
             QStringLiteral("Θα αλλάξει το χρώμα της επιφάνειας Θα συνεχίσεις"));
    QCOMPARE(f.questions.asked()[2].text, QStringLiteral("Θα αλλάξει το χρώμα τελικά"));
    QCOMPARE(f.canvas()->canvasColor(), before);
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.questions.answerColor(Qt::yellow);
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.window.menus().chenge_co->trigger();
    QCOMPARE(f.canvas()->canvasColor(), QColor(Qt::yellow));
    QCOMPARE(f.window.fraToolBar1()->palette().color(QPalette::Window), QColor(Qt::yellow));
}

void TestCanvasEditing::fontWindow() {
    EditFixture f;
    f.assignments(2);
    f.diagram().currentBlockIndex = 0;
    const int widthBefore = f.b.get("id1")->shapeWidth();
    f.questions.answerColor(Qt::red);
    f.window.menus().mnuChangeTextColor->trigger();
    font1* window = f.window.fontWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(window->Command1->text(), QStringLiteral("ΟΚ"));
    window->Check1->setChecked(true);
    window->Check2->setChecked(true);
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    f.settle();
    for (const char* id : {"id1", "id2"}) {
        QCOMPARE(f.b.get(id)->TextColor(), bgrFromColor(Qt::red));
        QVERIFY(f.b.get(id)->t_O_Shape()->font().bold());
        QVERIFY(f.b.get(id)->t_O_Shape()->font().italic());
    }
    QVERIFY(f.b.get("id1")->shapeWidth() >= widthBefore); // bold text refits the block
    QVERIFY(!window->isVisible());
}

void TestCanvasEditing::blockWindow() {
    EditFixture f;
    f.assignments(2);
    f.b.link("id1", "id2");
    QTest::mouseClick(f.canvas(), Qt::RightButton, {}, f.onBlock(1, QPoint(3, 3)));
    EditFixture::choose(QStringLiteral("Μέγεθος..."));
    Size_F* window = f.window.blockWindow();
    QVERIFY(window->isVisible());
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    QTest::mouseClick(window->Command4, Qt::LeftButton);
    QVERIFY(!f.line("id1", "id2"));
    QVERIFY(!window->isVisible());
    f.diagram().currentBlockIndex = 0;
    f.window.menus().mnuChangeSize->trigger();
    QVERIFY(!window->isVisible());
}

void TestCanvasEditing::drawAndRunFromNothing() {
    EditFixture f;
    auto place = [&f](int button, QPoint at, const QString& typed = {}) {
        if (!typed.isEmpty()) {
            QTimer::singleShot(0, [typed] {
                QWidget* dialog = QApplication::activeModalWidget();
                QVERIFY(dialog);
                QLineEdit* box = dialog->findChild<QLineEdit*>();
                QTest::keyClicks(box, typed);
                QTest::keyClick(box, Qt::Key_Return);
            });
        }
        f.clickToolButton(button);
        f.clickCanvas(at);
    };
    place(1, {300, 60});
    place(4, {280, 130}, "x");
    place(3, {280, 200}, "y <-- x*2");
    place(5, {270, 270}, "y");
    place(2, {300, 350});
    f.settle();
    QCOMPARE(f.diagram().the_bl_co().Count(), 5);
    for (int n = 1; n < 5; ++n) {
        f.ctrlClick(n);
        f.ctrlClick(n + 1);
    }
    QCOMPARE(f.diagram().the_li_co().Count(), 4);
    f.questions.answerText("21");
    CollectingSink sink;
    HeadlessRun run(f.diagram(), f.questions, sink);
    QCOMPARE(run.run(100).outcome, Interpreter::Outcome::Succeeded);
    QCOMPARE(run.interpreter().output(), QStringLiteral("\r\n    42"));
}

void TestCanvasEditing::outputBoxDragged() {
    EditFixture f;
    QPlainTextEdit* box = f.window.text1();
    box->show();
    box->move(10, 10);
    QWidget* viewport = box->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint drop = viewport->mapFrom(f.window.canvasOverlay(), QPoint(300, 240));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, drop);
    QCOMPARE(box->pos(), QPoint(300, 240));
}

void TestCanvasEditing::everyEditAsksBeforeNew_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("named"); // the edit's name after "Αναίρεση: "
    const std::pair<const char*, const char*> edits[] = {
        {"place", "Προσθήκη της εντολής 4"},
        {"delete block", "Διαγραφή της εντολής 3"},
        {"delete link", "Διαγραφή της σύνδεσης 1 → 2"},
        {"link", "Σύνδεση της εντολής 2 με την 3"},
        {"drag", "Μετακίνηση της εντολής 3"},
        {"arrow key", "Μετακίνηση"},
        {"command", "Αλλαγή της εντολής 1"},
        {"colour", "Εμφάνιση 3 εντολών"},
        {"font", "Εμφάνιση"},
        {"move all", "Μετακίνηση 3 εντολών"},
        {"comment", "Αλλαγή των σχολίων"}};
    for (const auto& [edit, named] : edits)
        QTest::newRow(edit) << QString::fromUtf8(edit) << QString::fromUtf8(named);
}

// Every edit is one step of "Αναίρεση", named by what it changed: undo gives back the file
// as it was before, redo the file as it was after, and an undone edit leaves nothing unsaved.
void TestCanvasEditing::everyEditUndoes() {
    QFETCH(QString, edit);
    QFETCH(QString, named);
    EditFixture f;
    f.assignments(3);
    f.b.link("id1", "id2");
    f.baseline();
    QVERIFY(!f.window.history().undoAction()->isEnabled());
    editsOf(f).at(edit)();
    f.recordEdit();
    const QByteArray after = f.file();
    QVERIFY(after != f.before);
    QVERIFY2(f.window.history().undoAction()->text().startsWith("Αναίρεση: " + named),
             qPrintable(f.window.history().undoAction()->text()));
    EditHistory& history = f.window.history();
    QCOMPARE(history.undoAction()->shortcut(), QKeySequence(QKeySequence::Undo));
    QVERIFY(history.redoAction()->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    history.undoAction()->trigger();
    f.settle();
    QCOMPARE(f.file(), f.before);
    QVERIFY(!f.window.files().hasUnsavedChanges());
    QVERIFY(f.window.history().redoAction()->text().startsWith("Επανάληψη: " + named));
    history.redoAction()->trigger();
    f.settle();
    QCOMPARE(f.file(), after);
    QVERIFY(f.window.files().hasUnsavedChanges());
    // New starts a history of its own.
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.menus().mnuNew->trigger();
    QVERIFY(!f.window.history().undoAction()->isEnabled());
}

// Whatever the pupil changed, "Νέο" offers to save it first.
void TestCanvasEditing::everyEditAsksBeforeNew() {
    QFETCH(QString, edit);
    EditFixture f;
    f.assignments(3);
    f.b.link("id1", "id2");
    f.baseline();
    QVERIFY(!f.window.files().hasUnsavedChanges());
    const auto edits = editsOf(f);
    edits.at(edit)();
    QVERIFY(f.window.files().hasUnsavedChanges());
    f.questions.answerMessage(ModalQuestions::Answer::No);
    const qsizetype asked = f.questions.asked().size();
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.questions.asked().size(), asked + 1);
    QCOMPARE(f.questions.asked().last().title, QStringLiteral("Αποθήκευση Αλλαγών"));
    QCOMPARE(f.diagram().the_bl_co().Count(), 0);
}

// A block dragged away and back leaves nothing to save.
void TestCanvasEditing::undoneEditAsksNothing() {
    EditFixture f;
    f.assignments(2);
    f.window.files().markSaved();
    cBck* block = f.b.get("id2");
    const double left = block->shapeLeft();
    block->setShapeLeft(left + 40);
    QVERIFY(f.window.files().hasUnsavedChanges());
    block->setShapeLeft(left);
    QVERIFY(!f.window.files().hasUnsavedChanges());
    const qsizetype asked = f.questions.asked().size();
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.questions.asked().size(), asked);
}

void TestCanvasEditing::linkHintBesideTheToolbar() {
    EditFixture f;
    f.assignments(3);
    f.ctrlClick(2);
    QLabel* hint = f.window.syndesi();
    QVERIFY(hint->isVisible());
    QVERIFY(!hint->geometry().intersects(f.window.fraToolBar1()->geometry()));
    QVERIFY(f.canvas()->rect().contains(hint->geometry()));
    f.ctrlClick(3);
    QVERIFY(!hint->geometry().intersects(f.window.fraToolBar1()->geometry()));
    QVERIFY(hint->width() >= hint->sizeHint().width());
}

// Shift held shows the marker; letting go hides it, also while a block has the focus.
void TestCanvasEditing::releasedModifierHidesTheMarkerOnABlock() {
    EditFixture f;
    f.assignments(2);
    f.click(2);
    QVERIFY(f.canvas()->selectorVisible());
    f.canvas()->setFocusBlock(2);
    for (const Qt::Key key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt}) {
        f.click(2);
        QVERIFY(f.canvas()->selectorVisible());
        f.keyReleaseBlock(2, key);
        QVERIFY(!f.canvas()->selectorVisible());
    }
}

// Blocks id1 (top 20), id2 (top 80) and id3 (top 140) at left 100; id4 far right.
void TestCanvasEditing::selectionGestures_data() {
    QTest::addColumn<std::function<void(EditFixture&)>>("gesture");
    QTest::addColumn<QStringList>("expected");
    using G = std::function<void(EditFixture&)>;
    QTest::newRow("frame") << G([](EditFixture& f) {
        f.frame({40, 5}, {300, 110});
    }) << QStringList{"id1", "id2"};
    QTest::newRow("frame drawn upwards") << G([](EditFixture& f) {
        f.frame({300, 170}, {40, 90});
    }) << QStringList{"id2", "id3"};
    QTest::newRow("shift+frame adds") << G([](EditFixture& f) {
        f.click(4);
        f.frame({40, 5}, {300, 50}, Qt::ShiftModifier);
    }) << QStringList{"id1", "id4"};
    QTest::newRow("shift+click") << G([](EditFixture& f) {
        f.click(1);
        f.click(3, Qt::ShiftModifier);
    }) << QStringList{"id1", "id3"};
    QTest::newRow("shift+click again drops") << G([](EditFixture& f) {
        f.click(1);
        f.click(3, Qt::ShiftModifier);
        f.click(1, Qt::ShiftModifier);
    }) << QStringList{"id3"};
    QTest::newRow("plain click replaces") << G([](EditFixture& f) {
        f.frame({40, 5}, {300, 110});
        f.click(3);
    }) << QStringList{"id3"};
    QTest::newRow("ctrl+a") << G([](EditFixture& f) {
        QTest::keyClick(f.canvas(), Qt::Key_A, Qt::ControlModifier);
    }) << QStringList{"id1", "id2", "id3", "id4"};
    QTest::newRow("escape") << G([](EditFixture& f) {
        QTest::keyClick(f.canvas(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f.canvas(), Qt::Key_Escape);
    }) << QStringList{};
    QTest::newRow("click on the empty canvas") << G([](EditFixture& f) {
        f.frame({40, 5}, {300, 110});
        f.clickCanvas({600, 500});
    }) << QStringList{};
    QTest::newRow("deleted block leaves") << G([](EditFixture& f) {
        f.frame({40, 5}, {300, 110});
        f.diagram().the_bl_co().rem_Shape(2, true);
    }) << QStringList{"id1"};
}

void TestCanvasEditing::selectionGestures() {
    QFETCH(std::function<void(EditFixture&)>, gesture);
    QFETCH(QStringList, expected);
    EditFixture f;
    f.assignments(3);
    f.b.add(assign, 700, 20, "Υ", "2");
    f.settle();
    gesture(f);
    QCOMPARE(f.selected(), expected);
}

void TestCanvasEditing::selectionMovesTogether() {
    EditFixture f;
    f.assignments(3);
    f.b.link("id2", "id3");
    f.frame({40, 5}, {300, 110});
    QCOMPARE(f.canvas()->selectorVisible(), false); // one marker per block instead
    const QPointF one(f.b.get("id1")->shapeLeft(), f.b.get("id1")->shapeTop());
    const QPointF two(f.b.get("id2")->shapeLeft(), f.b.get("id2")->shapeTop());
    const QPointF three(f.b.get("id3")->shapeLeft(), f.b.get("id3")->shapeTop());
    const QLineF lineBefore = f.line("id2", "id3")->t_Object_Line()->segment();
    f.dragBlock(2, QPoint(5, 5), QPoint(45, 35));
    QCOMPARE(QPointF(f.b.get("id1")->shapeLeft(), f.b.get("id1")->shapeTop()),
             one + QPointF(40, 30));
    QCOMPARE(QPointF(f.b.get("id2")->shapeLeft(), f.b.get("id2")->shapeTop()),
             two + QPointF(40, 30));
    QCOMPARE(QPointF(f.b.get("id3")->shapeLeft(), f.b.get("id3")->shapeTop()), three);
    QVERIFY(f.line("id2", "id3")->t_Object_Line()->segment() != lineBefore);
    QCOMPARE(f.window.editing().selection().markers().size(), 2);
    // The arrows move the selection one point, ten with Shift, and align nothing.
    f.keyClickBlock(2, Qt::Key_Right);
    QTest::keyClick(f.canvas(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(f.b.get("id1")->shapeLeft(), one.x() + 41);
    QCOMPARE(f.b.get("id2")->shapeTop(), two.y() + 40);
    QCOMPARE(f.b.get("id3")->shapeLeft(), three.x());
}

void TestCanvasEditing::selectionDeletedWithOneQuestion() {
    EditFixture f;
    f.assignments(3);
    f.b.link("id1", "id2");
    f.b.link("id2", "id3");
    f.baseline();
    f.frame({40, 5}, {300, 110});
    for (const auto answer : {ModalQuestions::Answer::No, ModalQuestions::Answer::Yes}) {
        const qsizetype asked = f.questions.asked().size();
        f.questions.answerMessage(answer);
        f.window.menus().command(12)->trigger(); // "Διαγραφή εντολής"
        QCOMPARE(f.questions.asked().size(), asked + 1);
    }
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("Να διαγραφούν οι 2 επιλεγμένες εντολές"));
    QVERIFY(Bl_Co::isDeleted(*f.b.get("id1")) && Bl_Co::isDeleted(*f.b.get("id2")));
    QVERIFY(!Bl_Co::isDeleted(*f.b.get("id3")));
    QVERIFY(!f.line("id2", "id3"));
    f.recordEdit();
    QCOMPARE(f.window.history().undoAction()->text(),
             QStringLiteral("Αναίρεση: Διαγραφή 2 εντολών"));
    f.window.history().undo();
    QCOMPARE(f.file(), f.before);
}

// Within a window, and from one window into another: new numbers, the line between the
// blocks kept, the pasted blocks selected; a text editor gets the program.
void TestCanvasEditing::copyAndPaste() {
    EditFixture f;
    f.b.start();
    f.b.assign("Σ", "0");
    f.b.write("Σ");
    f.b.end();
    f.b.chain({"id1", "id2", "id3", "id4"});
    f.settle();
    QTest::keyClick(f.canvas(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.canvas(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat(BlockClipboard::mimeType));
    QVERIFY(data->text().contains(QStringLiteral("ΓΡΑΨΕ Σ")));

    f.frame({40, 70}, {300, 110}); // id2 alone
    f.click(3, Qt::ShiftModifier);
    QTest::keyClick(f.canvas(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Σ <-- 0\nΓΡΑΨΕ Σ"));
    for (EditFixture* target : {&f, new EditFixture}) {
        std::unique_ptr<EditFixture> owned(target == &f ? nullptr : target);
        const int count = target->diagram().the_bl_co().Count();
        target->window.clipboard().pasteAt({400, 300});
        QCOMPARE(target->diagram().the_bl_co().Count(), count + 2);
        const QStringList pasted = target->selected();
        QCOMPARE(pasted.size(), 2);
        const cBck* first = target->b.get(pasted[0]);
        QCOMPARE(QPointF(first->shapeLeft(), first->shapeTop()), QPointF(400, 300));
        QCOMPARE(first->zParam1(), QStringLiteral("Σ"));
        QVERIFY(target->line(pasted[0], pasted[1]));
    }
    // With the pointer away from the canvas, a paste lands 20 points further each time.
    QCursor::setPos(f.window.mapToGlobal(QPoint(-500, -500)));
    f.window.clipboard().paste();
    f.window.clipboard().paste();
    const QStringList last = f.selected();
    const cBck* copied = f.b.get("id2");
    QCOMPARE(f.b.get(last[0])->shapeLeft(), copied->shapeLeft() + 40);
    QCOMPARE(f.b.get(last[0])->shapeTop(), copied->shapeTop() + 40);
}

void TestCanvasEditing::pastedStartRefused() {
    EditFixture f;
    f.b.start();
    f.b.assign("Α", "1");
    f.settle();
    QTest::keyClick(f.canvas(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.canvas(), Qt::Key_C, Qt::ControlModifier);
    f.window.clipboard().pasteAt({400, 300});
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("Ένα μόνο χειρηστήριο ΑΡΧΗ μπορεί να υπάρχει"));
    QCOMPARE(f.diagram().the_bl_co().Count(), 2);
    // Text that is not copied blocks pastes nothing.
    QApplication::clipboard()->setText(QStringLiteral("Σ <-- 0"));
    f.window.clipboard().pasteAt({400, 300});
    QCOMPARE(f.diagram().the_bl_co().Count(), 2);
}

// A right-click on a block, on a line and on the canvas: the menu and what an entry does.
void TestCanvasEditing::contextMenus_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QStringList>("menu");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<std::function<bool(EditFixture&)>>("done");
    using D = std::function<bool(EditFixture&)>;
    QTest::newRow("block")
        << "block"
        << QStringList{"Επεξεργασία εντολής",       "Αντιγραφή",  "Αποκοπή", "Διαγραφή",       "-",
                       "Χρώματα και γραμματοσειρά", "Μέγεθος...", "-",       "Σημείο διακοπής"}
        << "Μέγεθος..." << D([](EditFixture& f) { return f.window.blockWindow()->isVisible(); });
    QTest::newRow("block deleted")
        << "block" << QStringList{} << "Διαγραφή"
        << D([](EditFixture& f) { return Bl_Co::isDeleted(*f.b.get("id1")); });
    QTest::newRow("line") << "line" << QStringList{"Διαγραφή σύνδεσης"} << "Διαγραφή σύνδεσης"
                          << D([](EditFixture& f) { return !f.line("id1", "id2"); });
    QTest::newRow("canvas") << "canvas"
                            << QStringList{"Επικόλληση", "Επιλογή όλων", "-", "Χρώμα επιφάνειας"}
                            << "Επιλογή όλων"
                            << D([](EditFixture& f) { return f.selected().size() == 2; });
    QTest::newRow("canvas colour")
        << "canvas" << QStringList{} << "Χρώμα επιφάνειας"
        << D([](EditFixture& f) { return f.canvas()->canvasColor() == QColor(Qt::yellow); });
}

void TestCanvasEditing::contextMenus() {
    QFETCH(QString, where);
    QFETCH(QStringList, menu);
    QFETCH(QString, entry);
    QFETCH(std::function<bool(EditFixture&)>, done);
    EditFixture f;
    f.assignments(2);
    f.b.get("id2")->setShapeTop(200);
    f.b.link("id1", "id2");
    f.settle();
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.questions.answerColor(Qt::yellow);
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    const QLineF line = f.line("id1", "id2")->t_Object_Line()->segment();
    if (where == "block")
        QTest::mouseClick(f.canvas(), Qt::RightButton, {}, f.onBlock(1, QPoint(3, 3)));
    else
        f.clickCanvas(where == "line" ? line.center().toPoint() + QPoint(2, 0) : QPoint(600, 500),
                      Qt::RightButton);
    QMenu* shown = EditFixture::openMenu();
    QVERIFY(shown);
    if (!menu.isEmpty())
        QCOMPARE(EditFixture::entries(shown), menu);
    EditFixture::choose(entry);
    f.settle();
    QVERIFY(done(f));
}

// A press within 12 points of a junction's centre is on it: it selects, links and drags it.
void TestCanvasEditing::junctionHitArea_data() {
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("hits");
    QTest::newRow("centre") << QPoint(0, 0) << true;
    QTest::newRow("corner of 24x24") << QPoint(11, -11) << true;
    QTest::newRow("left edge") << QPoint(-12, 4) << true;
    QTest::newRow("beyond") << QPoint(14, 0) << false;
}

void TestCanvasEditing::junctionHitArea() {
    QFETCH(QPoint, offset);
    QFETCH(bool, hits);
    EditFixture f;
    f.b.assign("Χ", "1");
    cBck* junction = f.b.add(BlockKinds::junction, 295, 295);
    junction->setShapeWidth(10);
    junction->setShapeHeight(10);
    f.settle();
    const QPoint near = QPoint(300, 300) + offset;
    f.ctrlClick(1);
    QTest::mouseClick(f.canvas(), Qt::LeftButton, Qt::ControlModifier, near);
    QCOMPARE(f.line("id1", "id2") != nullptr, hits);
    EditorFixture::drag(f.canvas(), near, near + QPoint(40, 20));
    QCOMPARE(QPointF(junction->shapeLeft(), junction->shapeTop()),
             hits ? QPointF(335, 315) : QPointF(295, 295));
}

QTEST_MAIN(TestCanvasEditing)
#include "tst_canvasediting.moc"

#include "EditorTestHelpers.h"
#include "core/drawing/BlockPainter.h"
#include "core/drawing/MemoryCanvas.h"
#include "core/drawing/ToolPictures.h"
#include "core/model/BlockKinds.h"
#include "gui/execution/RunControlsFrame.h"
#include "gui/windows/CommentWindow.h"
#include "gui/windows/HelpWindow.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

using namespace BlockKinds;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsUpInGreek();
    void menuTree();
    void toolbarHints();
    void toolPicturesDiffer();
    void placesStartEndAndJunction();
    void secondStartAndEndRefused();
    void startAllowedWhenOnlyADeletedOneExists();
    void toolIsDisarmedAfterPlacing();
    void rightClickDoesNotPlace();
    void canvasClickClearsSelection();
    void modifierKeysHideSelector();
    void deleteButtonAsksFirst();
    void neo1ClearsTheDiagram();
    void enableAllCommands();
    void speedPositions();
    void commentAndHelpWindows();
    void toolbarHiddenByDoubleClickShownByMenu();
    void hugeCoordinatesAndTexts();
};

void TestMainWindow::startsUpInGreek() {
    EditorFixture f;
    const QString base =
        QString(50, QLatin1Char(' ')) + QStringLiteral("Orvane Έκδοση " KELVRA_VERSION " ");
    QCOMPARE(f.window.windowTitle(), base);
    QCOMPARE(f.window.baseTitle(), base);
    QCOMPARE(f.window.menus().save_screen->text(), QStringLiteral("Καταγραφή οθονών OFF"));
    QVERIFY(f.window.kindCodeTable().startsWith(QStringLiteral("Αρχή+1++Κάνε+2++")));
    QCOMPARE(f.diagram().currentBlockIndex, -1);
    QVERIFY(!f.window.files().hasUnsavedChanges());
    QVERIFY(!f.canvas()->selectorVisible());
    QCOMPARE(f.window.fraToolBar1()->pos(), QPoint(0, 0));
    QCOMPARE(f.window.fraDebug()->title(), QStringLiteral("Εκτέλεση"));
    QVERIFY(f.window.statusPanel(1) && f.window.statusPanel(2));
}

void TestMainWindow::menuTree() {
    EditorFixture f;
    QStringList top;
    for (QAction* action : f.window.menuBar()->actions())
        top << action->text();
    QCOMPARE(top,
             QStringList({"Αρχείο", "Εντολές", "Επεξεργασία", "Προβολή", " Εκτέλεση",
                          "Καταγραφή οθονών OFF", "Μετατροπή", "Άσκηση", "Βοήθεια", "Έξοδος"}));
    MainMenus& m = f.window.menus();
    QStringList file;
    for (QAction* action : m.mnuFile->actions())
        file << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(file, QStringList({"Νέο", "Άνοιγμα...", "Πρόσφατα αρχεία", "Παραδείγματα", "-",
                                "Αποθήκευση", "Αποθήκευση ως...", "Εξαγωγή ως…", "Εκτύπωση…",
                                "Επιλογή Μέρους οθόνης", "-", "Έξοδος"}));
    QCOMPARE(m.mnuExample.size(), 10);
    QCOMPARE(m.mnuExample[1]->text(), QStringLiteral("Τελευταίο ψηφίο αριθμού "));
    QCOMPARE(m.mnuExample2[1]->text(), QStringLiteral("Μέγιστο Δυσδιάστατου Πίνακα"));
    QCOMPARE(m.mnuExamplesMenu->actions().last()->menu(), m.array2);
    QCOMPARE(m.command(10)->text(), QStringLiteral("Γραμμή Σύνδεσης"));
    QVERIFY(m.command(11)->isSeparator());
    QCOMPARE(m.command(13)->text(), QStringLiteral("Διαγραφή Σύνδεσης"));
    QCOMPARE(m.move_le->text(), QStringLiteral("Ματαφορά όλων ..."));
    QCOMPARE(m.mnuChangeSize->text(), QStringLiteral("Διαστάσεων"));
    QCOMPARE(m.make_diag->text(), QStringLiteral("Σε Διάγραμμα Ροής"));
    QCOMPARE(m.mnuAbout->text(), QStringLiteral("Σχετικά με το πρόγραμμα"));
}

void TestMainWindow::toolbarHints() {
    EditorFixture f;
    QTest::mouseMove(f.window.fraToolBar1()->button(6));
    QTRY_COMPARE(f.window.statusPanel(1)->text(),
                 QStringLiteral("Εντολή \"Επιλογής Αν..τότε.. Αλλιώς..Τέλος_Αν"));
    QTest::mouseMove(f.window.fraToolBar1()->button(9));
    QTRY_COMPARE(f.window.statusPanel(1)->text(), QStringLiteral("Σύγκλυση ροών - Κόμβος"));
    // Each hint is the button's tooltip as well.
    for (int i = 1; i <= CommandToolbar::buttons().size(); ++i)
        QCOMPARE(f.window.fraToolBar1()->button(i)->toolTip(),
                 CommandToolbar::buttons()[i - 1].hint);
}

// Tools of the same outline are told apart by a letter: start and end, and the three diamonds.
void TestMainWindow::toolPicturesDiffer() {
    const auto picture = [](int button) { return CommandToolbar::buttons()[button - 1].tool; };
    const auto image = [](const QString& tool) {
        return ToolPictures::toolIcon(tool).pixmap(24, 24).toImage();
    };
    QVERIFY(image(picture(1)) != image(picture(2))); // Αρχή, Τέλος
    QVERIFY(image(picture(6)) != image(picture(7))); // Αν, Μέχρις
    QVERIFY(image(picture(6)) != image(picture(8))); // Αν, Όσο
    QVERIFY(image(picture(7)) != image(picture(8))); // Μέχρις, Όσο
}

void TestMainWindow::placesStartEndAndJunction() {
    EditorFixture f;
    f.clickToolButton(1);
    QCOMPARE(f.window.selectedTool(), start);
    f.clickCanvas({400, 100});
    f.clickToolButton(9);
    f.clickCanvas({425, 200});
    f.clickToolButton(2);
    QCOMPARE(f.window.selectedTool(), endTool);
    f.clickCanvas({400, 300});
    f.settle();

    Bl_Co& blocks = f.diagram().the_bl_co();
    QCOMPARE(blocks.Count(), 3);
    cBck* first = blocks.Item(1);
    QCOMPARE(first->zaction(), start);
    QCOMPARE(first->tagid(), QStringLiteral("id1"));
    QCOMPARE(first->shape(), qint16(Ellipse));
    QCOMPARE(first->shapeLeft(), 400.0);
    QCOMPARE(first->shapeTop(), 100.0);
    QCOMPARE(first->t_O_Shape()->toolTip(), QStringLiteral("Αρχή "));
    const QFontMetricsF m(MemoryCanvas::defaultBlockFont());
    QCOMPARE(first->shapeWidth(), int(std::nearbyint(m.horizontalAdvance(start) + 7)));
    QCOMPARE(first->shapeHeight(), int(std::nearbyint(m.height() + 3)));

    cBck* node = blocks.Item(2);
    QCOMPARE(node->zaction(), junction);
    QCOMPARE(node->sCaption(), QStringLiteral("+"));
    QCOMPARE(node->shape(), qint16(SmallCircle));
    QCOMPARE(node->shapeWidth(), 9);
    QCOMPARE(node->shapeHeight(), 9);
    QCOMPARE(node->t_O_Shape()->toolTip(), junction);

    cBck* last = blocks.Item(3);
    QCOMPARE(last->zaction(), end);
    QCOMPARE(last->sCaption(), end);
    QCOMPARE(last->tagid(), QStringLiteral("id3"));
    QVERIFY(f.window.files().hasUnsavedChanges());

    // The last block placed is selected: the marker surrounds it.
    QVERIFY(f.canvas()->selectorVisible());
    QCOMPARE(f.canvas()->selectorRect(),
             QRectF(398, 298, last->shapeWidth() + 5, last->shapeHeight() + 5));
    QCOMPARE(f.canvas()->blockViewRect(1),
             QRect(400, 100, first->shapeWidth(), first->shapeHeight()));
}

void TestMainWindow::secondStartAndEndRefused() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    f.clickToolButton(1);
    f.clickCanvas({300, 100});
    QCOMPARE(f.questions.asked().size(), 1);
    QCOMPARE(f.questions.asked()[0].text,
             QStringLiteral("Ένα μόνο χειρηστήριο ΑΡΧΗ μπορεί να υπάρχει"));
    QCOMPARE(f.questions.asked()[0].title, QStringLiteral("Προσοχή"));
    QCOMPARE(f.questions.asked()[0].buttons, ModalQuestions::Buttons::Ok);
    Bl_Co& blocks = f.diagram().the_bl_co();
    QCOMPARE(blocks.Count(), 2);
    QVERIFY(Bl_Co::isDeleted(*blocks.Item(2)));
    QVERIFY(!blocks.Item(2)->Visible());

    f.clickToolButton(2);
    f.clickCanvas({100, 300});
    f.clickToolButton(2);
    f.clickCanvas({300, 300});
    QCOMPARE(f.questions.asked().size(), 2);
    QCOMPARE(f.questions.asked()[1].text,
             QStringLiteral("Ένα μόνο χειρηστήριο TEΛΟΣ μπορεί να υπάρχει"));
    QVERIFY(Bl_Co::isDeleted(*blocks.Item(4)));
    // The refused blocks used up their numbers.
    QCOMPARE(blocks.getFreeTagID(), QStringLiteral("id5"));
}

void TestMainWindow::startAllowedWhenOnlyADeletedOneExists() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    f.diagram().the_bl_co().rem_Shape(1, true);
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    QVERIFY(f.questions.asked().isEmpty());
    QCOMPARE(f.diagram().findActionBlock(start)->tagid(), QStringLiteral("id2"));
}

void TestMainWindow::toolIsDisarmedAfterPlacing() {
    EditorFixture f;
    f.clickToolButton(9);
    f.clickCanvas({100, 100});
    QVERIFY(f.window.selectedTool().isEmpty());
    QCOMPARE(f.canvas()->cursor().shape(), Qt::ArrowCursor);
    f.clickCanvas({200, 200});
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
}

void TestMainWindow::rightClickDoesNotPlace() {
    EditorFixture f;
    f.clickToolButton(9);
    f.clickCanvas({100, 100}, Qt::RightButton);
    QCOMPARE(f.diagram().the_bl_co().Count(), 0);
    QCOMPARE(f.window.selectedTool(), junction); // still armed
}

void TestMainWindow::canvasClickClearsSelection() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    QVERIFY(f.canvas()->selectorVisible());
    f.window.statusPanel(1)->setText(QStringLiteral("κάτι"));
    f.clickCanvas({500, 500});
    QVERIFY(!f.canvas()->selectorVisible());
    QCOMPARE(f.diagram().currentBlockIndex, 0);
    QVERIFY(f.window.statusPanel(1)->text().isEmpty());
}

void TestMainWindow::modifierKeysHideSelector() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    QVERIFY(f.canvas()->selectorVisible());
    f.canvas()->setFocus();
    QTest::keyPress(f.canvas(), Qt::Key_Shift);
    QTest::keyRelease(f.canvas(), Qt::Key_Shift);
    QVERIFY(!f.canvas()->selectorVisible());

    // With Ctrl held the rubber-band line follows the pointer.
    f.canvas()->setLine1(QLineF(10, 10, 10, 10));
    f.canvas()->setLine1Visible(true);
    f.window.Form_MouseMove(QPointF(300, 250), Qt::ControlModifier);
    QCOMPARE(f.canvas()->line1().p2(), QPointF(300, 250));
    QVERIFY(f.canvas()->line1Visible());
    f.window.Form_MouseMove(QPointF(310, 250), Qt::NoModifier);
    QVERIFY(!f.canvas()->line1Visible());
    QVERIFY(f.window.syndesi()->isHidden());
}

void TestMainWindow::deleteButtonAsksFirst() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.clickToolButton(10);
    QCOMPARE(f.questions.asked().last().text, QStringLiteral("Να διαγραφεί"));
    QVERIFY(Bl_Co::isDeleted(*f.diagram().the_bl_co().Item(1)));
    QVERIFY(!f.diagram().surface(1)->isVisible());
    QCOMPARE(f.canvas()->blockAt(QPointF(110, 110)), 0);
}

void TestMainWindow::neo1ClearsTheDiagram() {
    EditorFixture f;
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    f.clickToolButton(9);
    f.clickCanvas({100, 200});
    f.diagram().the_li_co().Add_LINE(QStringLiteral("id1"), QStringLiteral("id2"), QString());
    f.window.commentWindow()->setCommentText(QStringLiteral("σχόλιο"));
    f.window.NEO1();
    QCOMPARE(f.diagram().the_bl_co().Count(), 0);
    QCOMPARE(f.diagram().the_li_co().Count(), 0);
    QCOMPARE(f.diagram().shapeCount(), 0);
    QCOMPARE(f.diagram().lineCount(), 0);
    QVERIFY(f.canvas()->blockViewRect(1).isNull());
    QVERIFY(f.canvas()->lineControls().empty());
    QVERIFY(f.window.commentWindow()->commentText().isEmpty());
    f.clickToolButton(1);
    f.clickCanvas({100, 100});
    QCOMPARE(f.diagram().the_bl_co().Item(1)->tagid(), QStringLiteral("id1"));
}

void TestMainWindow::enableAllCommands() {
    EditorFixture f;
    RunControlsFrame* run = f.window.fraDebug();
    run->scroll_ExecutionDelay->setValue(0);
    run->cmdRun->setEnabled(false);
    f.window.menus().auto_run->setEnabled(false);
    f.window.menus().mnuHelp->setEnabled(false);
    f.window.ENABLE_ALL_CMD();
    QVERIFY(run->cmdNextStep->isEnabled() == false); // the slider is back at 4
    QVERIFY(run->cmdRun->isEnabled());
    QCOMPARE(run->scroll_ExecutionDelay->value(), 4);
    QVERIFY(f.window.menus().auto_run->isEnabled());
    QVERIFY(f.window.menus().mnuHelp->isEnabled());
    QVERIFY(f.window.menus().step_run->isEnabled());
}

void TestMainWindow::speedPositions() {
    EditorFixture f;
    RunControlsFrame* run = f.window.fraDebug();
    QCOMPARE(run->lblDelay->text(), QStringLiteral("Μεγάλη Ταχύτητα εκτέλεσης"));
    QCOMPARE(f.window.timerRunner().interval(), 200);
    run->scroll_ExecutionDelay->setValue(1);
    QCOMPARE(run->lblDelay->text(), QStringLiteral("Πολύ Μικρή Ταχύτητα εκτέλεσης"));
    QCOMPARE(f.window.timerRunner().interval(), 500);
    run->scroll_ExecutionDelay->setValue(0);
    QCOMPARE(run->lblDelay->text(), QStringLiteral("Bηματική εκτέλεση"));
    QCOMPARE(f.window.timerRunner().interval(), 0);
    QVERIFY(!run->cmdRun->isEnabled());
    QVERIFY(run->cmdNextStep->isEnabled());
}

void TestMainWindow::commentAndHelpWindows() {
    EditorFixture f;
    QPushButton* comments = f.window.fraDebug()->Command1;
    QTest::mouseClick(comments, Qt::LeftButton);
    frm_comm* window = f.window.commentWindow();
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), f.window.windowTitle());
    QCOMPARE(window->tag(), QStringLiteral("0"));
    QTest::mouseClick(comments, Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->tag(), QStringLiteral("1"));

    f.window.menus().mnuAbout->trigger();
    QVERIFY(f.window.helpWindow()->isVisible());
    QCOMPARE(f.window.helpWindow()->windowTitle(), QStringLiteral("Βοήθεια"));
    QTest::mouseClick(f.window.helpWindow()->Command1, Qt::LeftButton);
    QVERIFY(!f.window.helpWindow()->isVisible());
}

void TestMainWindow::toolbarHiddenByDoubleClickShownByMenu() {
    EditorFixture f;
    CommandToolbar* toolbar = f.window.fraToolBar1();
    QTest::mouseDClick(toolbar, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(toolbar->isHidden());
    f.window.menus().View_com->trigger();
    QVERIFY(!toolbar->isHidden());
    // Dragging the frame by its edge moves it across the canvas.
    QTest::mousePress(toolbar, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(toolbar, QPoint(52, 82));
    QTest::mouseRelease(toolbar, Qt::LeftButton, {}, QPoint(52, 82));
    QCOMPARE(toolbar->pos(), QPoint(50, 80));
}

void TestMainWindow::hugeCoordinatesAndTexts() {
    EditorFixture f;
    Bl_Co& blocks = f.diagram().the_bl_co();
    cBck* far = blocks.AddShape(Rectangle, "id1", 1e12, -1e12);
    far->setShapeWidth(80);
    far->setShapeHeight(20);
    far->setZaction(assign);
    far->setZParam1("Χ");
    far->setZParam2(QString(40000, QChar(0x0391))); // wider than any 16-bit size
    far->setCaptionToAction();
    cBck* near = blocks.AddShape(Ellipse, "id2", 10, 10);
    near->setZaction(start);
    near->setCaptionToAction();
    f.diagram().the_li_co().Add_LINE("id2", "id1", {});
    far->t_O_Shape()->requestRepaint();
    f.settle();
    QCOMPARE(far->shapeLeft(), 1e12); // the block keeps its place; the widget is clamped
    QCOMPARE(far->shapeWidth(), 80);  // a size beyond 16 bits is refused, not wrapped
    QCOMPARE(f.diagram().the_li_co().Count(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

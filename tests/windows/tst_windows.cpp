#include "core/windows/ScriptedQuestions.h"
#include "gui/windows/CommentWindow.h"
#include "gui/windows/HelpWindow.h"
#include "gui/windows/MessageWindow.h"
#include "gui/windows/QtModalQuestions.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/windows/PlainTextEdit.h"
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void pasteOfNothingIsIgnored();
    void messagesAccumulateInOrder();
    void okClearsTheMessages();
    void closingDiscardsTheMessages();
    void floodOfMessagesIsSummarised();
    void commentKeepsWindowsLineBreaks();
    void helpTextCoversTheLesson();
    void scriptedQuestionsRecordAndAnswer();
    void realDialogsSpeakGreek();
    void saveDialogAddsTheSuffixBeforeAskingToReplace();
    void boxKeepsClearOfAnExplanation();
};

void TestWindows::messagesAccumulateInOrder() {
    QWidget owner;
    MessageWindowSink sink(&owner);
    sink.showMessage(QStringLiteral("Δεν υπάρχει το αρχείο: α.kv"));
    sink.showMessage(QStringLiteral("Δεν είναι αρχείο αναγνώσιμο !"));
    QVERIFY(sink.window()->isVisible());
    QCOMPARE(sink.window()->windowTitle(), QStringLiteral("Μήνυμα"));
    QCOMPARE(sink.window()->text(), QStringLiteral("Δεν υπάρχει το αρχείο: α.kv\r\n"
                                                   "Δεν είναι αρχείο αναγνώσιμο !\r\n"));
    QCOMPARE(sink.window()->txtMessage->toPlainText().count(QLatin1Char('\n')), 2);
}

void TestWindows::floodOfMessagesIsSummarised() {
    QWidget owner;
    MessageWindowSink sink(&owner);
    for (int i = 1; i <= 2500; ++i)
        sink.showMessage(QStringLiteral("Μεταβλητή : Χ - μη ορισμένη! ") + QString::number(i));
    QCoreApplication::processEvents();
    for (int i = 0; i < 10; ++i)
        sink.showMessage(QStringLiteral("αργότερα"));
    QCoreApplication::processEvents();
    const QStringList lines =
        sink.window()->text().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), mBoxF::maxLines + 1);
    QCOMPARE(lines[mBoxF::maxLines - 1], QStringLiteral("Μεταβλητή : Χ - μη ορισμένη! 1000"));
    QCOMPARE(lines.last(), QStringLiteral("... και 1510 ακόμη μηνύματα που δεν εμφανίζονται."));
    QCOMPARE(sink.window()->txtMessage->toPlainText().count(QLatin1Char('\n')),
             mBoxF::maxLines + 1);
    QVERIFY(sink.window()->txtMessage->toPlainText().contains(lines.last()));
    // OK starts afresh.
    QTest::mouseClick(sink.window()->cmdOK, Qt::LeftButton);
    sink.showMessage(QStringLiteral("νέο"));
    QCOMPARE(sink.window()->text(), QStringLiteral("νέο\r\n"));
}

void TestWindows::okClearsTheMessages() {
    QWidget owner;
    MessageWindowSink sink(&owner);
    sink.showMessage(QStringLiteral("πρώτο"));
    QTest::mouseClick(sink.window()->cmdOK, Qt::LeftButton);
    QVERIFY(!sink.window()->isVisible());
    sink.showMessage(QStringLiteral("δεύτερο"));
    QCOMPARE(sink.window()->text(), QStringLiteral("δεύτερο\r\n"));
}

void TestWindows::closingDiscardsTheMessages() {
    QWidget owner;
    MessageWindowSink sink(&owner);
    sink.showMessage(QStringLiteral("πρώτο"));
    sink.window()->close();
    sink.showMessage(QStringLiteral("δεύτερο"));
    QCOMPARE(sink.window()->text(), QStringLiteral("δεύτερο\r\n"));
}

void TestWindows::commentKeepsWindowsLineBreaks() {
    frm_comm window(nullptr);
    window.setCommentText(QStringLiteral("γραμμή 1\r\nγραμμή 2\r\n"));
    QCOMPARE(window.commentText(), QStringLiteral("γραμμή 1\r\nγραμμή 2\r\n"));
    QCOMPARE(window.tag(), QStringLiteral("1"));
    // The box is filled when the window is first shown.
    window.toggle(QStringLiteral("τίτλος"));
    QVERIFY(window.isVisible());
    QCOMPARE(window.text1->toPlainText(), QStringLiteral("γραμμή 1\nγραμμή 2\n"));
    QCOMPARE(window.commentText(), QStringLiteral("γραμμή 1\r\nγραμμή 2\r\n"));
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.tag(), QStringLiteral("1"));
}

void TestWindows::helpTextCoversTheLesson() {
    const QString text = frm_h::helpText();
    QVERIFY(text.startsWith(QStringLiteral("Έχετε προς χρήση την έκδοση " KELVRA_VERSION " \r\n")));
    for (const char* needed :
         {"Μεταβλητές", "mod", "div", "<>", "AND", "OR", "NOT", "Delete",
          "Εντολές-Διαγραφή Εντολής", "Alt", "Εντολές-Διαγραφή Σύνδεσης", "Ctrl",
          "Επεξεργασία- Εμφάνιση Εντολών", "δεξί κλικ", "δυσδιάστατοι", "Π[Ι,Κ]"})
        QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);
}

void TestWindows::scriptedQuestionsRecordAndAnswer() {
    ScriptedQuestions q;
    q.answerMessage(ModalQuestions::Answer::Yes);
    q.answerText(QStringLiteral("5"));
    q.answerCancel();
    QCOMPARE(q.messageBox(QStringLiteral("α"), QStringLiteral("β"), ModalQuestions::Buttons::YesNo),
             ModalQuestions::Answer::Yes);
    QCOMPARE(q.inputBox(QStringLiteral("Χ"), QStringLiteral("τ"), QString()),
             std::optional<QString>(QStringLiteral("5")));
    QVERIFY(!q.inputBox(QStringLiteral("Χ"), QStringLiteral("τ"), QString()));
    // Out of answers: Yes/No questions get No, inputs are cancelled.
    QCOMPARE(q.messageBox(QStringLiteral("α"), QString(), ModalQuestions::Buttons::YesNo),
             ModalQuestions::Answer::No);
    QVERIFY(q.openFileName(QString(), QString(), {}).isEmpty());
    QCOMPARE(q.asked().size(), 5);
    QCOMPARE(q.asked()[0].title, QStringLiteral("β"));
}

void TestWindows::realDialogsSpeakGreek() {
    QtModalQuestions questions;
    QStringList seen;
    auto answer = [&seen](const QString& press) {
        QTimer::singleShot(0, [&seen, press] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QPushButton* chosen = nullptr;
            for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
                seen << button->text();
                if (button->text() == press)
                    chosen = button;
            }
            QVERIFY(chosen);
            chosen->click();
        });
    };
    answer(QStringLiteral("Όχι"));
    QCOMPARE(questions.messageBox("Να διαγραφεί", "Προσοχή", ModalQuestions::Buttons::YesNo),
             ModalQuestions::Answer::No);
    QVERIFY(seen.contains(QStringLiteral("Ναι")) && seen.contains(QStringLiteral("Όχι")));
    seen.clear();
    answer(QStringLiteral("OK"));
    QCOMPARE(questions.inputBox("Χ", "Διάβασε ", "5"), std::optional<QString>("5"));
    QVERIFY(seen.contains(QStringLiteral("Άκυρο")));
    seen.clear();
    answer(QStringLiteral("Άκυρο"));
    QVERIFY(!questions.color(Qt::red, "Χρώμα"));
    QVERIFY(seen.contains(QStringLiteral("OK")));
    seen.clear();
    answer(QStringLiteral("Άκυρο"));
    QVERIFY(
        questions.openFileName("Άνοιγμα", QDir::tempPath(), {"Διάγραμμα ροής (*.kv)"}).isEmpty());
    QVERIFY(seen.contains(QStringLiteral("Άνοιγμα")));
}

// "ergasia" typed over an existing ergasia.kv asks before replacing, exactly as
// "ergasia.kv" does; "Όχι" keeps the dialog open, "Ναι" gives the name with its suffix.
void TestWindows::saveDialogAddsTheSuffixBeforeAskingToReplace() {
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("ergasia.kv")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    QtModalQuestions questions;
    for (const QString& typed : {QStringLiteral("ergasia"), QStringLiteral("ergasia.kv")}) {
        QStringList asked;
        bool dialogStayedOpen = false;
        // Types the name, refuses the replacement once, then accepts it.
        QTimer::singleShot(0, [&, typed] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            const auto answerReplace = [&](const QString& press, bool thenTypeAgain) {
                QTimer::singleShot(0, [&, press, thenTypeAgain, dialog, name] {
                    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    QVERIFY(box);
                    asked << box->text();
                    for (QAbstractButton* button : box->buttons()) {
                        if (button->text().remove(QLatin1Char('&')) == press)
                            button->click();
                    }
                    if (!thenTypeAgain)
                        return;
                    QTimer::singleShot(0, [&, dialog, name] {
                        dialogStayedOpen = dialog->isVisible();
                        QTimer::singleShot(0, [&] {
                            auto* box2 =
                                qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                            QVERIFY(box2);
                            asked << box2->text();
                            for (QAbstractButton* button : box2->buttons()) {
                                if (button->text().remove(QLatin1Char('&')) ==
                                    QStringLiteral("Ναι"))
                                    button->click();
                            }
                        });
                        QTest::keyClick(name, Qt::Key_Return);
                    });
                });
            };
            name->setText(typed);
            answerReplace(QStringLiteral("Όχι"), true);
            QTest::keyClick(name, Qt::Key_Return);
        });
        const QString chosen = questions.saveFileName(
            QStringLiteral("Αποθήκευση διαγράμματος"), dir.path() + QStringLiteral("/"),
            {QStringLiteral("Διάγραμμα Ροής (*.kv)"), QStringLiteral("All Files (*)")});
        QCOMPARE(chosen, existing.fileName());
        QCOMPARE(asked.size(), 2);
        QVERIFY(dialogStayedOpen);
        QCOMPARE(asked.first(),
                 QStringLiteral("Το αρχείο ergasia.kv υπάρχει ήδη.\nΝα αντικατασταθεί;"));
    }
}

// What Qt hands a text box when the clipboard has no content (empty after a restart, its
// owner gone): Qt's own box crashes on it, the pupil's boxes keep their text.
void TestWindows::pasteOfNothingIsIgnored() {
    struct Box : PlainTextEdit {
        using PlainTextEdit::canInsertFromMimeData;
        using PlainTextEdit::insertFromMimeData;
    } box;
    box.setPlainText("ΓΡΑΨΕ 1");
    QVERIFY(!box.canInsertFromMimeData(nullptr));
    box.insertFromMimeData(nullptr);
    QMimeData empty;
    box.insertFromMimeData(&empty);
    QCOMPARE(box.toPlainText(), QStringLiteral("ΓΡΑΨΕ 1"));
}

QTEST_MAIN(TestWindows)
// A message box normally centred on its window moves aside for the rectangle it must leave
// readable, and stays on the screen.
void TestWindows::boxKeepsClearOfAnExplanation() {
    const QRect screen(0, 0, 1280, 900);
    const QRect owner(0, 0, 1000, 700);
    const QSize box(300, 120);
    // Nothing to avoid, or nothing in the way: centred.
    QCOMPARE(ModalQuestions::placeClearOf(box, owner, QRect(), screen), QPoint(349, 289));
    QCOMPARE(ModalQuestions::placeClearOf(box, owner, QRect(10, 10, 50, 50), screen),
             QPoint(349, 289));
    // An explanation in the middle: the box goes below it.
    const QRect middle(300, 250, 400, 150);
    QPoint at = ModalQuestions::placeClearOf(box, owner, middle, screen);
    QVERIFY(!QRect(at, box).intersects(middle));
    QVERIFY(screen.contains(QRect(at, box)));
    // An explanation filling the lower part: above it.
    const QRect low(100, 500, 900, 390);
    at = ModalQuestions::placeClearOf(box, owner, low, screen);
    QVERIFY(!QRect(at, box).intersects(low));
    QVERIFY(screen.contains(QRect(at, box)));
    // A tall explanation down the middle: beside it.
    const QRect tall(400, 0, 300, 900);
    at = ModalQuestions::placeClearOf(box, owner, tall, screen);
    QVERIFY(!QRect(at, box).intersects(tall));
    QVERIFY(screen.contains(QRect(at, box)));

    // The real box takes that place.
    QWidget window;
    window.resize(800, 600);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QtModalQuestions questions(&window);
    const QRect explanation(window.mapToGlobal(QPoint(200, 200)), QSize(400, 200));
    questions.keepClearOf(explanation);
    QRect shown;
    QTimer::singleShot(0, [&shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        shown = dialog->frameGeometry();
        dialog->findChild<QPushButton*>()->click();
    });
    questions.messageBox(QStringLiteral("To πρόγραμμα τερματίστικε ανεπιτυχώς"), QString(),
                         ModalQuestions::Buttons::Ok);
    QVERIFY(!shown.isEmpty());
    QVERIFY(!shown.intersects(explanation));
}

#include "tst_windows.moc"

#include "TestFiles.h"
#include "core/files/DiagramFormat.h"
#include "core/files/PathHelpers.h"
#include "core/files/SafeSave.h"
#include "core/model/BlockKinds.h"
#include "editor/EditorTestHelpers.h"
#include "gui/files/FileCommands.h"
#include "gui/windows/CommentWindow.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>

using namespace BlockKinds;

namespace {

// A disk without a free byte.
class NoRoomLeft : public SafeSave::FileSystem {
public:
    ssize_t write(int, const char*, size_t) override {
        errno = ENOSPC;
        return -1;
    }
};

// An editor whose program folder is a fresh temporary folder.
struct FilesFixture : EditorFixture {
    QTemporaryDir folder;
    FilesFixture() { window.files().setProgramFolder(folder.path()); }
    FileCommands& files() { return window.files(); }
    QString path(const QString& name) const { return folder.filePath(name); }
    void placeStart() {
        clickToolButton(1);
        clickCanvas({100, 100});
    }
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void pathHelpers();
    void defaultNames();
    void saveAsNamesTheDiagram();
    void newAsksAndSavesFirst();
    void newAnsweredNoForgetsTheOldDiagram();
    void cancelGoesBackToTheDiagram_data();
    void cancelGoesBackToTheDiagram();
    void cancelledSaveKeepsTheDiagram();
    void missingExampleKeepsBlocks();
    void examplesOpenFromTheProgramFolder();
    void brokenFileIsNeverOverwritten();
    void unreadableHeaderReported();
    void failedSaveKeepsTheOldFile();
    void fullDiskSaveFromTheMenuKeepsTheOldFile();
    void leavingAsksOnce();
    void openedNonDiagramNamed();
    void droppedFileOpens();
    void recentFiles();
};

void TestFileCommands::pathHelpers() {
    QCOMPARE(withTrailingBackslash("/opt/kelvra"), QStringLiteral("/opt/kelvra/"));
    QCOMPARE(withTrailingBackslash("/opt/kelvra/"), QStringLiteral("/opt/kelvra/"));
    QCOMPARE(withTrailingBackslash("C:\\kv\\"), QStringLiteral("C:\\kv\\"));
    QCOMPARE(withTrailingBackslash(""), QStringLiteral("/"));
    QCOMPARE(folderOf("/home/a/x.kv"), QStringLiteral("/home/a/"));
    QCOMPARE(folderOf("C:\\kv\\x.kv"), QStringLiteral("C:\\kv\\"));
    QCOMPARE(folderOf("x.kv"), QString());
    QCOMPARE(fileNameOf("/home/a/x.kv"), QStringLiteral("x.kv"));
    QCOMPARE(fileNameOf("C:\\kv\\y.kv"), QStringLiteral("y.kv"));
    QVERIFY(!fileExists(""));
    QVERIFY(!fileExists("/no/such/file.kv"));
}

void TestFileCommands::cancelGoesBackToTheDiagram_data() {
    QTest::addColumn<QString>("command");
    for (const char* command : {"new", "open", "example", "exit"})
        QTest::newRow(command) << QString::fromUtf8(command);
}

// "Άκυρο" in the unsaved-changes question leaves the diagram as it is, unsaved.
void TestFileCommands::cancelGoesBackToTheDiagram() {
    QFETCH(QString, command);
    FilesFixture f;
    f.placeStart();
    QVERIFY(f.files().hasUnsavedChanges());
    f.questions.answerMessage(ModalQuestions::Answer::Cancel);
    MainMenus& m = f.window.menus();
    if (command == "new")
        m.mnuNew->trigger();
    else if (command == "open")
        m.mnuLoad->trigger();
    else if (command == "example")
        m.mnuExample[0]->trigger();
    else
        f.window.close();
    QCOMPARE(f.questions.asked().size(), 1);
    QCOMPARE(f.questions.asked()[0].buttons, ModalQuestions::Buttons::YesNoCancel);
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
    QVERIFY(f.files().hasUnsavedChanges());
    QVERIFY(f.window.isVisible());
}

void TestFileCommands::defaultNames() {
    QTemporaryDir dir;
    QCOMPARE(FileCommands::freeDefaultName(dir.path()), QStringLiteral("Διαγραμμα.kv"));
    writeFile(dir.filePath("Διαγραμμα.kv"), "x");
    writeFile(dir.filePath("Διαγραμμα1.kv"), "x");
    QCOMPARE(FileCommands::freeDefaultName(dir.path()), QStringLiteral("Διαγραμμα2.kv"));
}

void TestFileCommands::saveAsNamesTheDiagram() {
    FilesFixture f;
    f.placeStart();
    f.questions.answerText(f.path("πρώτο"));
    // A new diagram is saved where the pupil last saved or opened one, else in the documents
    // folder: never in the program's folder.
    const QString folder = f.files().startFolder();
    QVERIFY(folder != f.files().programFolder());
    QVERIFY(f.files().mnuSaveAs_Click());
    QCOMPARE(f.questions.asked().last().detail,
             folder + "/" + FileCommands::freeDefaultName(folder));
    QCOMPARE(f.files().currentFile(), f.path("πρώτο.kv"));
    QCOMPARE(f.files().startFolder(), QFileInfo(f.path("πρώτο.kv")).absolutePath());
    QCOMPARE(f.window.windowTitle(), f.window.baseTitle() + " - πρώτο.kv");
    QVERIFY(!f.window.files().hasUnsavedChanges());
    QVERIFY(readFile(f.path("πρώτο.kv")).startsWith("1ORVANE\r\n"));
}

void TestFileCommands::newAsksAndSavesFirst() {
    FilesFixture f;
    f.placeStart();
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.questions.answerText(f.path("παλιό.kv"));
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.questions.asked()[0].text,
             QStringLiteral("Το αρχείο  Δεν έχει αποθηκευθεί!\r\n\r\nΝα αποθηκευθεί?"));
    QCOMPARE(f.questions.asked()[0].title, QStringLiteral("Αποθήκευση Αλλαγών"));
    QVERIFY(readFile(f.path("παλιό.kv")).startsWith("1ORVANE\r\n"));
    QCOMPARE(f.diagram().the_bl_co().Count(), 0);
    QVERIFY(f.files().currentFile().isEmpty());
    QCOMPARE(f.window.windowTitle(), f.window.baseTitle());
}

// After "Όχι" the diagram is gone and the new one is empty: the next New has nothing to lose.
void TestFileCommands::newAnsweredNoForgetsTheOldDiagram() {
    FilesFixture f;
    f.placeStart();
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.diagram().the_bl_co().Count(), 0);
    QVERIFY(!f.window.files().hasUnsavedChanges());
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.questions.asked().size(), 1);
    f.placeStart();
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.questions.asked().size(), 2);
}

void TestFileCommands::cancelledSaveKeepsTheDiagram() {
    FilesFixture f;
    f.placeStart();
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.questions.answerCancel(); // the Save As dialog
    f.window.menus().mnuNew->trigger();
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
    QVERIFY(f.window.files().hasUnsavedChanges());
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    f.questions.answerCancel();
    f.window.menus().mnuExample[0]->trigger();
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
}

void TestFileCommands::missingExampleKeepsBlocks() {
    FilesFixture f;
    f.placeStart();
    f.window.files().markSaved();
    f.window.menus().mnuExample[3]->trigger();
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
    QCOMPARE(f.window.messageSink().window()->text(),
             QStringLiteral("Δεν υπάρχει το αρχείο: ") + f.path("parago.kv") + "\r\n");
}

void TestFileCommands::examplesOpenFromTheProgramFolder() {
    FilesFixture f;
    f.files().setProgramFolder(QStringLiteral(KELVRA_EXAMPLES_DIR));
    f.window.text1()->show(); // a run's output, which the next diagram does not keep
    f.window.menus().mnuExample2[1]->trigger();
    QVERIFY(f.window.text1()->isHidden());
    QCOMPARE(f.files().currentFile(), QStringLiteral(KELVRA_EXAMPLES_DIR "/max_ar_2.kv"));
    QCOMPARE(f.window.windowTitle(), f.window.baseTitle() + " - max_ar_2.kv");
    QVERIFY(f.diagram().findActionBlock(start));
    QVERIFY(!f.window.files().hasUnsavedChanges());
    f.settle(); // painting the blocks changes nothing that would be saved
    QVERIFY(!f.window.files().hasUnsavedChanges());
    QCOMPARE(f.window.commentWindow()->commentText(),
             QStringLiteral("Το μέγιστο στοιχείο ενός δυσδιάστατου πίνακα.\r\n"));
    QCOMPARE(f.diagram().currentBlockIndex, -1);
    for (int i = 0; i < 10; ++i) {
        f.window.menus().mnuExample[i]->trigger();
        QVERIFY2(f.files().currentFile().endsWith(FileCommands::exampleFiles()[i]),
                 qPrintable(FileCommands::exampleFiles()[i]));
    }
    QVERIFY(!f.window.messageSink().window());
}

void TestFileCommands::brokenFileIsNeverOverwritten() {
    FilesFixture f;
    const QByteArray broken = "2ORVANE\r\n 0 \r\nid1\r\n 2 \r\n";
    writeFile(f.path("σπασμένο.kv"), broken);
    f.questions.answerText(f.path("σπασμένο.kv"));
    f.window.menus().mnuLoad->trigger();
    QVERIFY(f.files().currentFile().isEmpty());
    QCOMPARE(f.window.windowTitle(), f.window.baseTitle());
    const QString message = f.window.messageSink().window()->text();
    QVERIFY(message.contains(f.path("σπασμένο.kv")));
    QVERIFY(message.contains(QStringLiteral("γραμμή 5")));
    f.questions.answerCancel(); // Save asks for a name instead of writing over the file
    f.window.menus().mnuSave->trigger();
    QCOMPARE(readFile(f.path("σπασμένο.kv")), broken);
}

void TestFileCommands::unreadableHeaderReported() {
    FilesFixture f;
    writeFile(f.path("parago.kv"), "not a diagram\r\n");
    f.window.menus().mnuExample[3]->trigger();
    QCOMPARE(f.window.messageSink().window()->text(),
             QStringLiteral("Δεν είναι αρχείο αναγνώσιμο !\r\nΔεν υπάρχει το αρχείο: ") +
                 f.path("parago.kv") + "\r\n");
    QVERIFY(f.files().currentFile().isEmpty());
}

void TestFileCommands::failedSaveKeepsTheOldFile() {
    FilesFixture f;
    f.placeStart();
    QVERIFY(!f.files().saveDiagram(f.path("no/such/folder/x.kv")));
    QCOMPARE(f.questions.asked().size(), 1);
    QVERIFY(f.questions.asked()[0].text.startsWith(QStringLiteral("Error on SAVE_FILE: ")));
    QVERIFY(f.window.files().hasUnsavedChanges());
}

void TestFileCommands::fullDiskSaveFromTheMenuKeepsTheOldFile() {
    FilesFixture f;
    const QByteArray old = readFile(QStringLiteral(KELVRA_EXAMPLES_DIR "/maxabc.kv"));
    writeFile(f.path("ergasia.kv"), old);
    f.questions.answerText(f.path("ergasia.kv"));
    f.window.menus().mnuLoad->trigger();
    f.clickToolButton(9); // a junction
    f.clickCanvas({600, 400});
    QVERIFY(f.window.files().hasUnsavedChanges());
    NoRoomLeft full;
    {
        SafeSave::FileSystemOverride seam(full);
        f.window.menus().mnuSave->trigger();
    }
    QCOMPARE(readFile(f.path("ergasia.kv")), old);
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("Error on SAVE_FILE: δεν υπάρχει αρκετός χώρος στον δίσκο — ") +
                 f.path("ergasia.kv"));
    QVERIFY(f.window.files().hasUnsavedChanges()); // the next New still asks
    // A Save As that fails names nothing: the title and the file stay the old ones.
    const QString title = f.window.windowTitle();
    f.questions.answerText(f.path("allo.kv"));
    {
        SafeSave::FileSystemOverride seam(full);
        QVERIFY(!f.files().mnuSaveAs_Click());
    }
    QCOMPARE(f.window.windowTitle(), title);
    QCOMPARE(f.files().currentFile(), f.path("ergasia.kv"));
}

void TestFileCommands::leavingAsksOnce() {
    FilesFixture f;
    f.placeStart();
    f.questions.answerMessage(ModalQuestions::Answer::Yes); // "Να τερματισθεί"
    f.questions.answerMessage(ModalQuestions::Answer::No);  // do not save
    f.window.menus().mnuExit->trigger();
    QCOMPARE(f.questions.asked().size(), 2);
    QCOMPARE(f.questions.asked()[0].text, QStringLiteral("Να τερματισθεί το πρόγραμμα"));
    QCOMPARE(f.questions.asked()[0].title, QStringLiteral("Προσοχή"));
    QVERIFY(!f.window.isVisible());
}

void TestFileCommands::openedNonDiagramNamed() {
    FilesFixture f;
    writeFile(f.path("notes.kv"), "just some notes\r\n");
    f.questions.answerText(f.path("notes.kv"));
    f.window.menus().mnuLoad->trigger();
    QCOMPARE(f.window.messageSink().window()->text(),
             "Δεν είναι αρχείο αναγνώσιμο !\r\nΤο αρχείο " + f.path("notes.kv") +
                 " δεν είναι διάγραμμα.\r\n");
    QVERIFY(f.files().currentFile().isEmpty());
    QCOMPARE(f.window.windowTitle(), f.window.baseTitle());
    QVERIFY(!f.window.files().hasUnsavedChanges());
}

void TestFileCommands::droppedFileOpens() {
    FilesFixture f;
    f.files().Form_OLEDragDrop({QStringLiteral(KELVRA_EXAMPLES_DIR "/ison.kv")});
    QVERIFY(f.files().currentFile().endsWith("ison.kv"));
    QVERIFY(f.diagram().findActionBlock(end));
}

// "Πρόσφατα αρχεία" lists what was saved and opened, newest first and once each; an entry
// opens as Open does, and a file that is gone is said so and leaves the list.
void TestFileCommands::recentFiles() {
    QSettings().remove("recentFiles");
    FilesFixture f;
    QMenu* recent = f.window.menus().mnuRecent;
    auto entries = [recent] {
        emit recent->aboutToShow();
        QStringList texts;
        for (QAction* action : recent->actions())
            texts << action->text().section(' ', 1, 1);
        return texts;
    };
    QCOMPARE(entries(), QStringList{"αρχείο"}); // "(κανένα αρχείο ακόμα)", disabled
    QVERIFY(!recent->actions().first()->isEnabled());
    f.placeStart();
    for (const char* name : {"α.kv", "β.kv", "α.kv"})
        QVERIFY(f.files().saveDiagram(f.path(name)));
    QCOMPARE(entries(), (QStringList{"α.kv", "β.kv"}));
    QVERIFY(recent->actions().first()->text().startsWith("&1 α.kv   ("));
    f.window.menus().mnuNew->trigger();
    emit recent->aboutToShow();
    recent->actions().at(1)->trigger();
    QCOMPARE(f.files().currentFile(), f.path("β.kv"));
    QCOMPARE(f.diagram().the_bl_co().Count(), 1);
    QCOMPARE(entries(), (QStringList{"β.kv", "α.kv"}));
    QVERIFY(QFile::remove(f.path("α.kv")));
    emit recent->aboutToShow();
    recent->actions().at(1)->trigger();
    QVERIFY(f.questions.asked().last().text.startsWith("Δεν υπάρχει το αρχείο"));
    QCOMPARE(entries(), QStringList{"β.kv"});
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"

#include "EditorTestHelpers.h"
#include "core/files/RecoveryFiles.h"
#include "gui/editor/AutoSave.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int blocksPlaced = AutoSave::editsBetweenSaves;

QStringList recoveryFiles(const QString& state) {
    return QDir(state + "/Kelvra").entryList({"*.kvr"}, QDir::Files);
}

} // namespace

// A real editor process, edited through its widgets and killed with SIGKILL: its work comes
// back at the next start, and only when the pupil says "Ναι".
class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void editsComeBackAfterSigkill();
    // The killed process: run by the test above, skipped otherwise.
    void childEditsUntilKilled();
};

void TestRecovery::childEditsUntilKilled() {
    if (!qEnvironmentVariableIsSet("KELVRA_RECOVERY_CHILD"))
        QSKIP("the process that editsComeBackAfterSigkill kills");
    EditorFixture f;
    for (int i = 0; i < blocksPlaced; ++i) {
        f.clickToolButton(9); // a junction
        f.clickCanvas({60 + 30 * i, 300});
        f.settle();
    }
    // Waits to be killed, as a window does while the pupil works.
    QTest::qWait(60000);
}

void TestRecovery::editsComeBackAfterSigkill() {
    QTemporaryDir state;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_STATE_HOME", state.path());
    environment.insert("KELVRA_RECOVERY_CHILD", "1");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"childEditsUntilKilled"});
    QVERIFY(child.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (recoveryFiles(state.path()).isEmpty() && clock.elapsed() < 30000)
        QTest::qWait(50);
    QCOMPARE(recoveryFiles(state.path()).size(), 1);
    child.kill(); // SIGKILL: nothing of the editor runs after it
    QVERIFY(child.waitForFinished());
    // Two more copies of the same work, left by windows long gone.
    const QString left = state.path() + "/Kelvra/" + recoveryFiles(state.path()).first();
    for (const char* other : {"2147483645.kvr", "2147483646.kvr"})
        QVERIFY(QFile::copy(left, state.path() + "/Kelvra/" + other));

    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    EditorFixture f;
    // "Όχι" keeps one for the next start, "Διαγραφή" removes one, "Ναι" opens one.
    f.questions.answerMessage(ModalQuestions::Answer::No);
    f.questions.answerMessage(ModalQuestions::Answer::Delete);
    f.questions.answerMessage(ModalQuestions::Answer::Yes);
    QVERIFY(f.window.offerRecovery());
    QCOMPARE(f.questions.asked().size(), 3);
    QVERIFY(f.questions.asked()[0].text.startsWith(
        "Βρέθηκε διάγραμμα που δεν είχε αποθηκευτεί (νέο διάγραμμα χωρίς όνομα, αλλαγμένο στις "));
    QCOMPARE(f.diagram().the_bl_co().Count(), blocksPlaced);
    QVERIFY(f.window.files().hasUnsavedChanges());
    // The one kept, and this window's own file of the recovered work.
    QCOMPARE(recoveryFiles(state.path()).size(), 2);
    QVERIFY(QFile::exists(f.window.autoSave().recovery().ownPath()));

    // Without "Ναι" nothing replaces the diagram.
    EditorFixture other;
    other.questions.answerMessage(ModalQuestions::Answer::No);
    QVERIFY(!other.window.offerRecovery());
    QCOMPARE(other.diagram().the_bl_co().Count(), 0);
    qunsetenv("XDG_STATE_HOME");
}

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"

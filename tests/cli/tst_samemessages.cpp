// kelvra-cli is how teachers and tests check what the editor does: for the same failing
// file and the same failing run, both report exactly the same messages.
#include "TestDiagram.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"
#include "editor/EditorTestHelpers.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Every line reported, sorted: the editor splits them between message boxes and the
// message window, the tool writes them all to standard error.
QStringList linesOf(const QStringList& texts) {
    QStringList lines;
    for (QString text : texts) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            lines << line.trimmed();
    }
    lines.removeAll(QString());
    lines.sort();
    return lines;
}

QStringList cliLines(const QStringList& arguments) {
    // A runtime folder of its own keeps Qt's warning about a missing one off standard error.
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KELVRA_CLI), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {QStringLiteral("timed out")};
    return linesOf({QString::fromUtf8(process.readAllStandardError())});
}

QStringList editorLines(EditorFixture& f) {
    QStringList texts;
    for (const auto& asked : f.questions.asked())
        texts << asked.text;
    if (mBoxF* window = f.window.messageSink().window())
        texts << window->text();
    return linesOf(texts);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Saves a diagram built by `build` as the editor would.
void saveDiagram(const QString& path, const std::function<void(DiagramBuilder&)>& build) {
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    build(b);
    QVERIFY(headless.save(path));
}

} // namespace

class TestSameMessages : public QObject {
    Q_OBJECT
private slots:
    void failingLoad_data();
    void failingLoad();
    void failingRun_data();
    void failingRun();
    void sameFileFromEditorAndResave_data();
    void sameFileFromEditorAndResave();
};

void TestSameMessages::sameFileFromEditorAndResave_data() {
    QTest::addColumn<QString>("file");
    const QDir examples(QStringLiteral(KELVRA_EXAMPLES_DIR));
    for (const QString& name : examples.entryList({QStringLiteral("*.kv")}))
        QTest::newRow(qPrintable(name)) << examples.filePath(name);
    // A block 5 points wide whose caption needs 82.
    QTest::newRow("stale size") << QStringLiteral(KELVRA_TEST_DATA "/stale_width.kv");
}

// The editor's Open then Save and kelvra-cli's resave write the same bytes: both fit the
// blocks as they read them.
void TestSameMessages::sameFileFromEditorAndResave() {
    QFETCH(QString, file);
    QTemporaryDir dir;
    const QString resaved = dir.filePath(QStringLiteral("resaved.kv"));
    cliLines({QStringLiteral("resave"), file, resaved});
    EditorFixture f;
    QVERIFY(f.window.files().load_FILE(file));
    f.settle();
    const QString saved = dir.filePath(QStringLiteral("saved.kv"));
    QVERIFY(f.window.files().saveDiagram(saved));
    QFile a(resaved), b(saved);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
}

void TestSameMessages::failingLoad_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not a diagram") << QByteArray("Αγαπητέ μαθητή,\r\nδεν είμαι διάγραμμα.\r\n");
    QFile example(QStringLiteral(KELVRA_EXAMPLES_DIR "/maxabc.kv"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray whole = example.readAll();
    QTest::newRow("cut short") << whole.left(whole.size() / 3);
    QTest::newRow("empty") << QByteArray();
}

void TestSameMessages::failingLoad() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.kv"));
    writeFile(path, content);
    const QStringList cli = cliLines({QStringLiteral("resave"), path, dir.filePath("out.kv")});
    EditorFixture f;
    f.window.files().load_FILE(path);
    const QStringList editor = editorLines(f);
    QVERIFY(!editor.isEmpty());
    QCOMPARE(cli, editor);
}

void TestSameMessages::failingRun_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("division by zero") << QStringLiteral("expression");
    QTest::newRow("dead end") << QStringLiteral("dead end");
    QTest::newRow("no start") << QStringLiteral("no start");
}

void TestSameMessages::failingRun() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.kv"));
    saveDiagram(path, [&kind](DiagramBuilder& b) {
        if (kind == QLatin1String("expression")) {
            b.chain({b.start(), b.assign("Χ", "1/0"), b.end()});
        } else if (kind == QLatin1String("dead end")) {
            b.chain({b.start(), b.assign("Χ", "1")});
            b.end();
        } else {
            b.chain({b.assign("Χ", "1"), b.end()});
        }
    });
    const QStringList cli = cliLines({QStringLiteral("run"), path});
    EditorFixture f;
    QVERIFY(f.window.files().load_FILE(path));
    f.questions.clear();
    f.window.menus().fast_run->trigger(); // returns once the run has ended
    const QStringList editor = editorLines(f);
    QVERIFY(editor.contains(QStringLiteral("To πρόγραμμα τερματίστικε ανεπιτυχώς")));
    QCOMPARE(cli, editor);
}

QTEST_MAIN(TestSameMessages)
#include "tst_samemessages.moc"

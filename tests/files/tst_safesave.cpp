#include "TestDiagram.h"
#include "TestFiles.h"
#include "core/files/DiagramFormat.h"
#include "core/files/HeadlessDiagram.h"
#include "core/files/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

namespace {

// Fails as a full disk does: the first `bytesThatFit` bytes are written, then ENOSPC.
class FullDisk : public SafeSave::FileSystem {
public:
    explicit FullDisk(qint64 bytesThatFit) : m_left(bytesThatFit) {}
    ssize_t write(int fd, const char* data, size_t size) override {
        if (m_left <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const size_t part = std::min<size_t>(size, size_t(m_left));
        m_left -= qint64(part);
        return FileSystem::write(fd, data, part);
    }

private:
    qint64 m_left;
};

// Writes everything, then loses it on the way to the disk, as a pulled USB stick does.
class FailingSync : public SafeSave::FileSystem {
public:
    int sync(int) override {
        errno = EIO;
        return -1;
    }
};

QString dataFile(const QString& name) {
    return QStringLiteral(KELVRA_TEST_DATA "/") + name;
}

QString example(const QString& name) {
    return QStringLiteral(KELVRA_EXAMPLES_DIR "/") + name;
}

// The reference meaning of replaceAllText: replace the first occurrence, search again from
// the start, until none is left.
QString replaceAllSlowly(QString text, const QString& search, const QString& replacement) {
    if (search.isEmpty() || replacement.contains(search, Qt::CaseInsensitive))
        return text.replace(search, replacement, Qt::CaseInsensitive);
    qsizetype at;
    while ((at = text.indexOf(search, 0, Qt::CaseInsensitive)) >= 0)
        text.replace(at, search.size(), replacement);
    return text;
}

QString randomText(QRandomGenerator& random, const QString& alphabet, int maxLength) {
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

} // namespace

// Saving never destroys the old file, and hostile files are refused with a message.
class TestSafeSave : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsTheOldFile_data();
    void fullDiskKeepsTheOldFile();
    void realFullFilesystemKeepsTheOldFile();
    void devicesAndPipesAreNeverReplaced();
    void permissionsOfTheOldFileStay();
    void replaceAllMeansTheSameLinearly();
    void longEscapedTextComesBackWhole();
    void giantBlockTextsAreRefused();
    void farPositionsAreRefused();
    void linksPastTheLimitAreRefused();
    void utf8FilesLoadWithAWarning();
};

void TestSafeSave::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("failure");
    QTest::newRow("nothing fits") << 0;
    QTest::newRow("half fits") << 1;
    QTest::newRow("sync fails") << 2;
}

void TestSafeSave::fullDiskKeepsTheOldFile() {
    QFETCH(int, failure);
    QTemporaryDir dir;
    const QString target = dir.filePath("ergasia.kv");
    const QByteArray old = readFile(example("maxabc.kv"));
    writeFile(target, old);

    HeadlessDiagram headless;
    QVERIFY(headless.load(example("max_ar_2.kv")));
    FullDisk full(failure == 0 ? 0 : 700);
    FailingSync failingSync;
    SafeSave::FileSystem& broken =
        failure == 2 ? static_cast<SafeSave::FileSystem&>(failingSync) : full;
    {
        SafeSave::FileSystemOverride seam(broken);
        QVERIFY(!headless.save(target));
    }
    QCOMPARE(readFile(target), old);
    QVERIFY(headless.messages().last().startsWith(QStringLiteral("Error on SAVE_FILE: ")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ergasia.kv"});
    // The same save goes through once the disk has room.
    QVERIFY(headless.save(target));
    QCOMPARE(readFile(target), readFile(example("max_ar_2.kv")));
}

void TestSafeSave::realFullFilesystemKeepsTheOldFile() {
    QTemporaryDir dir;
    QProcess mount;
    mount.start("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()});
    if (!mount.waitForFinished() || mount.exitStatus() != QProcess::NormalExit ||
        mount.exitCode() != 0)
        QSKIP("this machine does not let the test mount a small filesystem");
    const QString target = dir.filePath("ergasia.kv");
    const QByteArray old = readFile(example("maxabc.kv"));
    writeFile(target, old);
    {
        QFile filler(dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    HeadlessDiagram headless;
    QVERIFY(headless.load(example("max_ar_2.kv")));
    const bool saved = headless.save(target);
    const QByteArray after = readFile(target);
    QProcess::execute("umount", {dir.path()});
    QVERIFY(!saved);
    QCOMPARE(after, old);
    QVERIFY(headless.messages().last().startsWith(QStringLiteral("Error on SAVE_FILE: ")));
}

void TestSafeSave::devicesAndPipesAreNeverReplaced() {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.kv");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    HeadlessDiagram headless;
    QVERIFY(headless.load(example("maxabc.kv")));
    QVERIFY(!headless.save(pipe));
    QVERIFY(headless.messages().last().contains(QStringLiteral("δεν είναι κανονικό αρχείο")));
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(pipe).constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
    QVERIFY(!headless.save(QStringLiteral("/dev/null")));
    QVERIFY(!headless.save(dir.path()));

    // Reading a pipe would wait for a writer for ever.
    HeadlessDiagram reader;
    QVERIFY(!reader.load(pipe));
    QVERIFY(reader.messages().last().contains(QStringLiteral("δεν είναι κανονικό αρχείο")));
}

void TestSafeSave::permissionsOfTheOldFileStay() {
    QTemporaryDir dir;
    const QString target = dir.filePath("ergasia.kv");
    writeFile(target, "old");
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString link = dir.filePath("link.kv");
    QVERIFY(QFile::link(target, link));
    QVERIFY(SafeSave::writeFile(link, "new").ok);
    QCOMPARE(readFile(target), QByteArray("new"));
    QVERIFY(QFileInfo(link).isSymLink()); // the link stays, its target has the new content
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0640));
}

void TestSafeSave::replaceAllMeansTheSameLinearly() {
    QRandomGenerator random(1234);
    const QString alphabet = QStringLiteral("ab[\\n]\r\nΑα");
    for (int i = 0; i < 20000; ++i) {
        const QString text = randomText(random, alphabet, 24);
        const QString search = randomText(random, alphabet, 3);
        const QString replacement = randomText(random, alphabet, 3);
        QCOMPARE(DiagramFormat::replaceAllText(text, search, replacement),
                 replaceAllSlowly(text, search, replacement));
    }
}

void TestSafeSave::longEscapedTextComesBackWhole() {
    const QString lines = QStringLiteral("Α\r\n").repeated(200000);
    const QString escaped = DiagramFormat::escapeLineBreaks(lines);
    QCOMPARE(escaped, QStringLiteral("Α[\\n]").repeated(200000));
    QCOMPARE(DiagramFormat::unescapeLineBreaks(escaped), lines);
}

void TestSafeSave::giantBlockTextsAreRefused() {
    QTemporaryDir dir;
    QByteArray bytes = "1ORVANE\r\n 0 \r\nid1\r\n 2 \r\n 10 \r\n 10 \r\n 60 \r\n 20 \r\n 0 \r\n 0 "
                       "\r\n 0 \r\n-1-\r\n-2-\r\n2++\r\n";
    bytes += QByteArray("[\\n]").repeated(100000) + "\r\n\r\n\r\n";
    const QString path = dir.filePath("giant.kv");
    writeFile(path, bytes);
    HeadlessDiagram headless;
    QVERIFY(!headless.load(path));
    QVERIFY2(headless.messages().last().contains(QStringLiteral("γραμμή 15")),
             qPrintable(headless.messages().last()));
}

void TestSafeSave::farPositionsAreRefused() {
    HeadlessDiagram headless;
    QVERIFY(!headless.load(dataFile("far_position.kv")));
    QVERIFY2(headless.messages().last().contains(QStringLiteral("far_position.kv, γραμμή 5")),
             qPrintable(headless.messages().last()));
}

void TestSafeSave::linksPastTheLimitAreRefused() {
    QTemporaryDir dir;
    const int links = Diagram::maxCreations + 1;
    QByteArray bytes = "2ORVANE\r\n " + QByteArray::number(links) + " \r\n";
    for (const char* block : {"id1", "id2"})
        bytes += QByteArray(block) +
                 "\r\n 2 \r\n 10 \r\n 10 \r\n 60 \r\n 20 \r\n 0 \r\n 0 \r\n 0 \r\n-1-\r\n-2-\r\n2++"
                 "\r\n\r\n\r\n\r\n";
    bytes += "  \r\n---- \xc3\xd1\xc1\xcc\xcc\xc7 ---- \r\n";
    bytes += QByteArray("id1,id2\r\n-1\r\n\r\n").repeated(links);
    const QString path = dir.filePath("links.kv");
    writeFile(path, bytes);
    HeadlessDiagram headless;
    QVERIFY(!headless.load(path));
    QVERIFY2(headless.messages().last().contains(QString::number(Diagram::maxCreations)),
             qPrintable(headless.messages().last()));
}

void TestSafeSave::utf8FilesLoadWithAWarning() {
    HeadlessDiagram headless;
    QVERIFY(headless.load(dataFile("utf8.kv")));
    QCOMPARE(headless.diagram().the_bl_co().Item("id2")->zParam2(), QStringLiteral("Β+1"));
    QCOMPARE(headless.comment(), QStringLiteral("Σχόλιο\r\n"));
    QVERIFY(headless.messages().join('\n').contains(QStringLiteral("UTF-8")));
    // A Windows-1253 file says nothing of the kind.
    HeadlessDiagram native;
    QVERIFY(native.load(example("maxabc.kv")));
    QVERIFY(native.messages().isEmpty());
}

QTEST_MAIN(TestSafeSave)
#include "tst_safesave.moc"

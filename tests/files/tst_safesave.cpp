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
#include <functional>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

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

struct stat statOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

// Runs `work` in a child process with the rights of `user` (the test itself when it is not
// the administrator); true when `work` returned true there.
bool asUser(const std::optional<uid_t>& user, const std::function<bool()>& work) {
    if (!user || ::geteuid() != 0)
        return work();
    const pid_t child = ::fork();
    if (child == 0) {
        const struct passwd* entry = ::getpwuid(*user);
        const bool dropped = entry && ::initgroups(entry->pw_name, entry->pw_gid) == 0 &&
                             ::setgid(entry->pw_gid) == 0 && ::setuid(*user) == 0;
        ::_exit(dropped && work() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A teacher and a pupil who share a class group, made for the test and removed after it.
class ThrowawayClass {
public:
    ThrowawayClass() {
        if (::geteuid() != 0)
            return;
        const QString suffix = QString::number(::getpid());
        m_group = QStringLiteral("kvclass") + suffix;
        m_teacher = QStringLiteral("kvteach") + suffix;
        m_pupil = QStringLiteral("kvpupil") + suffix;
        m_ready = run("groupadd", {m_group}) &&
                  run("useradd", {"-M", "-N", "-g", m_group, m_teacher}) &&
                  run("useradd", {"-M", "-N", "-g", m_group, m_pupil});
    }
    ~ThrowawayClass() {
        if (m_group.isEmpty())
            return;
        run("userdel", {m_pupil});
        run("userdel", {m_teacher});
        run("groupdel", {m_group});
    }
    bool ready() const { return m_ready; }
    uid_t teacher() const { return ::getpwnam(qPrintable(m_teacher))->pw_uid; }
    uid_t pupil() const { return ::getpwnam(qPrintable(m_pupil))->pw_uid; }
    gid_t group() const { return ::getgrnam(qPrintable(m_group))->gr_gid; }

private:
    static bool run(const char* program, const QStringList& arguments) {
        return QProcess::execute(QString::fromLatin1(program), arguments) == 0;
    }
    QString m_group, m_teacher, m_pupil;
    bool m_ready = false;
};

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
    void ownerAndGroupOfASharedFileStay();
    void otherNamesAndAttributesOfTheFileStay();
    void readOnlyFilesAreRefused();
    void longestNamesAndReadOnlyFoldersSave();
    void linkChainsReachTheirEndAndLoopsAreRefused();
    void replaceAllMeansTheSameLinearly();
    void longEscapedTextComesBackWhole();
    void giantBlockTextsAreRefused();
    void farPositionsAreRefused();
    void linksPastTheLimitAreRefused();
    void utf8FilesLoadWithAWarning();
};

void TestSafeSave::fullDiskKeepsTheOldFile_data() {
    QTest::addColumn<int>("failure");
    QTest::addColumn<bool>("hardLinked"); // written in place
    QTest::newRow("nothing fits") << 0 << false;
    QTest::newRow("half fits") << 1 << false;
    QTest::newRow("sync fails") << 2 << false;
    QTest::newRow("in place, nothing fits") << 0 << true;
    QTest::newRow("in place, half fits") << 1 << true;
    QTest::newRow("in place, sync fails") << 2 << true;
}

void TestSafeSave::fullDiskKeepsTheOldFile() {
    QFETCH(int, failure);
    QFETCH(bool, hardLinked);
    QTemporaryDir dir;
    const QString target = dir.filePath("ergasia.kv");
    const QByteArray old = readFile(example("maxabc.kv"));
    writeFile(target, old);
    QStringList names{"ergasia.kv"};
    if (hardLinked) {
        QCOMPARE(::link(QFile::encodeName(target).constData(),
                        QFile::encodeName(dir.filePath("copy.kv")).constData()),
                 0);
        names.prepend("copy.kv");
    }

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
    // The design's prefix, then the reason in Greek and the file.
    const QString said = headless.messages().last();
    QVERIFY2(said.startsWith(QStringLiteral("Error on SAVE_FILE: ")) &&
                 said.contains(failure == 2 ? QStringLiteral("σφάλμα του δίσκου")
                                            : QStringLiteral("δεν υπάρχει αρκετός χώρος")) &&
                 said.endsWith(target),
             qPrintable(said));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), names);
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

void TestSafeSave::ownerAndGroupOfASharedFileStay() {
    ThrowawayClass school;
    if (!school.ready())
        QSKIP("needs the administrator's rights to make a throwaway teacher, pupil and group");
    QTemporaryDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ExeOther));
    const QString folder = dir.filePath("class");
    QVERIFY(QDir().mkdir(folder));
    const QString target = folder + "/ergasia.kv";
    writeFile(target, "old");
    for (const QString& path : {folder, target})
        QCOMPARE(::chown(QFile::encodeName(path).constData(), school.teacher(), school.group()), 0);
    ::chmod(QFile::encodeName(folder).constData(), 0770);
    ::chmod(QFile::encodeName(target).constData(), 0660);
    // The pupil's save, then the administrator's: the teacher still owns a file the class
    // can read.
    for (const std::optional<uid_t>& saver :
         {std::optional<uid_t>(school.pupil()), std::optional<uid_t>()}) {
        const QByteArray content = saver ? "pupil's" : "root's";
        QVERIFY(asUser(saver, [&] { return SafeSave::writeFile(target, content).ok; }));
        QCOMPARE(readFile(target), content);
        const struct stat info = statOf(target);
        QCOMPARE(info.st_uid, school.teacher());
        QCOMPARE(info.st_gid, school.group());
        QCOMPARE(info.st_mode & 07777, mode_t(0660));
    }
    // A writable file in a folder the pupil may not write is written in place.
    ::chmod(QFile::encodeName(folder).constData(), 0550);
    QVERIFY(asUser(school.pupil(), [&] { return SafeSave::writeFile(target, "in place").ok; }));
    QCOMPARE(readFile(target), QByteArray("in place"));
}

void TestSafeSave::otherNamesAndAttributesOfTheFileStay() {
    QTemporaryDir dir;
    const QString target = dir.filePath("ergasia.kv");
    const QString other = dir.filePath("idia-ergasia.kv");
    writeFile(target, "old");
    QCOMPARE(::link(QFile::encodeName(target).constData(), QFile::encodeName(other).constData()),
             0);
    QVERIFY(SafeSave::writeFile(target, "new").ok);
    QCOMPARE(readFile(other), QByteArray("new"));
    QCOMPARE(statOf(target).st_ino, statOf(other).st_ino);

    const QString single = dir.filePath("single.kv");
    writeFile(single, "old");
    const QByteArray name = QFile::encodeName(single);
    if (::setxattr(name.constData(), "user.kelvra.class", "B2", 2, 0) != 0)
        QSKIP("this filesystem keeps no extended attributes");
    QVERIFY(SafeSave::writeFile(single, "new").ok);
    char value[8] = {};
    QCOMPARE(::getxattr(name.constData(), "user.kelvra.class", value, sizeof value), ssize_t(2));
    QCOMPARE(QByteArray(value), QByteArray("B2"));
}

void TestSafeSave::readOnlyFilesAreRefused() {
    QTemporaryDir dir;
    const QString target = dir.filePath("ergasia.kv");
    const QByteArray old = readFile(example("maxabc.kv"));
    writeFile(target, old);
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    HeadlessDiagram headless;
    QVERIFY(headless.load(example("max_ar_2.kv")));
    QVERIFY(!headless.save(target));
    QVERIFY2(headless.messages().last().startsWith(QStringLiteral("Error on SAVE_FILE: ")) &&
                 headless.messages().last().contains(QStringLiteral("μόνο για ανάγνωση")),
             qPrintable(headless.messages().last()));
    QCOMPARE(readFile(target), old);
    QCOMPARE(statOf(target).st_mode & 0777, mode_t(0444));
}

void TestSafeSave::longestNamesAndReadOnlyFoldersSave() {
    QTemporaryDir dir;
    const QString longest = dir.filePath(QString(252, QLatin1Char('a')) + ".kv");
    QVERIFY(SafeSave::writeFile(longest, "new").ok);
    QCOMPARE(readFile(longest), QByteArray("new"));
    QVERIFY(SafeSave::writeFile(longest, "newer").ok); // replacing it too
    QCOMPARE(readFile(longest), QByteArray("newer"));

    const QString target = dir.filePath("ergasia.kv");
    writeFile(target, "old");
    QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const bool saved = SafeSave::writeFile(target, "new").ok;
    QVERIFY(
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(saved);
    QCOMPARE(readFile(target), QByteArray("new"));
}

void TestSafeSave::linkChainsReachTheirEndAndLoopsAreRefused() {
    QTemporaryDir dir;
    const QString target = dir.filePath("c.kv");
    writeFile(target, "old");
    QVERIFY(QFile::link("c.kv", dir.filePath("l2.kv")));
    QVERIFY(QFile::link("l2.kv", dir.filePath("l1.kv")));
    QVERIFY(SafeSave::writeFile(dir.filePath("l1.kv"), "new").ok);
    QCOMPARE(readFile(target), QByteArray("new"));
    QVERIFY(QFileInfo(dir.filePath("l1.kv")).isSymLink());
    QVERIFY(QFileInfo(dir.filePath("l2.kv")).isSymLink());

    QVERIFY(QFile::link("loop2.kv", dir.filePath("loop1.kv")));
    QVERIFY(QFile::link("loop1.kv", dir.filePath("loop2.kv")));
    HeadlessDiagram headless;
    QVERIFY(headless.load(example("maxabc.kv")));
    QVERIFY(!headless.save(dir.filePath("loop1.kv")));
    QVERIFY(headless.messages().last().contains(SafeSave::linkLoopReason()));
    QVERIFY(QFileInfo(dir.filePath("loop1.kv")).isSymLink());
    QVERIFY(!headless.load(dir.filePath("loop1.kv")));
    QVERIFY(headless.messages().last().contains(SafeSave::linkLoopReason()));
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

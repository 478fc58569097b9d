#include "DesktopEntry.h"
#include "Installation.h"
#include "MimeAppsList.h"
#include "QtRuntime.h"
#include "SetupWindow.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The value of `key` in a desktop entry file, as written.
QString desktopValue(const QString& path, const QString& key) {
    for (const QString& line : QString::fromUtf8(readFile(path)).split('\n')) {
        if (line.startsWith(key + "="))
            return line.mid(key.size() + 1);
    }
    return {};
}

// A temporary home with the files of an installation medium beside it.
struct SetupFixture {
    QTemporaryDir root;
    QString homeName = QStringLiteral("home");
    QString home() const { return root.filePath(homeName); }
    QString medium() const { return root.filePath("medium"); }

    explicit SetupFixture(const QString& name = QStringLiteral("home")) : homeName(name) {
        QDir().mkpath(home());
        QDir().mkpath(medium());
        qputenv("HOME", home().toUtf8());
        qputenv("XDG_DATA_HOME", (home() + "/.local/share").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home() + "/.config").toUtf8());
        for (const QString& name : Installation::fileList()) {
            if (name != Installation::iconName())
                writeFile(medium() + "/" + name, ("contents of " + name).toUtf8());
        }
    }
    InstallFolders folders() const { return InstallFolders::forUser(false); }
};

// Every file under `folder`, relative to it, with its size: what an installation leaves.
// The caches the desktop's own tools rebuild from the packages are left out.
QStringList fileTree(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(folder).relativeFilePath(path);
        const bool cache = (relative.contains("/mime/") && !relative.contains("/mime/packages/")) ||
                           relative.endsWith("mimeinfo.cache");
        if (!cache)
            files << relative + " " + QString::number(QFileInfo(path).size());
    }
    files.sort();
    return files;
}

// desktop-file-validate's complaints about an entry, or empty when it is not installed.
QString validatorComplaints(const QString& entry) {
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        return {};
    QProcess process;
    process.start(validator, {entry});
    process.waitForFinished(20000);
    const QString said =
        QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return process.exitCode() == 0 ? QString()
                                   : said + "(exit " + QString::number(process.exitCode()) + ")";
}

// The program an Exec value starts, read back as a desktop would: string escapes first,
// then the quoted argument and its "%%".
QString programOfExec(const QString& exec) {
    QString value;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size()) {
            const QChar next = exec[++i];
            value += next == 's' ? QChar(' ') : next == 'n' ? QChar('\n') : next;
        } else {
            value += exec[i];
        }
    }
    if (!value.startsWith('"'))
        return {};
    QString program;
    for (qsizetype i = 1; i < value.size() && value[i] != '"'; ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        else if (value[i] == '%' && i + 1 < value.size() && value[i + 1] == '%')
            ++i;
        program += value[i];
    }
    return program;
}

// Runs the installer's work with the rights of an ordinary user when the tests run as root
// (as in CI), so that a read-only folder refuses it as it refuses a teacher.
class AsOrdinaryUser {
public:
    explicit AsOrdinaryUser(const QString& tree) {
        if (::geteuid() != 0)
            return;
        QProcess::execute("chown", {"-R", "65534:65534", tree});
        m_active = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~AsOrdinaryUser() {
        if (m_active) {
            [[maybe_unused]] const int u = ::seteuid(0);
            [[maybe_unused]] const int g = ::setegid(0);
        }
    }
    bool usable() const { return ::geteuid() != 0 || m_active; }

private:
    bool m_active = false;
};

} // namespace

class TestSetup : public QObject {
    Q_OBJECT
private slots:
    void foldersForAUser();
    void installsEverythingInOrder();
    void overwritesAnEarlierInstallation();
    void shortcutsStartKelvra();
    void registersTheDiagramType();
    void missingSourceStops();
    void windowButtons();
    void readOnlyPartsReportedAndTheRestInstalled_data();
    void readOnlyPartsReportedAndTheRestInstalled();
    void unusualHomeGivesValidEntries();
    void foreignDefaultReplaced();
    void mimeAppsListEdits();
    void installTwiceThenUninstall();
    void uninstallKeepsThePupilsDiagrams();
    void uninstallKeepsAChangedExample();
    void plantedLinkIsReplacedNotFollowed();
    void linkedFoldersAreRefused_data();
    void linkedFoldersAreRefused();
    void linkedMimeAppsListStaysALink();
    void missingQtStopsBeforeCopying();
    void rootInstallsOnTheTeachersDesktop();
    void uninstallButton();
};

void TestSetup::foldersForAUser() {
    SetupFixture f;
    const InstallFolders folders = f.folders();
    QCOMPARE(folders.installFolder(), f.home() + "/.local/opt/Kelvra");
    QCOMPARE(folders.startMenuFolder(), f.home() + "/.local/share/applications/Kelvra");
    QCOMPARE(folders.desktop, f.home() + "/Desktop");
    const InstallFolders system = InstallFolders::forUser(true);
    QCOMPARE(system.installFolder(), QStringLiteral("/opt/Kelvra"));
    QCOMPARE(system.startMenuFolder(), QStringLiteral("/usr/share/applications/Kelvra"));
    Installation installation(folders, f.medium());
    QCOMPARE(installation.path(38), f.home() + "/.local/opt");
    QCOMPARE(installation.path(23), f.home() + "/.local/share/applications");
}

void TestSetup::installsEverythingInOrder() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    QStringList progress;
    QVERIFY(installation.install([&progress](const QString& line) { progress << line; }));
    QStringList expected;
    for (const QString& name : Installation::fileList())
        expected << "Αντιγραφή αρχείου " + name;
    QCOMPARE(progress, expected);
    QCOMPARE(Installation::fileList().first(), QStringLiteral("Kelvra"));
    // The twelve examples of the menu, and the two more, are all installed.
    for (const char* example :
         {"artios-peritos.kv", "tpsifio.kv", "alarosika.kv", "parago.kv", "fibo.kv", "dynami.kv",
          "psifia.kv", "minP.kv", "maxP.kv", "maxabc.kv", "min_ar_2.kv", "max_ar_2.kv",
          "apolitost.kv", "ison.kv"})
        QVERIFY2(QFile::exists(f.folders().installFolder() + "/" + example), example);
    QCOMPARE(readFile(f.folders().program()), QByteArray("contents of Kelvra"));
    QVERIFY(!QImage(f.folders().installFolder() + "/kelvra.png").isNull());
}

void TestSetup::overwritesAnEarlierInstallation() {
    SetupFixture f;
    QDir().mkpath(f.folders().installFolder());
    writeFile(f.folders().installFolder() + "/fibo.kv", "old");
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    QCOMPARE(readFile(f.folders().installFolder() + "/fibo.kv"), QByteArray("contents of fibo.kv"));
}

void TestSetup::shortcutsStartKelvra() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    for (const QString& path : {f.folders().startMenuFolder() + "/Kelvra.desktop",
                                f.folders().desktop + "/Kelvra.desktop"}) {
        QVERIFY(readFile(path).startsWith("[Desktop Entry]\n"));
        QCOMPARE(desktopValue(path, "Exec"), "\"" + f.folders().program() + "\" %f");
        QCOMPARE(desktopValue(path, "Path"), f.folders().installFolder());
        QCOMPARE(desktopValue(path, "Icon"), f.folders().installFolder() + "/kelvra.png");
        QCOMPARE(desktopValue(path, "Type"), QStringLiteral("Application"));
    }
    QVERIFY(QFile::permissions(f.folders().desktop + "/Kelvra.desktop") & QFile::ExeOwner);
}

void TestSetup::registersTheDiagramType() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    const QByteArray package = readFile(f.folders().mimePackages + "/kelvra.xml");
    QVERIFY(package.contains("<glob pattern=\"*.kv\""));
    QVERIFY(package.contains("value=\"ORVANE\""));
    QVERIFY(package.contains("<glob pattern=\"*.kva\"/>")); // exercises open with Kelvra too
    const QByteArray list = readFile(f.folders().mimeAppsList);
    QVERIFY(list.contains(
        "[Default Applications]\napplication/x-kelvra-diagram=Kelvra-Kelvra.desktop"));
    QVERIFY(installation.install([](const QString&) {}));
    // Once as the default, once among the applications for the type.
    QCOMPARE(readFile(f.folders().mimeAppsList).count("x-kelvra-diagram"), 2);
    QCOMPARE(readFile(f.folders().mimeAppsList).count("x-kelvra-exercise"), 2);
    QVERIFY(readFile(f.folders().startMenuFolder() + "/Kelvra.desktop")
                .contains("MimeType=application/x-kelvra-diagram;application/x-kelvra-exercise;"));
}

void TestSetup::missingSourceStops() {
    SetupFixture f;
    QVERIFY(QFile::remove(f.medium() + "/fibo.kv"));
    Installation installation(f.folders(), f.medium());
    QStringList progress;
    QVERIFY(!installation.install([&progress](const QString& line) { progress << line; }));
    QVERIFY(installation.error().contains(f.medium() + "/fibo.kv"));
    QVERIFY(!progress.contains("Αντιγραφή αρχείου fibo.kv"));
    QCOMPARE(progress.last(), QStringLiteral("Αντιγραφή αρχείου dynami.kv"));
    QVERIFY(!QFile::exists(f.folders().desktop + "/Kelvra.desktop")); // nothing after it
}

void TestSetup::windowButtons() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    setup_form window(installation);
    QStringList messages;
    window.showMessage = [&messages](const QString& text, bool) { messages << text; };
    window.show();
    // One version number everywhere: the installer's, the help text's, kelvra-cli's.
    QCOMPARE(window.windowTitle(), QStringLiteral("version " KELVRA_VERSION));
    QCOMPARE(window.Label1->text(), QStringLiteral("Εγκατάσταση αρχείων εφαρμογής"));
    QVERIFY(window.Label3->text().startsWith("Το πρόγραμμα θα εγκατασταθεί στον φάκελο " +
                                             f.home() + "/.local/opt/Kelvra"));
    QVERIFY(window.Label3->text().contains("Δεν πειράζει το μητρώο των Windows "));
    QVERIFY(window.Label2->text().isEmpty());
    QVERIFY(window.Command1->isEnabled() && window.Command2->isEnabled());
    QCOMPARE(window.Command1->text(), QStringLiteral("Εγκατάσταση"));
    QCOMPARE(window.Command2->text(), QStringLiteral("Τέλος"));
    QTest::mouseClick(window.Command1, Qt::LeftButton);
    QCOMPARE(messages, QStringList{"Έγινε συντόμευση στην επιφάνεια εργασίας"});
    QCOMPARE(window.Label2->text(), QStringLiteral("Αντιγραφή αρχείου tpsifio.kv"));
    QVERIFY(!window.Command1->isEnabled());
    QVERIFY(window.Command2->isEnabled());
}

void TestSetup::readOnlyPartsReportedAndTheRestInstalled_data() {
    QTest::addColumn<QString>("part");
    QTest::newRow("desktop") << "desktop";
    QTest::newRow("menu") << "menu";
    QTest::newRow("mime") << "mime";
}

// A folder the installer may not write: that part is reported in Greek, naming the path,
// the installation counts as failed, and every other part is still installed.
void TestSetup::readOnlyPartsReportedAndTheRestInstalled() {
    QFETCH(QString, part);
    SetupFixture f;
    const InstallFolders folders = f.folders();
    const QString locked = part == "desktop" ? folders.desktop
                           : part == "menu"  ? folders.applications
                                             : folders.mimeDatabase;
    QVERIFY(QDir().mkpath(locked));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                              QFile::ExeOther));
    Installation installation(folders, f.medium());
    bool installed = true;
    {
        AsOrdinaryUser user(f.root.path());
        if (!user.usable())
            QSKIP("cannot act as an ordinary user");
        installed = installation.install([](const QString&) {});
    }
    QVERIFY(!installed);
    const QString message = installation.finalMessage();
    QVERIFY2(message.contains("Η εγκατάσταση δεν ολοκληρώθηκε:"), qPrintable(message));
    const QString failedPath = part == "desktop" ? folders.desktopShortcut()
                               : part == "menu"  ? folders.menuEntry()
                                                 : folders.mimePackage();
    QVERIFY2(message.contains(failedPath), qPrintable(message));
    QVERIFY(QFile::exists(folders.program()));
    QCOMPARE(QFile::exists(folders.desktopShortcut()), part != "desktop");
    QCOMPARE(QFile::exists(folders.menuEntry()), part != "menu");
    QCOMPARE(QFile::exists(folders.mimePackage()), part != "mime");
    QVERIFY(readFile(folders.mimeAppsList).contains("x-kelvra-diagram=Kelvra-Kelvra.desktop"));
    QCOMPARE(message.contains("Έγινε συντόμευση στην επιφάνεια εργασίας"), part != "desktop");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSetup::unusualHomeGivesValidEntries() {
    SetupFixture f(QStringLiteral("δάσκαλος $HOME \"x\" `y` \\z 100% ~a"));
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    for (const QString& entry : {f.folders().menuEntry(), f.folders().desktopShortcut()}) {
        QCOMPARE(programOfExec(desktopValue(entry, "Exec").chopped(3)), f.folders().program());
        QVERIFY(desktopValue(entry, "Exec").endsWith(" %f"));
        QCOMPARE(desktopValue(entry, "Path").replace("\\\\", "\\"), f.folders().installFolder());
        const QString complaints = validatorComplaints(entry);
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
    }
}

void TestSetup::foreignDefaultReplaced() {
    SetupFixture f;
    QDir().mkpath(QFileInfo(f.folders().mimeAppsList).path());
    writeFile(f.folders().mimeAppsList, "[Default Applications]\n"
                                        "text/plain=gedit.desktop\n"
                                        "application/x-kelvra-diagram=other.desktop\n");
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    const QString list = QString::fromUtf8(readFile(f.folders().mimeAppsList));
    QCOMPARE(list, QStringLiteral("[Default Applications]\n"
                                  "application/x-kelvra-diagram=Kelvra-Kelvra.desktop\n"
                                  "application/x-kelvra-exercise=Kelvra-Kelvra.desktop\n"
                                  "text/plain=gedit.desktop\n"
                                  "\n"
                                  "[Added Associations]\n"
                                  "application/x-kelvra-diagram=Kelvra-Kelvra.desktop;\n"
                                  "application/x-kelvra-exercise=Kelvra-Kelvra.desktop;\n"));
}

void TestSetup::mimeAppsListEdits() {
    const QString mime = "application/x-kelvra-diagram", id = "Kelvra-Kelvra.desktop";
    const QString theirs = "[Added Associations]\n" + mime + "=viewer.desktop;\n";
    const QString ours = MimeAppsList::withDefault(theirs, mime, id);
    QCOMPARE(ours, "[Added Associations]\n" + mime + "=" + id + ";viewer.desktop;\n\n" +
                       "[Default Applications]\n" + mime + "=" + id + "\n");
    QCOMPARE(MimeAppsList::withDefault(ours, mime, id), ours);
    QVERIFY(MimeAppsList::mentions(ours, mime, id));
    QCOMPARE(MimeAppsList::without(ours, mime, id), theirs);
    QCOMPARE(MimeAppsList::without(MimeAppsList::withDefault({}, mime, id), mime, id), QString());
    QVERIFY(!MimeAppsList::mentions(theirs, mime, id));
}

// Installing twice changes nothing; removing then leaves the home as it was before.
void TestSetup::installTwiceThenUninstall() {
    SetupFixture f;
    const QStringList before = fileTree(f.home());
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    for (const QString& entry : {f.folders().menuEntry(), f.folders().desktopShortcut()}) {
        const QString complaints = validatorComplaints(entry);
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
    }
    const QStringList once = fileTree(f.home());
    QVERIFY(installation.install([](const QString&) {}));
    QCOMPARE(fileTree(f.home()), once);
    QVERIFY(installation.isInstalled());
    QStringList progress;
    QVERIFY(installation.uninstall([&progress](const QString& line) { progress << line; }));
    QVERIFY(progress.contains("Αφαίρεση αρχείου fibo.kv"));
    QCOMPARE(installation.uninstallMessage(),
             QStringLiteral("Το Kelvra αφαιρέθηκε από τον υπολογιστή."));
    QCOMPARE(fileTree(f.home()), before);
    QVERIFY(!QFileInfo::exists(f.folders().installFolder()));
    QVERIFY(!installation.isInstalled());
    QVERIFY(installation.uninstall([](const QString&) {}));
    QCOMPARE(
        installation.uninstallMessage(),
        QStringLiteral("Δεν βρέθηκε εγκατάσταση του Kelvra: δεν υπάρχει τίποτα για αφαίρεση."));
}

void TestSetup::uninstallKeepsThePupilsDiagrams() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    const QString diagram = f.folders().installFolder() + "/Διαγραμμα.kv";
    writeFile(diagram, "1ORVANE\r\n");
    // A desktop launcher of the teacher's own with the same name is not ours.
    writeFile(f.folders().desktopShortcut(), "[Desktop Entry]\nExec=something-else\n");
    QVERIFY(installation.uninstall([](const QString&) {}));
    QCOMPARE(readFile(diagram), QByteArray("1ORVANE\r\n"));
    QVERIFY(QFile::exists(f.folders().desktopShortcut()));
    QVERIFY(!QFile::exists(f.folders().program()));
    QVERIFY(installation.uninstallMessage().contains(f.folders().installFolder()));
}

// A teacher's own diagram saved over an installed example stays when Kelvra goes.
void TestSetup::uninstallKeepsAChangedExample() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    const QString example = f.folders().installFolder() + "/fibo.kv";
    writeFile(example, "1ORVANE\r\nthe teacher's own\r\n");
    QVERIFY(installation.uninstall([](const QString&) {}));
    QCOMPARE(readFile(example), QByteArray("1ORVANE\r\nthe teacher's own\r\n"));
    QVERIFY(installation.uninstallMessage().contains(example + " άλλαξε μετά την εγκατάσταση"));
    QVERIFY(!QFile::exists(f.folders().program()));
    QVERIFY(!QFile::exists(f.folders().installFolder() + "/maxabc.kv"));
}

void TestSetup::plantedLinkIsReplacedNotFollowed() {
    SetupFixture f;
    const QString outside = f.root.filePath("outside.txt");
    writeFile(outside, "keep me");
    QDir().mkpath(f.folders().desktop);
    QVERIFY(QFile::link(outside, f.folders().desktopShortcut()));
    QDir().mkpath(f.folders().startMenuFolder());
    QVERIFY(QFile::link(outside, f.folders().menuEntry()));
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    QCOMPARE(readFile(outside), QByteArray("keep me"));
    for (const QString& entry : {f.folders().desktopShortcut(), f.folders().menuEntry()}) {
        QVERIFY(!QFileInfo(entry).isSymLink());
        QVERIFY(readFile(entry).startsWith("[Desktop Entry]"));
    }
    // A link in place of the program folder is refused, never written through.
    SetupFixture g;
    QDir().mkpath(g.folders().programFiles);
    QVERIFY(QFile::link(g.root.filePath("elsewhere"), g.folders().installFolder()));
    QDir().mkpath(g.root.filePath("elsewhere"));
    Installation refused(g.folders(), g.medium());
    QVERIFY(!refused.install([](const QString&) {}));
    QVERIFY(refused.finalMessage().contains(g.folders().installFolder()));
    QVERIFY(QDir(g.root.filePath("elsewhere")).isEmpty());
}

void TestSetup::linkedFoldersAreRefused_data() {
    QTest::addColumn<QString>("linked");      // a folder under the home that leads elsewhere
    QTest::addColumn<bool>("whileInstalled"); // linked after installing, before uninstalling
    QTest::newRow("install through .local/opt") << ".local/opt" << false;
    QTest::newRow("install through .local/share") << ".local/share" << false;
    QTest::newRow("uninstall through the program folder") << ".local/opt/Kelvra" << true;
    QTest::newRow("uninstall through .local/opt") << ".local/opt" << true;
}

void TestSetup::linkedFoldersAreRefused() {
    QFETCH(QString, linked);
    QFETCH(bool, whileInstalled);
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    const QString folder = f.home() + "/" + linked;
    // Elsewhere holds files of the same names as ours, where the link would lead the
    // installer: they are not ours to touch.
    const QString elsewhere = f.root.filePath("elsewhere");
    const QString ourNames = linked.endsWith("Kelvra") ? elsewhere : elsewhere + "/Kelvra";
    QDir().mkpath(ourNames);
    for (const QString& name : Installation::fileList())
        writeFile(ourNames + "/" + name, "not ours");
    const QStringList before = fileTree(elsewhere);
    const auto linkIt = [&] {
        QDir(folder).removeRecursively();
        QDir().mkpath(QFileInfo(folder).absolutePath());
        QVERIFY(QFile::link(elsewhere, folder));
    };
    if (whileInstalled) {
        QVERIFY(installation.install([](const QString&) {}));
        linkIt();
        QVERIFY(!installation.uninstall([](const QString&) {}));
        QVERIFY2(installation.uninstallMessage().contains(folder),
                 qPrintable(installation.uninstallMessage()));
    } else {
        linkIt();
        QVERIFY(!installation.install([](const QString&) {}));
        QVERIFY2(installation.finalMessage().contains(folder),
                 qPrintable(installation.finalMessage()));
    }
    QCOMPARE(fileTree(elsewhere), before);
}

void TestSetup::linkedMimeAppsListStaysALink() {
    SetupFixture f;
    const QString kept = f.root.filePath("dotfiles/mimeapps.list");
    QDir().mkpath(QFileInfo(kept).absolutePath());
    writeFile(kept, "[Default Applications]\ntext/plain=editor.desktop\n");
    QDir().mkpath(QFileInfo(f.folders().mimeAppsList).absolutePath());
    QVERIFY(QFile::link(kept, f.folders().mimeAppsList));
    Installation installation(f.folders(), f.medium());
    QVERIFY(installation.install([](const QString&) {}));
    QVERIFY(QFileInfo(f.folders().mimeAppsList).isSymLink());
    QVERIFY(MimeAppsList::mentions(QString::fromUtf8(readFile(kept)), Installation::mimeType(),
                                   Installation::desktopId()));
    QVERIFY(installation.uninstall([](const QString&) {}));
    QVERIFY(QFileInfo(f.folders().mimeAppsList).isSymLink());
    QVERIFY(readFile(kept).contains("text/plain=editor.desktop"));
    QVERIFY(!readFile(kept).contains("kelvra"));
}

void TestSetup::missingQtStopsBeforeCopying() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    installation.setRuntimeCheck([](const QString&) {
        return QStringList{"libQt6Widgets.so.6", "libQt6Gui.so.6"};
    });
    QStringList progress;
    QVERIFY(!installation.install([&progress](const QString& line) { progress << line; }));
    QVERIFY(progress.isEmpty());
    QVERIFY(!QFile::exists(f.folders().program()));
    const QString message = installation.finalMessage();
    QVERIFY2(message.contains("libqt6widgets6 libqt6gui6 qt6-qpa-plugins"), qPrintable(message));
    QVERIFY(message.contains("Λείπουν βιβλιοθήκες Qt 6"));
    QCOMPARE(QtRuntime::packagesFor({}), QStringList());
    // The real check finds nothing missing for the real program.
    QCOMPARE(QtRuntime::missingLibraries(QCoreApplication::applicationFilePath()), QStringList());
}

// As root through sudo: the shortcut goes to the teacher's desktop, written as the teacher;
// without sudo, the final message says that no shortcut was made.
void TestSetup::rootInstallsOnTheTeachersDesktop() {
    qputenv("SUDO_USER", "nobody");
    const InstallFolders system = InstallFolders::forUser(true);
    QCOMPARE(system.installFolder(), QStringLiteral("/opt/Kelvra"));
    QVERIFY(system.desktopOwner);
    QCOMPARE(system.desktopOwner->uid, uid_t(65534));
    const struct passwd* nobody = ::getpwnam("nobody");
    QVERIFY(nobody);
    QCOMPARE(system.desktop, desktopFolderOf(QFile::decodeName(nobody->pw_dir)));
    qunsetenv("SUDO_USER");
    const InstallFolders noUser = InstallFolders::forUser(true);
    QVERIFY(noUser.desktop.isEmpty());
    QVERIFY(noUser.noDesktopReason.contains("sudo"));

    SetupFixture f;
    QDir().mkpath(f.home() + "/.config");
    writeFile(f.home() + "/.config/user-dirs.dirs",
              "# made by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Επιφάνεια εργασίας\"\n");
    QCOMPARE(desktopFolderOf(f.home()), f.home() + "/Επιφάνεια εργασίας");
    InstallFolders folders = f.folders();
    folders.desktop.clear();
    folders.noDesktopReason = noUser.noDesktopReason;
    Installation withoutDesktop(folders, f.medium());
    QVERIFY(withoutDesktop.install([](const QString&) {}));
    QVERIFY(withoutDesktop.finalMessage().contains(noUser.noDesktopReason));
    QVERIFY(!withoutDesktop.finalMessage().contains("Έγινε συντόμευση"));

    if (::geteuid() != 0)
        return; // writing as another user needs root
    folders = f.folders();
    folders.desktop = f.root.filePath("teacher/Desktop");
    QDir().mkpath(folders.desktop);
    QProcess::execute("chown", {"-R", "65534:65534", f.root.filePath("teacher")});
    QFile::setPermissions(f.root.path(), QFile::permissions(f.root.path()) | QFile::ExeOther);
    folders.desktopOwner = InstallFolders::Owner{65534, 65534};
    Installation asTeacher(folders, f.medium());
    QVERIFY2(asTeacher.install([](const QString&) {}), qPrintable(asTeacher.finalMessage()));
    struct stat shortcut {};
    QCOMPARE(::stat(QFile::encodeName(folders.desktopShortcut()).constData(), &shortcut), 0);
    QCOMPARE(shortcut.st_uid, uid_t(65534));
    QCOMPARE(::geteuid(), uid_t(0)); // the installer has its rights back
}

void TestSetup::uninstallButton() {
    SetupFixture f;
    Installation installation(f.folders(), f.medium());
    QStringList messages;
    {
        setup_form fresh(installation);
        QVERIFY(!fresh.Command3->isVisibleTo(&fresh));
    }
    QVERIFY(installation.install([](const QString&) {}));
    setup_form window(installation);
    window.showMessage = [&messages](const QString& text, bool) { messages << text; };
    QStringList asked;
    bool goOn = false;
    window.confirm = [&](const QString& question) {
        asked << question;
        return goOn;
    };
    window.show();
    QVERIFY(window.Command3->isVisible());
    QCOMPARE(window.Command3->text(), QStringLiteral("Απεγκατάσταση"));
    // "Όχι" removes nothing.
    QTest::mouseClick(window.Command3, Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.first().startsWith(QStringLiteral("Να αφαιρεθεί το Kelvra")));
    QVERIFY(messages.isEmpty());
    QVERIFY(QFile::exists(f.folders().program()));
    goOn = true;
    QTest::mouseClick(window.Command3, Qt::LeftButton);
    QCOMPARE(messages, QStringList{"Το Kelvra αφαιρέθηκε από τον υπολογιστή."});
    QVERIFY(!window.Command3->isVisible());
    QVERIFY(!QFile::exists(f.folders().program()));
    QVERIFY(window.Command1->isEnabled());
}

QTEST_MAIN(TestSetup)
#include "tst_setup.moc"

#include "Installation.h"
#include "SetupWindow.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

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
    QString home() const { return root.filePath("home"); }
    QString medium() const { return root.filePath("medium"); }

    SetupFixture() {
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
    const QByteArray list = readFile(f.folders().mimeAppsList);
    QVERIFY(list.contains(
        "[Default Applications]\napplication/x-kelvra-diagram=Kelvra-Kelvra.desktop"));
    QVERIFY(installation.install([](const QString&) {}));
    QCOMPARE(readFile(f.folders().mimeAppsList).count("x-kelvra-diagram"), 1);
    QVERIFY(readFile(f.folders().startMenuFolder() + "/Kelvra.desktop")
                .contains("MimeType=application/x-kelvra-diagram;"));
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
    QCOMPARE(window.windowTitle(), QStringLiteral("version 2.70"));
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

QTEST_MAIN(TestSetup)
#include "tst_setup.moc"

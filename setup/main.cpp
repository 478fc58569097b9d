// Kelvra_Setup: installs Kelvra for this computer's users, with its shortcuts and file type.
// Kelvra_Setup --unattended installs without a window; Kelvra_Setup --uninstall removes it.
#include "Installation.h"
#include "SetupWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <unistd.h>

namespace {

int printed(const QString& message, bool ok) {
    QTextStream out(stdout);
    out << message << '\n';
    return ok ? 0 : 1;
}

QTextStream& progressStream() {
    static QTextStream out(stdout);
    return out;
}

void progress(const QString& line) {
    progressStream() << line << '\n';
    progressStream().flush();
}

// The installation without a window, for technicians who install many computers: the exit
// status is 0 only when every part was installed.
int unattended(Installation& installation) {
    const bool installed = installation.install(progress);
    return printed(installation.finalMessage(), installed);
}

int uninstall(Installation& installation) {
    const bool removed = installation.uninstall(progress);
    return printed(installation.uninstallMessage(), removed);
}

} // namespace

int main(int argc, char* argv[]) {
    const QByteArray option = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    const bool removing = option == QByteArrayLiteral("--uninstall");
    const bool headless = removing || option == QByteArrayLiteral("--unattended");
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvra_Setup"));
    // The files to install stand beside the installer.
    Installation installation(InstallFolders::forUser(geteuid() == 0),
                              QCoreApplication::applicationDirPath());
    if (removing)
        return uninstall(installation);
    if (headless)
        return unattended(installation);
    setup_form window(installation);
    window.show();
    return app.exec();
}

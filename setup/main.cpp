// Kelvra_Setup: installs Kelvra for this computer's users, with its shortcuts and file type.
#include "Installation.h"
#include "SetupWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <unistd.h>

namespace {

// The installation without a window, for technicians who install many computers.
int unattended(Installation& installation) {
    QTextStream out(stdout);
    const bool installed = installation.install([&out](const QString& line) {
        out << line << '\n';
        out.flush();
    });
    if (!installed) {
        out << installation.error() << '\n';
        return 1;
    }
    out << setup_form::doneMessage() << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const bool headless = argc > 1 && QByteArray(argv[1]) == QByteArrayLiteral("--unattended");
    if (headless && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvra_Setup"));
    // The files to install stand beside the installer.
    Installation installation(InstallFolders::forUser(geteuid() == 0),
                              QCoreApplication::applicationDirPath());
    if (headless)
        return unattended(installation);
    setup_form window(installation);
    window.show();
    return app.exec();
}

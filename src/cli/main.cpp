// kelvra-cli: runs, converts and checks diagrams without a window, with the editor's own code.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

int usage(QTextStream& err) {
    err << "Χρήση: kelvra-cli --version\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    // Fonts and pictures need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    if (args.first() == QStringLiteral("--version")) {
        out << "kelvra-cli " << KELVRA_VERSION << "\n";
        return 0;
    }
    return usage(err);
}

// kelvra-cli: runs, converts and checks diagrams without a window, with the editor's own code.
#include "editor/CanonicalText.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

int usage(QTextStream& err) {
    err << "Χρήση:\n"
           "  kelvra-cli --version\n"
           "  kelvra-cli canon ΚΕΙΜΕΝΟ...\n";
    return 2;
}

// One line per text: its canonical form, a tab, and -1 when it is a variable name, else 0.
int canon(const QStringList& texts, QTextStream& out) {
    for (const QString& text : texts)
        out << ucase_en_gr(text) << '\t' << (IS_NAME_VAR(text) ? "-1" : "0") << '\n';
    return 0;
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
    if (args.first() == QStringLiteral("canon"))
        return canon(args.mid(1), out);
    return usage(err);
}

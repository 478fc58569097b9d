#include "core/files/PathHelpers.h"
#include "gui/editor/MainWindow.h"
#include "gui/exercise/ExerciseActions.h"
#include "gui/files/FileCommands.h"
#include "gui/windows/GreekQtTexts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvra"));
    QApplication::setOrganizationName(QStringLiteral("Kelvra")); // the settings' folder
    GreekQtTexts::installOnce();
    Main_F window;
    window.show();
    // A diagram named on the command line (a double-click on a ".kv" file) opens as Open does.
    // Work a crash left unsaved comes first; the file named on the command line otherwise.
    const bool recovered = window.offerRecovery();
    const QStringList arguments = app.arguments().mid(1);
    // An exercise (".kva") opens beside the diagram, in its panel.
    if (!arguments.isEmpty() &&
        arguments.first().endsWith(QStringLiteral(".kva"), Qt::CaseInsensitive))
        window.exercises().open(arguments.first());
    else if (!recovered && !arguments.isEmpty())
        window.files().openFromCommandLine(arguments.first());
    return app.exec();
}

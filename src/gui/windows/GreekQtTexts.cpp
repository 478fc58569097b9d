#include "gui/windows/GreekQtTexts.h"

#include <QCoreApplication>

#include <cstring>

namespace {
struct Text {
    const char* context;
    const char* source;
    const char* greek;
};

const Text texts[] = {
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "Το αρχείο %1 υπάρχει ήδη.\nΝα αντικατασταθεί;"},
    {"QPlatformTheme", "&Yes", "&Ναι"},
    {"QPlatformTheme", "&No", "Ό&χι"},
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Cancel", "Άκυρο"},
    {"QFileSystemModel", "Name", "Όνομα"},
    {"QFileSystemModel", "Size", "Μέγεθος"},
    {"QFileSystemModel", "Type", "Τύπος"},
    {"QFileSystemModel", "Date Modified", "Τροποποίηση"},
    {"QFileSystemModel", "Computer", "Υπολογιστής"},
    {"QFileSystemModel", "My Computer", "Υπολογιστής"},
};
} // namespace

QString GreekQtTexts::translate(const char* context, const char* sourceText, const char*,
                                int) const {
    if (!context || !sourceText)
        return {};
    for (const Text& t : texts) {
        if (std::strcmp(context, t.context) == 0 && std::strcmp(sourceText, t.source) == 0)
            return QString::fromUtf8(t.greek);
    }
    return {};
}

void GreekQtTexts::installOnce() {
    static GreekQtTexts* installed = nullptr;
    if (installed || !QCoreApplication::instance())
        return;
    installed = new GreekQtTexts(QCoreApplication::instance());
    QCoreApplication::installTranslator(installed);
}

#pragma once

#include <QTranslator>

// Greek for the few texts that Qt's own dialogs show by themselves (the file dialog's "replace
// it?" question, its Yes and No buttons, its column titles), which no Kelvra code can reword;
// installed once for the application.
class GreekQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override;
    bool isEmpty() const override { return false; }

    // Installs the texts for the running application, once.
    static void installOnce();
};

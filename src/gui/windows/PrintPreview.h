#pragma once

#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

// The print preview every printing window shows: `paint` draws the pages on the printer the
// preview hands it, for the preview and for the real printing alike.
namespace PrintPreview {

// A choice offered on the preview's toolbar (such as how the pages are laid out): `chosen`
// hears the index of the option picked, and the preview is drawn again.
struct Choice {
    QStringList options;
    int current = 0;
    std::function<void(int)> chosen;
};

void show(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& paint,
          const Choice& choice = {});

} // namespace PrintPreview

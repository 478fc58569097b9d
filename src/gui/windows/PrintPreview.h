#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The print preview every printing window shows: `paint` draws the pages on the printer the
// preview hands it, for the preview and for the real printing alike.
namespace PrintPreview {

void show(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& paint);

} // namespace PrintPreview

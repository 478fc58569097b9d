#include "gui/windows/PrintPreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace PrintPreview {

void show(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& paint) {
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(QStringLiteral("Προεπισκόπηση εκτύπωσης"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* target) { paint(*target); });
    preview.exec();
}

} // namespace PrintPreview

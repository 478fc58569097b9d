#include "gui/windows/PrintPreview.h"

#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

namespace PrintPreview {

namespace {
void offer(QPrintPreviewDialog& preview, const Choice& choice) {
    auto* toolbar = preview.findChild<QToolBar*>();
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    if (choice.options.isEmpty() || !toolbar || !pages)
        return;
    auto* box = new QComboBox(toolbar);
    box->addItems(choice.options);
    box->setCurrentIndex(choice.current);
    toolbar->addSeparator();
    toolbar->addWidget(box);
    QObject::connect(box, &QComboBox::currentIndexChanged, pages, [choice, pages](int index) {
        choice.chosen(index);
        pages->updatePreview();
    });
}
} // namespace

void show(QPrinter& printer, QWidget* owner, const std::function<void(QPrinter&)>& paint,
          const Choice& choice) {
    QPrintPreviewDialog preview(&printer, owner);
    preview.setWindowTitle(QStringLiteral("Προεπισκόπηση εκτύπωσης"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* target) { paint(*target); });
    offer(preview, choice);
    preview.exec();
}

} // namespace PrintPreview

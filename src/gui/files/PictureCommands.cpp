#include "gui/files/PictureCommands.h"

#include "core/drawing/DiagramRenderer.h"
#include "core/files/DiagramExport.h"
#include "core/files/DiagramSnapshot.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/files/FileCommands.h"
#include "gui/windows/PrintPreview.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

PictureCommands::PictureCommands(FileCommands& files, ModalQuestions& questions, QWidget* owner)
    : QObject(owner), m_files(files), m_questions(questions), m_owner(owner),
      m_export(new QAction(QStringLiteral("Εξαγωγή ως…"), this)),
      m_print(new QAction(QStringLiteral("Εκτύπωση…"), this)) {
    m_print->setShortcut(QKeySequence::Print);
    connect(m_export, &QAction::triggered, this, &PictureCommands::exportAs);
    connect(m_print, &QAction::triggered, this, &PictureCommands::print);
    showPreview = [this](QPrinter& printer) {
        PrintPreview::show(printer, m_owner, [this](QPrinter& target) { printTo(target); });
    };
}

bool PictureCommands::load(HeadlessDiagram& copy) const {
    const std::optional<QString> comment =
        DiagramSnapshot::restore(m_files.snapshot(), copy.diagram());
    copy.setComment(comment.value_or(QString()));
    return comment.has_value();
}

QString PictureCommands::title() const {
    const QString file = QFileInfo(m_files.currentFile()).fileName();
    return file.isEmpty() ? QStringLiteral("Χωρίς όνομα") : file;
}

void PictureCommands::exportAs() {
    const QString suggested = QFileInfo(m_files.currentFile()).completeBaseName();
    const QString path = m_questions.saveFileName(
        QStringLiteral("Εξαγωγή ως εικόνα"),
        suggested.isEmpty() ? QStringLiteral("διάγραμμα.png") : suggested + QStringLiteral(".png"),
        {QStringLiteral("Εικόνα PNG (*.png)"), QStringLiteral("Εικόνα SVG (*.svg)"),
         QStringLiteral("Έγγραφο PDF (*.pdf)")});
    if (path.isEmpty())
        return;
    HeadlessDiagram copy;
    load(copy);
    const QString error = DiagramExport::write(copy.diagram(), copy.canvas(), path, title());
    if (!error.isEmpty())
        m_questions.messageBox(error, QStringLiteral("Εξαγωγή"), ModalQuestions::Buttons::Ok);
}

void PictureCommands::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title());
    showPreview(printer);
}

bool PictureCommands::printTo(QPrinter& printer) {
    HeadlessDiagram copy;
    load(copy);
    QString error;
    const QRectF bounds = DiagramRenderer::prepare(copy.diagram(), copy.canvas(), &error);
    if (bounds.isNull()) {
        m_questions.messageBox(error, QStringLiteral("Εκτύπωση"), ModalQuestions::Buttons::Ok);
        return false;
    }
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    // The header: the file name, and the comment's first line.
    QFont header = painter.font();
    header.setPointSizeF(10);
    painter.setFont(header);
    const QString comment = copy.comment().section(QLatin1Char('\n'), 0, 0).trimmed();
    const QString headerText =
        title() + (comment.isEmpty() ? QString() : QStringLiteral(" — ") + comment);
    const QRectF headerRect(0, 0, page.width(), painter.fontMetrics().height() * 1.5);
    painter.drawText(headerRect, Qt::AlignLeft | Qt::AlignTop, headerText);
    // The diagram fitted to the rest of the page, never enlarged past its own size.
    const QRectF room(0, headerRect.height(), page.width(), page.height() - headerRect.height());
    const double natural = printer.resolution() / 96.0;
    const double scale =
        std::min({natural, room.width() / bounds.width(), room.height() / bounds.height()});
    painter.translate(room.left() + (room.width() - bounds.width() * scale) / 2, room.top());
    painter.scale(scale, scale);
    painter.translate(-bounds.topLeft());
    DiagramRenderer::draw(painter, copy.diagram());
    return true;
}

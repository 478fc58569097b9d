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
#include <cmath>

PictureCommands::PictureCommands(FileCommands& files, ModalQuestions& questions, QWidget* owner)
    : QObject(owner), m_files(files), m_questions(questions), m_owner(owner),
      m_export(new QAction(QStringLiteral("Εξαγωγή ως…"), this)),
      m_print(new QAction(QStringLiteral("Εκτύπωση…"), this)) {
    m_print->setShortcut(QKeySequence::Print);
    connect(m_export, &QAction::triggered, this, &PictureCommands::exportAs);
    connect(m_print, &QAction::triggered, this, &PictureCommands::print);
    showPreview = [this](QPrinter& printer) {
        const PrintPreview::Choice layouts{
            {QStringLiteral("Όλο σε μία σελίδα"),
             QStringLiteral("Πραγματικό μέγεθος (100 %), σε όσες σελίδες χρειάζεται")},
            int(m_layout),
            [this](int index) { m_layout = Layout(index); }};
        PrintPreview::show(
            printer, m_owner, [this](QPrinter& target) { printTo(target); }, layouts);
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
    // The diagram's fonts are sized in points for a 96-dpi screen and its shapes in pixels
    // of that screen: at 96 dpi on paper too, both keep the proportions they have on screen
    // (at a printer's own resolution the texts would grow again with the scale).
    printer.setResolution(96);
    QPainter painter(&printer);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    QFont font = painter.font();
    font.setPointSizeF(10);
    painter.setFont(font);
    const QString comment = copy.comment().section(QLatin1Char('\n'), 0, 0).trimmed();
    const double headerHeight = painter.fontMetrics().height() * 1.5;
    const QRectF room(0, headerHeight, page.width(), page.height() - headerHeight);
    const double natural = 1.0; // 100 %: a diagram point is a pixel, 1/96 of an inch
    if (m_layout == Layout::OnePage) {
        drawHeader(painter, page, comment, 1, 1);
        // The diagram fitted to the rest of the page, never enlarged past its own size.
        const double scale =
            std::min({natural, room.width() / bounds.width(), room.height() / bounds.height()});
        painter.translate(room.left() + (room.width() - bounds.width() * scale) / 2, room.top());
        painter.scale(scale, scale);
        painter.translate(-bounds.topLeft());
        DiagramRenderer::draw(painter, copy.diagram());
        return true;
    }
    // At its own size, cut into page-sized pieces, left to right and then down.
    const int across = std::max(1, int(std::ceil(bounds.width() * natural / room.width())));
    const int down = std::max(1, int(std::ceil(bounds.height() * natural / room.height())));
    for (int row = 0; row < down; ++row) {
        for (int column = 0; column < across; ++column) {
            if (row + column > 0)
                printer.newPage();
            drawHeader(painter, page, comment, row * across + column + 1, across * down);
            painter.save();
            painter.setClipRect(room);
            painter.translate(room.left() - column * room.width(),
                              room.top() - row * room.height());
            painter.scale(natural, natural);
            painter.translate(-bounds.topLeft());
            DiagramRenderer::draw(painter, copy.diagram());
            painter.restore();
        }
    }
    return true;
}

void PictureCommands::drawHeader(QPainter& painter, const QRectF& page, const QString& comment,
                                 int pageNumber, int pages) const {
    const QFontMetricsF metrics = painter.fontMetrics();
    const QRectF header(0, 0, page.width(), metrics.height() * 1.5);
    const QString number =
        pages > 1 ? QStringLiteral("Σελίδα %1 από %2").arg(pageNumber).arg(pages) : QString();
    painter.drawText(header, Qt::AlignRight | Qt::AlignTop, number);
    // A long comment gives way to the page number.
    const QString text =
        title() + (comment.isEmpty() ? QString() : QStringLiteral(" — ") + comment);
    const double room =
        page.width() -
        (number.isEmpty() ? 0 : metrics.horizontalAdvance(number) + metrics.averageCharWidth() * 3);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignTop,
                     metrics.elidedText(text, Qt::ElideRight, room));
}

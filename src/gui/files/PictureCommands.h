#pragma once

#include <QObject>
#include <functional>

class FileCommands;
class HeadlessDiagram;
class ModalQuestions;
class QAction;
class QPainter;
class QPrinter;
class QRectF;
class QWidget;

// "Αρχείο → Εξαγωγή ως…" (PNG, SVG, PDF) and "Εκτύπωση…" (Ctrl+P, with a preview): the
// diagram as it stands, drawn by the same code as the screen, the file name and the comment
// in the page's header.
class PictureCommands : public QObject {
    Q_OBJECT
public:
    PictureCommands(FileCommands& files, ModalQuestions& questions, QWidget* owner);

    QAction* exportAction() const { return m_export; }
    QAction* printAction() const { return m_print; }

    // How a diagram goes on paper: shrunk to one page, or at its own size over as many
    // pages as it needs, numbered. The print preview offers both.
    enum class Layout { OnePage, ActualSize };
    void setLayout(Layout layout) { m_layout = layout; }

    void exportAs();
    // Shows the print preview; its printing goes through printTo.
    void print();
    // Prints the diagram in the chosen layout, each page under a header; false with a
    // message when there is nothing to print.
    bool printTo(QPrinter& printer);
    // Replaces the preview window (tests print straight to a file).
    std::function<void(QPrinter&)> showPreview;

private:
    bool load(HeadlessDiagram& copy) const;
    QString title() const;
    // The file name and the comment's first line, and "Σελίδα i από n" when there are
    // several, across the top of the page.
    void drawHeader(QPainter& painter, const QRectF& page, const QString& comment, int pageNumber,
                    int pages) const;

    FileCommands& m_files;
    ModalQuestions& m_questions;
    QWidget* m_owner;
    QAction* m_export;
    QAction* m_print;
    Layout m_layout = Layout::OnePage;
};

#pragma once

#include <QObject>
#include <functional>

class FileCommands;
class HeadlessDiagram;
class ModalQuestions;
class QAction;
class QPrinter;
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

    void exportAs();
    // Shows the print preview; its printing goes through printTo.
    void print();
    // Prints the whole diagram fitted to one page; false with a message when it is too big.
    bool printTo(QPrinter& printer);
    // Replaces the preview window (tests print straight to a file).
    std::function<void(QPrinter&)> showPreview;

private:
    bool load(HeadlessDiagram& copy) const;
    QString title() const;

    FileCommands& m_files;
    ModalQuestions& m_questions;
    QWidget* m_owner;
    QAction* m_export;
    QAction* m_print;
};

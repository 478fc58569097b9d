#pragma once

#include <QString>

class Diagram;
class ModalQuestions;
class QPlainTextEdit;
class QWidget;
class frm_comm;
struct MainMenus;

// What the file commands need of the main window: the diagram and its comment, the
// questions, the title and the traces of a run to clear when a diagram is replaced.
class FileWindow {
public:
    virtual ~FileWindow() = default;

    virtual Diagram& diagram() = 0;
    virtual ModalQuestions& questions() = 0;
    virtual MainMenus& menus() = 0;
    virtual frm_comm* commentWindow() = 0;
    virtual QPlainTextEdit* text1() const = 0;
    // The window whose title names the file and which Exit closes.
    virtual QWidget& fileOwner() = 0;
    virtual QString baseTitle() const = 0;
    virtual void showMessage(const QString& text) = 0;
    // Clears the last run's traces (NEO), or those and the whole diagram (NEO1).
    virtual void NEO() = 0;
    virtual void NEO1() = 0;
};

#pragma once

#include <QList>

class CanvasWidget;
class ContextMenus;
class Diagram;
class ModalQuestions;
class QLabel;
class QWidget;
class Size_F;
class Sizeshp_F;
class cBck;
class font1;

// What editing the diagram needs of the main window: the diagram and its canvas, the seam
// for questions, the selection frame, the status bar and linking instruction, the block
// dialogs and the editor's own small windows. The main window is one; the canvas gestures
// and the appearance windows know nothing else of it.
class EditorWindow {
public:
    virtual ~EditorWindow() = default;

    // The window the editor's dialogs belong to.
    virtual QWidget& editorOwner() = 0;
    virtual Diagram& diagram() = 0;
    virtual CanvasWidget* canvas() const = 0;
    virtual ModalQuestions& questions() = 0;

    // The blue selection frame around a block (none for nullptr).
    virtual void setSelector(cBck* block) = 0;
    virtual QLabel* statusPanel(int index) const = 0;
    // The linking instruction, and its placing beside the command toolbar.
    virtual QLabel* syndesi() const = 0;
    virtual void placeLinkHint() = 0;

    // The command dialog of the current block.
    virtual void editBlockCommand() = 0;
    virtual ContextMenus& contextMenus() = 0;
    virtual Size_F* blockWindow() = 0;
    virtual Sizeshp_F* moveAllWindow() = 0;
    virtual font1* fontWindow() = 0;
    // The frames beside the canvas that take the canvas's colour with it.
    virtual QList<QWidget*> framesInCanvasColour() const = 0;
};

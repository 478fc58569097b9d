#pragma once

class CanvasView;
class CanvasWidget;
class Diagram;
class MessageWindowSink;
class ModalQuestions;
class QLabel;
class QPlainTextEdit;
class QTimer;
class QWidget;
class RunControlsFrame;
class cBck;
struct MainMenus;

// What a run needs of the main window: the diagram, the seams it speaks through, the run
// frame and menus, the output box, the canvas and the run timer. The main window is one;
// the run controller knows nothing else of it.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    virtual Diagram& diagram() = 0;
    virtual ModalQuestions& questions() = 0;
    virtual MessageWindowSink& messageSink() = 0;
    // The window that owns the run's own windows (the variables window) and shows the run.
    virtual QWidget& runOwner() = 0;

    virtual RunControlsFrame* fraDebug() const = 0;
    virtual MainMenus& menus() = 0;
    virtual QPlainTextEdit* text1() const = 0;
    virtual QLabel* texterror() const = 0;
    virtual QLabel* statusPanel(int index) const = 0;

    virtual CanvasWidget* canvas() const = 0;
    virtual CanvasView* canvasView() const = 0;
    virtual QWidget* canvasOverlay() const = 0;
    virtual void setSelector(cBck* block) = 0;

    virtual QTimer& timerRunner() = 0;
    virtual void setTimerEnabled(bool enabled) = 0;
    virtual bool timerEnabled() const = 0;
    virtual void applyTimer() = 0;

    // Empties the comment of the last run's traces: error box, pointer line, markers.
    virtual void NEO() = 0;
    // After a stop or a failure: the speed back at "Μεγάλη" and every control usable.
    virtual void ENABLE_ALL_CMD() = 0;
    // Offers to save unsaved work before a run; the run goes on whatever the answer.
    virtual void askSaveChangesBeforeRun() = 0;
};

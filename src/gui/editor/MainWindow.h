#pragma once

#include "gui/editor/EditorWindow.h"
#include "gui/execution/RunWindow.h"
#include "gui/files/FileWindow.h"
#include "gui/pictures/RecorderWindow.h"

#include <QMainWindow>
#include <QPointF>
#include <QPointer>
#include <QTimer>
#include <memory>

class Appearance;
class CanvasEditing;
class CanvasTools;
class PlacingTool;
class ClipboardActions;
class ContextMenus;
class CanvasView;
class CanvasWidget;
class ScreenRecorder;
class Size_F;
class frmCaptureRectangle;
class frm_foto;
class Sizeshp_F;
class font1;
class CommandToolbar;
class Diagram;
class AutoSave;
class EditHistory;
class ExerciseActions;
class FileCommands;
class PictureCommands;
class PredictWindow;
class MessageWindowSink;
class ModalQuestions;
class QLabel;
class QPlainTextEdit;
class RunControlsFrame;
class RunController;
class cBck;
class frm_comm;
class frm_h;
struct MainMenus;

// The main window: the canvas with its blocks and lines, the menus, the command toolbar,
// the status bar and the run frame. It owns the open diagram.
class Main_F : public QMainWindow,
               public RunWindow,
               public EditorWindow,
               public FileWindow,
               public RecorderWindow {
    Q_OBJECT
public:
    // `questions` answers every modal question; nullptr means the real dialogs.
    explicit Main_F(ModalQuestions* questions = nullptr, QWidget* parent = nullptr);
    ~Main_F() override;

    Diagram& diagram() override { return *m_diagram; }
    CanvasWidget* canvas() const override { return m_canvas; }
    // The scrolled, zoomable window onto the canvas.
    CanvasView* canvasView() const override { return m_view; }
    // Parent of the controls floating over the diagram (toolbar, output box, messages).
    QWidget* canvasOverlay() const override;
    MainMenus& menus() override { return *m_menus; }
    CommandToolbar* fraToolBar1() const { return m_toolbar; }
    RunControlsFrame* fraDebug() const override { return m_runFrame; }
    QLabel* statusPanel(int index) const override;
    QList<QWidget*> framesInCanvasColour() const override;
    QPlainTextEdit* text1() const override { return m_output; }
    QLabel* texterror() const override { return m_errorBox; }
    QLabel* syndesi() const override { return m_linkHint; }
    // Fits the linking instruction to its text, beside the command toolbar, never under it.
    void placeLinkHint() override;
    frm_comm* commentWindow() override;
    frm_h* helpWindow() const { return m_help; }
    MessageWindowSink& messageSink() override { return *m_messages; }
    ModalQuestions& questions() override { return *m_questions; }
    QTimer& timerRunner() override { return m_timerRunner; }
    FileCommands& files() { return *m_files; }
    // "Εξαγωγή ως…" and "Εκτύπωση…".
    PictureCommands& pictures() { return *m_pictures; }
    // "Συμπλήρωσε πρώτα εσύ…", made when first asked for.
    PredictWindow* predictWindow();
    EditHistory& history() { return *m_history; }
    AutoSave& autoSave() { return *m_autoSave; }
    // The "Άσκηση" menu, the open exercise and its panel.
    ExerciseActions& exercises() { return *m_exercises; }
    // At start: offers a diagram that a window which did not end cleanly left unsaved; true
    // when one was opened.
    bool offerRecovery();
    RunController& runs() { return *m_run; }

    // The rest of what the run controller, the file commands and the recorder need.
    QWidget& runOwner() override { return *this; }
    void askSaveChangesBeforeRun() override;
    QWidget& fileOwner() override { return *this; }
    QString programFolder() const override;
    void showRunOnScreen() override;
    QWidget& recordedWindow() override { return *this; }
    QWidget& editorOwner() override { return *this; }

    // The run timer ticks while it is enabled and its interval is above 0; at interval 0 the
    // run controls step in a loop instead.
    void setTimerEnabled(bool enabled) override;
    bool timerEnabled() const override { return m_timerEnabled; }
    void applyTimer() override;

    // The toolbar's armed tool ("" when none) and where the last placing click was.
    QString selectedTool() const;
    QPointF clickPoint() const;
    // The kinds' codes, one per kind, in their fixed order.
    QString kindCodeTable() const { return m_kindCodeTable; }
    // The window title without the file name.
    QString baseTitle() const override { return m_baseTitle; }

    // A line in the message window.
    void showMessage(const QString& text) override;
    // The blue selection frame around a block.
    void setSelector(cBck* block) override;
    // The first block of a kind (a run starts at the first "Αρχή").
    cBck* findActionBlock(const QString& kind) const;
    // After a stop or a failure: the speed back at "Μεγάλη", every run control usable.
    void ENABLE_ALL_CMD() override;
    // Clears what a run left: error box, pointer line, executed-block markers.
    void NEO() override;
    // That, and an empty diagram without comment ("Νέο").
    void NEO1() override;

    // Toolbar buttons 1 ... 10: arm a tool, or delete the current block.
    void Toolbar1_ButtonClick(int index);
    // What the canvas does with the events no tool used: a right press opens its menu, a
    // click on the empty canvas puts the selection down; the pointer's feedback.
    void Form_MouseDown(const QPointF& at, Qt::MouseButton button);
    void Form_Click();
    void Form_MouseMove(const QPointF& at, Qt::KeyboardModifiers modifiers);
    void Form_KeyUp(int key);
    // The window became active: the output box to the top right, every block repainted.
    void Form_Activate();
    // Repaints block `index` (1-based) on its surface.
    void shape_Paint(int index);

    ScreenRecorder& recorder() { return *m_recorder; }
    // "Επιλογή Μέρους οθόνης": grabs the screen and lets the pupil cut a rectangle out of it.
    void mnuRectangle_Click();
    void captureScreenRectangle();
    frmCaptureRectangle* captureWindow() const;
    frm_foto* previewWindow() const;

    // "Σε Ψευδογλώσσα": the flowchart as pseudo-language in the program text window.
    void a22_Click();
    // "Σε Διάγραμμα Ροής": the program text window, editable, with the flowchart's program
    // (or empty, for a new program) to be made into a flowchart.
    void make_diag_Click();
    // Makes `program` a new unsaved diagram, undoable as one step; false with the lines that
    // could not be read shown, or when the pupil kept the old diagram.
    bool importProgram(const QString& program);

    // Opens the command dialog of the block currentBlockIndex.
    void editBlockCommand() override;
    CanvasEditing& editing() { return *m_editing; }
    // Cut, copy, paste and select all; the menus of a right-click.
    ClipboardActions& clipboard() { return *m_clipboard; }
    ContextMenus& contextMenus() override { return *m_contextMenus; }
    Appearance& appearance() { return *m_appearance; }
    Size_F* blockWindow() override;
    Sizeshp_F* moveAllWindow() override;
    font1* fontWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    void buildRunFrame();
    void connectMenus();
    void connectCanvas();
    void connectZoom();
    void connectClipboard();
    void fillContextMenus();
    void placeBlock(const QPointF& at);
    cBck* placeSingleton(const QString& kind, const QString& refusal, const QString& toolTip);
    void mnuAbout_Click();
    void wireBlocks();
    // Shows the command dialog of `kind` for `block`, modal at `at` on the canvas, filled
    // from the block when `fill`; false when the dialog removed the block.
    bool runCommandDialog(cBck* block, const QString& kind, const QPointF& at, bool fill);
    cBck* placeWithDialog(const QString& kind, qint16 outline, int width, int height,
                          const QString& toolTip);

    std::unique_ptr<ModalQuestions> m_ownQuestions;
    ModalQuestions* m_questions;
    std::unique_ptr<MessageWindowSink> m_messages;
    CanvasView* m_view;
    CanvasWidget* m_canvas;
    QLabel* m_zoomPanel;
    std::unique_ptr<Diagram> m_diagram;
    std::unique_ptr<MainMenus> m_menus;
    CommandToolbar* m_toolbar;
    RunControlsFrame* m_runFrame;
    QLabel* m_statusPanels[2];
    QPlainTextEdit* m_output;
    QLabel* m_errorBox;
    QLabel* m_linkHint;
    frm_comm* m_comments = nullptr;
    frm_h* m_help = nullptr;
    QTimer m_timerRunner;
    FileCommands* m_files;
    PictureCommands* m_pictures = nullptr;
    PredictWindow* m_predict = nullptr;
    EditHistory* m_history;
    AutoSave* m_autoSave = nullptr;
    ExerciseActions* m_exercises = nullptr;
    RunController* m_run;
    CanvasEditing* m_editing;
    ClipboardActions* m_clipboard = nullptr;
    ContextMenus* m_contextMenus = nullptr;
    std::unique_ptr<Appearance> m_appearance;
    Size_F* m_blockWindow = nullptr;
    Sizeshp_F* m_moveAll = nullptr;
    font1* m_fontWindow = nullptr;
    bool m_draggingOutput = false;
    ScreenRecorder* m_recorder;
    QPointer<frmCaptureRectangle> m_capture;
    QPointer<frm_foto> m_preview;
    bool m_timerEnabled = false;

    std::unique_ptr<PlacingTool> m_placing;
    CanvasTools* m_tools = nullptr;
    QString m_kindCodeTable;
    QString m_baseTitle;
};

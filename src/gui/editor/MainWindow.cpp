#include "gui/editor/MainWindow.h"

#include "core/codegen/PseudoCodeGenerator.h"
#include "core/drawing/Outlines.h"
#include "core/drawing/ToolPictures.h"
#include "core/editor/BlockCommands.h"
#include "core/files/DiagramSnapshot.h"
#include "core/files/HeadlessDiagram.h"
#include "core/importing/ProgramImport.h"
#include "core/model/Block.h"
#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "gui/canvas/CanvasView.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/codegen/ProgramTextWindow.h"
#include "gui/editor/AppearanceWindows.h"
#include "gui/editor/AutoSave.h"
#include "gui/editor/BlockDialogs.h"
#include "gui/editor/CanvasEditing.h"
#include "gui/editor/CanvasTools.h"
#include "gui/editor/ClipboardActions.h"
#include "gui/editor/CommandToolbar.h"
#include "gui/editor/ContextMenus.h"
#include "gui/editor/EditHistory.h"
#include "gui/editor/PlacingTool.h"
#include "gui/execution/Breakpoints.h"
#include "gui/execution/PredictWindow.h"
#include "gui/execution/RunController.h"
#include "gui/execution/RunControlsFrame.h"
#include "gui/exercise/ExerciseActions.h"
#include "gui/files/FileCommands.h"
#include "gui/files/PictureCommands.h"
#include "gui/pictures/CaptureWindows.h"
#include "gui/pictures/ScreenPictures.h"
#include "gui/pictures/ScreenRecorder.h"
#include "gui/windows/CommandsHelp.h"
#include "gui/windows/CommentWindow.h"
#include "gui/windows/HelpWindow.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"
#include "gui/windows/QtModalQuestions.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

namespace {

QIcon kelvraIcon() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(1, 4);
    Outlines::draw(painter, BlockKinds::Diamond, 29, 23, QColor(0, 0, 0x80),
                   QColor(0xFF, 0xE8, 0x90));
    return QIcon(picture);
}

} // namespace

Main_F::Main_F(ModalQuestions* questions, QWidget* parent) : QMainWindow(parent) {
    if (!questions) {
        m_ownQuestions = std::make_unique<QtModalQuestions>(this);
        questions = m_ownQuestions.get();
    }
    m_questions = questions;
    m_messages = std::make_unique<MessageWindowSink>(this);
    setWindowIcon(kelvraIcon());

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = new CanvasView(central);
    m_canvas = m_view->canvas();
    layout->addWidget(m_view, 1);
    m_runFrame = new RunControlsFrame(central);
    layout->addWidget(m_runFrame);
    setCentralWidget(central);

    m_diagram = std::make_unique<Diagram>(*m_canvas, *m_messages, *m_questions);
    m_menus = std::make_unique<MainMenus>(menuBar());
    m_toolbar = new CommandToolbar(canvasOverlay());

    for (QLabel*& panel : m_statusPanels) {
        panel = new QLabel(this);
        statusBar()->addWidget(panel, 1);
    }
    m_zoomPanel = new QLabel(this);
    m_zoomPanel->setToolTip(QStringLiteral("Μεγέθυνση (Ctrl + τροχός του ποντικιού)"));
    statusBar()->addPermanentWidget(m_zoomPanel);

    m_output = new QPlainTextEdit(canvasOverlay());
    m_output->setReadOnly(true);
    // Lines as the program writes them, as a console shows them: wrapping a very long line
    // into the small box would lay it out again and again.
    m_output->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_output->resize(220, 160);
    m_output->hide();
    m_errorBox = new QLabel(canvasOverlay());
    m_errorBox->setStyleSheet(QStringLiteral("background: #FFFFC0; border: 1px solid #C00000;"));
    m_errorBox->hide();
    m_linkHint = new QLabel(canvasOverlay());
    m_linkHint->hide();

    m_files = new FileCommands(*this, this);
    m_run = new RunController(*this, this);
    m_editing = new CanvasEditing(*this);
    m_placing =
        std::make_unique<PlacingTool>(*m_canvas, [this](const QPointF& at) { placeBlock(at); });
    m_recorder = new ScreenRecorder(*this, this);
    connect(m_run, &RunController::recordStep, m_recorder, &ScreenRecorder::recordStep);
    connect(m_run, &RunController::runEnded, m_recorder, &ScreenRecorder::runEnded);
    m_appearance = std::make_unique<Appearance>(*this);
    m_history = new EditHistory(
        *m_files, [this] { return m_run->phase() == RunPhase::Idle && !m_run->running(); }, this);
    m_output->viewport()->installEventFilter(this);
    m_contextMenus = new ContextMenus(*m_diagram, *m_canvas, this);
    m_pictures = new PictureCommands(*m_files, *m_questions, this);
    // After "Αποθήκευση ως...", with the other ways out of the window.
    QAction* afterSaving = m_menus->mnuFile->actions().value(
        m_menus->mnuFile->actions().indexOf(m_menus->mnuSaveAs) + 1);
    m_menus->mnuFile->insertActions(afterSaving,
                                    {m_pictures->exportAction(), m_pictures->printAction()});
    addAction(m_pictures->printAction());
    connectMenus();
    connectClipboard();
    connectCanvas();
    connectZoom();
    Form_Load();
    resize(1000, 700);
    m_files->markSaved();
    m_history->restart();
    m_autoSave = new AutoSave(*m_files, *m_history, this);
    m_exercises = new ExerciseActions(*this, *m_menus, *m_diagram, *m_questions, *m_run);
    m_exercises->setFolderSource([this] { return m_files->startFolder(); });
    // What the last diagram's run wrote belongs to it, not to the one that replaced it.
    connect(m_files, &FileCommands::diagramReplaced, m_output, &QWidget::hide);
    connect(m_files, &FileCommands::diagramReplaced, m_run,
            [this] { m_run->breakpoints().clear(); });
}

bool Main_F::offerRecovery() {
    return m_autoSave->offerRecovered(questions());
}

Main_F::~Main_F() {
    // The diagram's drawing objects belong to the canvas; let go of them first.
    m_diagram->clear();
}

void Main_F::askSaveChangesBeforeRun() {
    m_files->askSaveChangesBeforeRun();
}

QString Main_F::programFolder() const {
    return m_files->programFolder();
}

void Main_F::showRunOnScreen() {
    m_run->showPending();
    repaint();
}

QWidget* Main_F::canvasOverlay() const {
    return m_view->overlay();
}

void Main_F::connectZoom() {
    MainMenus& m = *m_menus;
    connect(m.zoomIn, &QAction::triggered, m_view, &CanvasView::zoomIn);
    connect(m.zoomOut, &QAction::triggered, m_view, &CanvasView::zoomOut);
    connect(m.zoomReset, &QAction::triggered, m_view, &CanvasView::resetZoom);
    connect(m.zoomFit, &QAction::triggered, this, [this] {
        m_view->setReservedTop(m_toolbar->isVisible() ? m_toolbar->geometry().bottom() + 1 : 0);
        m_view->fitDiagram();
    });
    const auto showZoom = [this](double zoom) {
        m_zoomPanel->setText(QString::number(qRound(zoom * 100)) + QLatin1Char('%'));
    };
    connect(m_view, &CanvasView::zoomChanged, this, showZoom);
    showZoom(m_view->zoom());
}

QLabel* Main_F::statusPanel(int index) const {
    return index >= 1 && index <= 2 ? m_statusPanels[index - 1] : nullptr;
}

QList<QWidget*> Main_F::framesInCanvasColour() const {
    return {m_runFrame, m_runFrame->lblDelay, m_toolbar};
}

void Main_F::Form_Load() {
    m_menus->showRecording(false);
    m_toolbar->move(0, 0);
    m_canvas->hideSelector();
    m_kindCodeTable = BlockKinds::kindCodeTable();
    m_run->scroll_ExecutionDelay_Change();
    m_baseTitle = QString(50, QLatin1Char(' ')) + QStringLiteral("Orvane Έκδοση ") +
                  QStringLiteral(KELVRA_VERSION) + QLatin1Char(' ');
    setWindowTitle(m_baseTitle);
    m_placing->disarm();
    m_output->move(0, canvasOverlay()->height() - m_output->height());
}

void Main_F::connectClipboard() {
    ClipboardActions::Editor editor{
        *m_diagram,
        *m_canvas,
        m_editing->selection(),
        *m_questions,
        [this] { return m_run->phase() == RunPhase::Idle && !m_run->running(); },
        [this] { m_editing->selectAll(); },
        [this] {
            for (int index : m_editing->selection().blocks())
                m_diagram->the_bl_co().rem_Shape(index, true);
            m_editing->clearSelection();
        }};
    m_clipboard = new ClipboardActions(std::move(editor), this);
    // After "Αναίρεση" and "Επανάληψη", before the design's entries.
    QMenu* edit = m_menus->mnuChangeShape;
    QAction* first = edit->actions().value(3);
    for (QAction* action : {m_clipboard->cutAction(), m_clipboard->copyAction(),
                            m_clipboard->pasteAction(), m_clipboard->selectAllAction()}) {
        edit->insertAction(first, action);
        addAction(action);
    }
    edit->insertSeparator(first);
    // Entries show whether they can act as the menu opens; their keys always reach them.
    connect(edit, &QMenu::aboutToShow, m_clipboard, &ClipboardActions::updateActions);
    connect(edit, &QMenu::aboutToHide, m_clipboard, &ClipboardActions::enableKeys);
    fillContextMenus();
}

void Main_F::fillContextMenus() {
    MainMenus& m = *m_menus;
    QMenu* block = m_contextMenus->blockMenu();
    block->addAction(QStringLiteral("Επεξεργασία εντολής"), this, &Main_F::editBlockCommand);
    block->addAction(m_clipboard->copyAction());
    block->addAction(m_clipboard->cutAction());
    block->addAction(QStringLiteral("Διαγραφή"), this, [this] { m_editing->deleteCurrentBlock(); });
    block->addSeparator();
    QMenu* colours = block->addMenu(QStringLiteral("Χρώματα και γραμματοσειρά"));
    colours->addAction(m.mnuChangeBackColor);
    colours->addAction(m.mnuChangeBorderColor);
    colours->addAction(m.mnuChangeTextColor);
    block->addAction(QStringLiteral("Μέγεθος..."), this, [this] {
        if (cBck* chosen = m_diagram->blockAt(m_diagram->currentBlockIndex))
            blockWindow()->openFor(chosen->shapeLeft(), chosen->shapeTop());
    });
    block->addSeparator();
    block->addAction(m.breakpoint);

    QMenu* canvas = m_contextMenus->canvasMenu();
    QAction* paste = canvas->addAction(QStringLiteral("Επικόλληση"), this, [this] {
        m_clipboard->pasteAt(m_contextMenus->canvasPoint());
    });
    canvas->addAction(m_clipboard->selectAllAction());
    canvas->addSeparator();
    canvas->addAction(QStringLiteral("Χρώμα επιφάνειας"), this,
                      [this] { m_appearance->ch_color_screen(); });
    for (QMenu* menu : {block, canvas}) {
        connect(menu, &QMenu::aboutToShow, m_clipboard, &ClipboardActions::updateActions);
        connect(menu, &QMenu::aboutToHide, m_clipboard, &ClipboardActions::enableKeys);
    }
    connect(canvas, &QMenu::aboutToShow, this,
            [this, paste] { paste->setEnabled(m_clipboard->pasteAction()->isEnabled()); });
}

void Main_F::connectMenus() {
    // "Αναίρεση" and "Επανάληψη" open the "Επεξεργασία" menu; their keys work everywhere.
    QAction* first = m_menus->mnuChangeShape->actions().value(0);
    for (QAction* action : {m_history->undoAction(), m_history->redoAction()}) {
        m_menus->mnuChangeShape->insertAction(first, action);
        addAction(action);
    }
    m_menus->mnuChangeShape->insertSeparator(first);
    MainMenus& m = *m_menus;
    connect(m_toolbar, &CommandToolbar::buttonClicked, this, &Main_F::Toolbar1_ButtonClick);
    connect(m_toolbar, &CommandToolbar::hintChanged, m_statusPanels[0], &QLabel::setText);
    connect(m_runFrame, &RunControlsFrame::hintChanged, m_statusPanels[0], &QLabel::setText);
    connect(m_runFrame->scroll_ExecutionDelay, &QSlider::valueChanged, m_run,
            &RunController::scroll_ExecutionDelay_Change);
    // Run and stop act on a mouse press, and have no click: keys do not start or stop a run.
    m_runFrame->cmdRun->installEventFilter(this);
    m_runFrame->cmdStop->installEventFilter(this);
    connect(m_runFrame->cmdNextStep, &QToolButton::clicked, m_run,
            &RunController::cmdNextStep_Click);
    connect(m_runFrame->chkPause, &QToolButton::clicked, m_run, &RunController::chkPause_Click);
    connect(m_runFrame->cmdVars, &QPushButton::clicked, m_run, &RunController::cmdVars_Click);
    connect(m.auto_run, &QAction::triggered, m_run, &RunController::auto_run_Click);
    connect(m.step_run, &QAction::triggered, m_run, &RunController::step_run_Click);
    connect(m.fast_run, &QAction::triggered, m_run, &RunController::fast_run_Click);
    // The keys of the run panel's buttons do what the buttons do, when they may.
    connect(m.nextStep, &QAction::triggered, this, [this] {
        if (m_runFrame->cmdNextStep->isEnabled())
            m_run->cmdNextStep_Click();
    });
    connect(m.breakpoint, &QAction::triggered, m_run, &RunController::toggleBreakpoint);
    connect(m.traceTable, &QAction::triggered, m_run, &RunController::showTrace);
    connect(m.predict, &QAction::triggered, this, [this] {
        predictWindow()->show();
        predictWindow()->raise();
    });
    connect(m.stopRun, &QAction::triggered, this, [this] {
        if (m_runFrame->cmdStop->isEnabled())
            m_run->cmdStop_MouseDown();
    });
    connect(m_runFrame->Command1, &QPushButton::clicked, this,
            [this] { commentWindow()->toggle(windowTitle()); });
    connect(m.View_com, &QAction::triggered, this,
            [this] { m_toolbar->setVisible(m_toolbar->isHidden()); });
    connect(m.mnuAbout, &QAction::triggered, this, &Main_F::mnuAbout_Click);
    connect(m.mnuCommandsHelp, &QAction::triggered, this, [this] { CommandsHelp::show(this); });
    connect(m.mnuNew, &QAction::triggered, m_files, &FileCommands::mnuNew_Click);
    connect(m.mnuLoad, &QAction::triggered, m_files, &FileCommands::mnuLoad_Click);
    connect(m.mnuRecent, &QMenu::aboutToShow, m_files, &FileCommands::fillRecentMenu);
    for (int i = 0; i < m.mnuExample.size(); ++i)
        connect(m.mnuExample[i], &QAction::triggered, m_files,
                [this, i] { m_files->mnuExample_Click(i); });
    for (int i = 0; i < m.mnuExample2.size(); ++i)
        connect(m.mnuExample2[i], &QAction::triggered, m_files,
                [this, i] { m_files->mnuExample2_Click(i + 1); });
    connect(m.mnuSave, &QAction::triggered, m_files, &FileCommands::mnuSave_Click);
    connect(m.mnuSaveAs, &QAction::triggered, m_files, &FileCommands::mnuSaveAs_Click);
    connect(m.mnuExit, &QAction::triggered, m_files, &FileCommands::mnuExit_Click);
    connect(m.mnexit, &QAction::triggered, this, &QWidget::close);
    connect(m.a22, &QAction::triggered, this, &Main_F::a22_Click);
    connect(m.save_screen, &QAction::triggered, this, [this] { m_recorder->save_screen_Click(); });
    connect(m.mnuRectangle, &QAction::triggered, this, &Main_F::mnuRectangle_Click);
    connect(m.a22222, &QAction::triggered, this, &Main_F::mnuRectangle_Click);
    connect(m.make_diag, &QAction::triggered, this, &Main_F::make_diag_Click);
    connect(m.command(10), &QAction::triggered, this, [this] { m_editing->showLinkingHelp(); });
    connect(m.command(12), &QAction::triggered, this, [this] { m_editing->deleteCurrentBlock(); });
    connect(m.command(13), &QAction::triggered, this, [this] { m_editing->deleteCurrentLink(); });
    connect(m.move_le, &QAction::triggered, this, [this] { m_editing->move_le_Click(); });
    connect(m.chenge_co, &QAction::triggered, this, [this] { m_appearance->ch_color_screen(); });
    connect(m.mnuChangeBackColor, &QAction::triggered, this,
            [this] { m_appearance->mnuChangeBackColor_Click(); });
    connect(m.mnuChangeBorderColor, &QAction::triggered, this,
            [this] { m_appearance->mnuChangeBorderColor_Click(); });
    connect(m.mnuChangeTextColor, &QAction::triggered, this,
            [this] { m_appearance->mnuChangeTextColor_Click(); });
    connect(m.mnuChangeSize, &QAction::triggered, this,
            [this] { m_appearance->mnuChangeSize_Click(); });
    // "Εντολές" 1 ... 9 arm the same tools as the toolbar buttons.
    const int toolButtonOf[] = {1, 3, 4, 5, 6, 8, 7, 9, 2};
    for (int entry = 1; entry <= 9; ++entry) {
        const int button = toolButtonOf[entry - 1];
        connect(m.command(entry), &QAction::triggered, this,
                [this, button] { Toolbar1_ButtonClick(button); });
    }
}

void Main_F::connectCanvas() {
    wireBlocks();
    m_tools = new CanvasTools(
        *m_canvas, *m_placing, *m_editing,
        {[this](const QPointF& at) { Form_MouseDown(at, Qt::RightButton); },
         [this] { Form_Click(); },
         [this](const QPointF& at, Qt::KeyboardModifiers held) { Form_MouseMove(at, held); }},
        this);
    connect(m_canvas, &CanvasWidget::keyPressed, this, [this](QKeyEvent* e) {
        if (m_run->phase() != RunPhase::Idle || m_run->running())
            return; // a run changes nothing in the diagram
        if (!m_editing->selectionKey(e->key(), e->modifiers()) && e->key() == Qt::Key_Delete)
            m_editing->deleteCurrentBlock();
    });
    connect(m_canvas, &CanvasWidget::filesDropped, m_files, &FileCommands::Form_OLEDragDrop);
    connect(m_canvas, &CanvasWidget::keyReleased, this,
            [this](QKeyEvent* e) { Form_KeyUp(e->key()); });
}

void Main_F::wireBlocks() {
    m_canvas->onPaintBlock = [this](int index) { shape_Paint(index); };
    connect(m_canvas, &CanvasWidget::blockPressed, this, [this](int n, QMouseEvent* e) {
        m_editing->shape_MouseDown(n, e->button(), e->modifiers(), e->position());
    });
    connect(m_canvas, &CanvasWidget::blockMoved, this, [this](int n, QMouseEvent* e) {
        m_editing->shape_MouseMove(n, e->buttons(), e->position());
    });
    connect(m_canvas, &CanvasWidget::blockReleased, this, [this](int n, QMouseEvent* e) {
        m_editing->shape_MouseUp(n);
        const BlockSurface* surface = m_diagram->surface(n);
        if (surface && QRectF(0, 0, surface->width(), surface->height()).contains(e->position()))
            m_editing->shape_Click(n);
    });
    connect(m_canvas, &CanvasWidget::blockDoubleClicked, this,
            [this](int n, QMouseEvent*) { m_editing->shape_DblClick(n); });
    connect(m_canvas, &CanvasWidget::blockKeyPressed, this,
            [this](int n, QKeyEvent* e) { m_editing->shape_KeyDown(n, e->key(), e->modifiers()); });
    connect(m_canvas, &CanvasWidget::blockKeyReleased, this, [this](int n, QKeyEvent* e) {
        m_editing->shape_KeyUp(n, e->key());
        Form_KeyUp(e->key()); // a block with the focus must not keep the marker either
    });
}

PredictWindow* Main_F::predictWindow() {
    if (!m_predict)
        m_predict = new PredictWindow([this] { return m_files->snapshot(); }, this);
    return m_predict;
}

Size_F* Main_F::blockWindow() {
    if (!m_blockWindow)
        m_blockWindow = new Size_F(*this);
    return m_blockWindow;
}

Sizeshp_F* Main_F::moveAllWindow() {
    if (!m_moveAll)
        m_moveAll = new Sizeshp_F(*this);
    return m_moveAll;
}

font1* Main_F::fontWindow() {
    if (!m_fontWindow)
        m_fontWindow = new font1(*this);
    return m_fontWindow;
}

void Main_F::mnuRectangle_Click() {
    // The menu that chose this command is still on the screen while its action runs, and the
    // window under it is not yet repainted: take the picture after both.
    QTimer::singleShot(0, this, &Main_F::captureScreenRectangle);
}

void Main_F::captureScreenRectangle() {
    for (int open = 0; open < 8 && QApplication::activePopupWidget(); ++open)
        QApplication::activePopupWidget()->close();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QPixmap screen = ScreenPictures::grabScreen(this);
    m_preview = new frm_foto(*m_questions, this);
    m_capture = new frmCaptureRectangle(*m_preview);
    m_capture->ShowPicture(screen);
}

frmCaptureRectangle* Main_F::captureWindow() const {
    return m_capture;
}

frm_foto* Main_F::previewWindow() const {
    return m_preview;
}

void Main_F::a22_Click() {
    PseudoCodeGenerator generator;
    const std::optional<QString> text = generator.generate(*m_diagram);
    if (!text) {
        m_questions->messageBox(QStringLiteral("Πρόβλημα στην δομή του αλγόριθμου"), QString(),
                                ModalQuestions::Buttons::Ok);
        return;
    }
    algorFrm window(*text, *m_questions, this);
    window.setTypedMessagesText(generator.generateWithTypedMessages(*m_diagram).value_or(*text));
    window.setFolder(m_files->startFolder());
    window.setImporter([this](const QString& program) { return importProgram(program); });
    window.exec();
}

void Main_F::make_diag_Click() {
    const std::optional<QString> text = PseudoCodeGenerator().generate(*m_diagram);
    algorFrm window(text.value_or(QString()), *m_questions, this);
    window.setFolder(m_files->startFolder());
    window.setImporter([this](const QString& program) { return importProgram(program); });
    window.startEditing();
    window.exec();
}

bool Main_F::importProgram(const QString& program) {
    HeadlessDiagram built;
    const ProgramImport::Result result = ProgramImport::import(program, built.diagram());
    if (!result.imported) {
        m_questions->messageBox(QStringLiteral("Το πρόγραμμα δεν έγινε διάγραμμα:\n") +
                                    result.errors.join(QLatin1Char('\n')),
                                QStringLiteral("Προσοχή"), ModalQuestions::Buttons::Ok);
        return false;
    }
    if (!m_files->openImported(DiagramSnapshot::take(built.diagram(), QString())))
        return false;
    m_history->checkpoint(); // back to the empty diagram in one undo
    // The start block in view once the canvas has taken the diagram's size.
    QTimer::singleShot(0, this, [this] {
        m_view->horizontalScrollBar()->setValue(0);
        m_view->verticalScrollBar()->setValue(0);
    });
    return true;
}

void Main_F::editBlockCommand() {
    using namespace BlockKinds;
    m_errorBox->hide();
    m_canvas->setLine1Visible(false);
    if (m_diagram->currentBlockIndex <= 0) {
        showMessage(QStringLiteral("Δεν  έχει επιλεγεί ενέργεια!"));
        return;
    }
    const int index = m_diagram->currentBlockIndex;
    cBck* block = m_diagram->blockAt(index);
    if (!block || Bl_Co::isDeleted(*block))
        return;
    const QString kind = block->zaction();
    if (kind == junction || kind == start)
        return;
    if (kind == end) {
        showMessage(kind + QStringLiteral(": Δεν μπορεί να διορθωθεί!"));
        return;
    }
    if (kind != assign && kind != input && kind != output && !isCondition(kind)) {
        m_diagram->the_bl_co().rem_Shape(index, true);
        m_canvas->hideSelector();
        return;
    }
    const QPointF at(block->shapeLeft(), block->shapeTop() + block->shapeHeight());
    if (!runCommandDialog(block, kind, at, true))
        return;
    block->PaintMe();
    m_diagram->the_li_co().updateAllLines();
    setSelector(block);
}

bool Main_F::runCommandDialog(cBck* block, const QString& kind, const QPointF& at, bool fill) {
    using namespace BlockKinds;
    std::unique_ptr<BlockDialog> dialog;
    if (kind == assign) {
        dialog = std::make_unique<Action_F>(*block, *m_questions, this);
        if (fill)
            dialog->textBox()->setText(BlockCommands::assignmentBoxText(*block));
    } else if (kind == input) {
        dialog = std::make_unique<Input_F>(*block, *m_questions, *m_messages, this);
        if (fill)
            dialog->textBox()->setText(BlockCommands::inputBoxText(*block));
    } else if (kind == output) {
        dialog = std::make_unique<Output_F>(*block, *m_questions, this);
        if (fill)
            dialog->textBox()->setText(BlockCommands::outputBoxText(*block));
    } else {
        dialog = std::make_unique<If_Frm>(*block, kind, *m_questions, this);
        if (fill)
            dialog->textBox()->setText(block->zParam1());
    }
    dialog->move(m_canvas->mapToGlobal(m_canvas->toView(at).toPoint()));
    const BlockCommands::CommandTexts before = BlockCommands::CommandTexts::of(*block);
    const bool confirmed = dialog->exec() == QDialog::Accepted;
    if (confirmed)
        return true;
    before.restoreTo(*block);
    // A condition block that never got a condition goes with its cancelled dialog.
    if (isCondition(kind) && block->sCaption().isEmpty()) {
        const int index = m_diagram->the_bl_co().get_Index_f_Tag(block->tagid());
        m_diagram->the_bl_co().rem_Shape(index, true);
        return false;
    }
    return true;
}

cBck* Main_F::placeWithDialog(const QString& kind, qint16 outline, int width, int height,
                              const QString& toolTip) {
    Bl_Co& blocks = m_diagram->the_bl_co();
    cBck* block =
        blocks.AddShape(outline, blocks.getFreeTagID(), clickPoint().x(), clickPoint().y());
    if (!block)
        return nullptr;
    block->setShapeWidth(width);
    block->setShapeHeight(height);
    block->t_O_Shape()->setToolTip(toolTip);
    if (!runCommandDialog(block, kind, clickPoint(), false))
        return nullptr;
    return block;
}

void Main_F::shape_Paint(int index) {
    const BlockSurface* surface = m_diagram->surface(index);
    if (!surface)
        return;
    cBck* block = m_diagram->the_bl_co().Item(surface->tag());
    if (!block || block->tagid() != surface->tag())
        return; // a deleted block's surface finds no block and draws nothing
    block->PaintMe();
}

void Main_F::showMessage(const QString& text) {
    m_messages->showMessage(text);
}

frm_comm* Main_F::commentWindow() {
    if (!m_comments)
        m_comments = new frm_comm(this);
    return m_comments;
}

void Main_F::mnuAbout_Click() {
    if (!m_help)
        m_help = new frm_h(this);
    m_help->show();
    m_help->raise();
}

void Main_F::setSelector(cBck* block) {
    if (!block)
        return;
    m_canvas->showSelector(QRectF(block->shapeLeft() - 2, block->shapeTop() - 2,
                                  block->shapeWidth() + 5, block->shapeHeight() + 5));
}

cBck* Main_F::findActionBlock(const QString& kind) const {
    return m_diagram->findActionBlock(kind);
}

void Main_F::Toolbar1_ButtonClick(int index) {
    if (index == 10) {
        m_editing->deleteCurrentBlock();
        return;
    }
    const QList<CommandToolbar::Button>& buttons = CommandToolbar::buttons();
    if (index < 1 || index > buttons.size())
        return;
    m_placing->arm(buttons[index - 1].tool);
}

QString Main_F::selectedTool() const {
    return m_placing->armed();
}

QPointF Main_F::clickPoint() const {
    return m_placing->clickPoint();
}

void Main_F::Form_MouseDown(const QPointF& at, Qt::MouseButton button) {
    if (button == Qt::RightButton)
        m_contextMenus->forCanvas(at);
}

void Main_F::placeBlock(const QPointF& at) {
    using namespace BlockKinds;
    const QString tool = m_placing->armed();
    cBck* block = nullptr;
    if (tool == start) {
        block = placeSingleton(start, QStringLiteral("Ένα μόνο χειρηστήριο ΑΡΧΗ μπορεί να υπάρχει"),
                               QStringLiteral("Αρχή "));
    } else if (tool == endTool) {
        block = placeSingleton(end, QStringLiteral("Ένα μόνο χειρηστήριο TEΛΟΣ μπορεί να υπάρχει"),
                               QString());
    } else if (tool == junction) {
        Bl_Co& blocks = m_diagram->the_bl_co();
        block = blocks.AddShape(SmallCircle, blocks.getFreeTagID(), at.x(), at.y());
        if (block) {
            block->setShapeWidth(10);
            block->setShapeHeight(10);
            block->setZaction(junction);
            block->t_O_Shape()->setToolTip(junction);
            block->setCaptionToAction();
        }
    } else if (tool == assign) {
        block = placeWithDialog(assign, Rectangle, 80, 20, QStringLiteral("Εκχώρησε"));
    } else if (tool == input) {
        block = placeWithDialog(input, Parallelogram, 95, 25, input);
    } else if (tool == output) {
        block = placeWithDialog(output, Card, 110, 30, output);
    } else if (isCondition(tool)) {
        block = placeWithDialog(tool, Diamond, 110, 50, QStringLiteral("Δομή ") + tool);
    } else {
        return;
    }
    m_placing->disarm();
    if (!block)
        return;
    const QString all = block->zParam1() + block->zParam2() + block->zParam3() + block->zaction();
    if (all.trimmed().isEmpty()) {
        m_diagram->the_bl_co().rem_Shape(m_diagram->currentBlockIndex, true);
    } else if (!block->zaction().isEmpty()) {
        // Fit the size now, as a synchronous refresh would, so the marker fits the block.
        block->PaintMe();
        setSelector(block);
    }
}

cBck* Main_F::placeSingleton(const QString& kind, const QString& refusal, const QString& toolTip) {
    const bool exists = findActionBlock(kind) != nullptr;
    Bl_Co& blocks = m_diagram->the_bl_co();
    cBck* block = blocks.AddShape(BlockKinds::Ellipse, blocks.getFreeTagID(), clickPoint().x(),
                                  clickPoint().y());
    if (!block)
        return nullptr;
    if (exists) {
        m_questions->messageBox(refusal, QStringLiteral("Προσοχή"), ModalQuestions::Buttons::Ok);
        block->setZaction(QString());
        return block;
    }
    block->setShapeWidth(60);
    block->setShapeHeight(20);
    block->setZaction(kind);
    block->setZParam1(QString());
    block->setCaptionToAction();
    if (!toolTip.isEmpty())
        block->t_O_Shape()->setToolTip(toolTip);
    return block;
}

void Main_F::Form_Click() {
    m_canvas->hideSelector();
    m_diagram->currentBlockIndex = 0;
    m_statusPanels[0]->clear();
}

void Main_F::Form_MouseMove(const QPointF& at, Qt::KeyboardModifiers modifiers) {
    m_statusPanels[0]->clear();
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (held == Qt::ControlModifier || held == Qt::AltModifier) {
        QLineF line = m_canvas->line1();
        line.setP2(at);
        m_canvas->setLine1(line);
        m_canvas->hideSelector();
    } else if (held == Qt::ShiftModifier) {
        m_canvas->hideSelector();
    } else if (held == Qt::NoModifier) {
        m_canvas->setLine1Visible(false);
        m_linkHint->hide();
    }
}

void Main_F::placeLinkHint() {
    m_linkHint->adjustSize();
    const QRect bar = m_toolbar->geometry();
    const int top = bar.top() + std::max(0, (bar.height() - m_linkHint->height()) / 2);
    m_linkHint->move(bar.right() + 12, top);
    m_linkHint->raise();
}

void Main_F::Form_KeyUp(int key) {
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt)
        m_canvas->hideSelector();
}

void Main_F::Form_Activate() {
    m_output->move(canvasOverlay()->width() - m_output->width(), 0);
}

void Main_F::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
    QMainWindow::changeEvent(event);
}

void Main_F::setTimerEnabled(bool enabled) {
    m_timerEnabled = enabled;
    applyTimer();
}

void Main_F::applyTimer() {
    if (m_timerEnabled && m_timerRunner.interval() > 0) {
        if (!m_timerRunner.isActive())
            m_timerRunner.start();
    } else {
        m_timerRunner.stop();
    }
}

bool Main_F::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_output->viewport()) {
        // The output box is dragged by a press; the release drops its corner there.
        if (event->type() == QEvent::MouseButtonPress) {
            m_draggingOutput = true;
        } else if (event->type() == QEvent::MouseButtonRelease && m_draggingOutput) {
            m_draggingOutput = false;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            m_output->move(canvasOverlay()->mapFromGlobal(mouse->globalPosition().toPoint()));
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_runFrame->cmdRun && m_runFrame->cmdRun->isEnabled()) {
            m_run->cmdRun_MouseDown();
            return true;
        }
        if (watched == m_runFrame->cmdStop && m_runFrame->cmdStop->isEnabled()) {
            m_run->cmdStop_MouseDown();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Main_F::ENABLE_ALL_CMD() {
    // After a stop or a failure the speed returns to "Μεγάλη"; the run's end then puts every
    // control in its idle state.
    m_runFrame->scroll_ExecutionDelay->setValue(4);
    m_run->showRunControls();
}

void Main_F::NEO() {
    // The comment belongs to the diagram and is kept: a run or an Open that is cancelled must
    // not lose it (loading a file replaces it anyway).
    m_errorBox->hide();
    m_canvas->setLine1Visible(false);
    m_run->clearMarkers();
}

void Main_F::NEO1() {
    m_run->clearMarkers();
    m_run->interpreter().stop();
    commentWindow()->setCommentText(QString());
    m_errorBox->hide();
    m_canvas->setLine1Visible(false);
    m_diagram->clear();
    m_diagram->currentBlockIndex = -1;
    m_diagram->previousBlockIndex = -1;
}

void Main_F::closeEvent(QCloseEvent* event) {
    if (!m_files->askSaveChanges()) {
        event->ignore();
        return;
    }
    setTimerEnabled(false); // ends a run, and the stepping loop with it
    // Leaving ends the whole program: the owned windows go with the main window.
    for (QWidget* window : {static_cast<QWidget*>(m_comments), static_cast<QWidget*>(m_help),
                            static_cast<QWidget*>(m_messages->window())}) {
        if (window)
            window->hide();
    }
    event->accept();
}

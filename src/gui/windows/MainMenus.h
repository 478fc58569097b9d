#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu tree; the members carry the names the rest of the program uses.
struct MainMenus {
    explicit MainMenus(QMenuBar* bar);

    QMenu* mnuFile;
    QAction* mnuNew;
    QAction* mnuLoad;
    QMenu* mnuExamplesMenu;
    QList<QAction*> mnuExample; // 0 ... 9
    QMenu* array2;
    QList<QAction*> mnuExample2; // 1, 2 at positions 0, 1
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuRectangle;
    QAction* mnuExit;

    QMenu* en;
    QList<QAction*> ene; // 1 ... 13 at positions 0 ... 12 (11 is a separator)

    QMenu* mnuChangeShape;
    QAction* a22222;
    QAction* chenge_co;
    QMenu* che_;
    QAction* mnuChangeBackColor;
    QAction* mnuChangeTextColor;
    QAction* mnuChangeBorderColor;
    QAction* mnuChangeSize;
    QAction* View_com;
    QAction* move_le;

    QMenu* run__;
    QAction* auto_run;
    QAction* step_run;
    // "Προβολή": zoom of the canvas.
    QMenu* mnuView;
    QAction* zoomIn;
    QAction* zoomOut;
    QAction* zoomReset;
    QAction* zoomFit;
    // Runs without a pause between the steps, for long loops.
    QAction* fast_run;

    QAction* save_screen;

    QMenu* metatr;
    QAction* a22;
    QAction* make_diag;

    QMenu* mnuHelp;
    QAction* mnuAbout;

    QAction* mnexit;

    // Entry `index` (1 ... 13) of "Εντολές".
    QAction* command(int index) const { return ene.value(index - 1); }
};

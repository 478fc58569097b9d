#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;

// The main window's menu tree; the members carry the names the rest of the program uses.
struct MainMenus {
    explicit MainMenus(QMenuBar* bar);

    QMenu* mnuFile;              // "Αρχείο"
    QAction* mnuNew;             // "Νέο"
    QAction* mnuLoad;            // "Άνοιγμα..."
    QMenu* mnuRecent;            // "Πρόσφατα αρχεία": the last 8, filled as it opens
    QMenu* mnuExamplesMenu;      // "Παραδείγματα"
    QList<QAction*> mnuExample;  // 0 ... 9
    QMenu* array2;               // "Πίνακες Δυσδιάστατοι", inside the examples
    QList<QAction*> mnuExample2; // 1, 2 at positions 0, 1
    QAction* mnuSave;            // "Αποθήκευση"
    QAction* mnuSaveAs;          // "Αποθήκευση ως..."
    QAction* mnuRectangle;       // "Επιλογή Μέρους οθόνης"
    QAction* mnuExit;            // "Έξοδος" in "Αρχείο"

    QMenu* en;           // "Εντολές": the toolbar's commands as menu entries
    QList<QAction*> ene; // 1 ... 13 at positions 0 ... 12 (11 is a separator)

    QMenu* mnuChangeShape; // "Επεξεργασία"
    QAction* a22222;       // "Επιλογή Μέρους οθόνης", again
    QAction* chenge_co;    // "Αλλαγή χρώματος οθόνης"
    QMenu* che_;           // "Αλλαγή χειριστηρίου...": the current block's look
    QAction* mnuChangeBackColor;
    QAction* mnuChangeTextColor;
    QAction* mnuChangeBorderColor;
    QAction* mnuChangeSize;
    QAction* View_com; // "Εμφάνιση Εντολών": shows or hides the command toolbar
    QAction* move_le;  // "Ματαφορά όλων ...": moves the whole diagram

    QMenu* run__;      // " Εκτέλεση"
    QAction* auto_run; // "Αυτόματη Εκτέλεση": a run at speed 4
    QAction* step_run; // "Βηματική Εκτέλεση": one block per "Επόμενο βήμα"
    // "Προβολή": zoom of the canvas.
    QMenu* mnuView;
    QAction* zoomIn;
    QAction* zoomOut;
    QAction* zoomReset;
    QAction* zoomFit;
    QAction* traceTable; // "Πίνακας τιμών": the trace table of the run, live
    QAction* predict; // "Συμπλήρωσε πρώτα εσύ…": the pupil's own trace table, checked
    // Runs without a pause between the steps, for long loops.
    QAction* fast_run;
    QAction* nextStep;   // "Επόμενο βήμα" (F10): the run panel's button
    QAction* stopRun;    // "Διακοπή" (Shift+F5): the run panel's Stop
    QAction* breakpoint; // "Σημείο διακοπής" (F9) on the selected block

    QAction* save_screen; // "Καταγραφή οθονών OFF"/"ON": screen recording
    // The recording switch's caption, set only here.
    static QString recordingCaption(bool on);
    void showRecording(bool on);
    // What the recording entry says: asked at every step of a run, so kept rather than read
    // back from the entry's text.
    bool recordingShown() const { return m_recordingShown; }

    QMenu* metatr;      // "Μετατροπή"
    QAction* a22;       // "Σε Ψευδογλώσσα": the program text window
    QAction* make_diag; // "Σε Διάγραμμα Ροής": a program text made into a flowchart

    QMenu* mnuHelp;           // "Βοήθεια"
    QAction* mnuCommandsHelp; // "Πώς γράφω τις εντολές" (F1)
    QAction* mnuAbout;        // "Σχετικά με το πρόγραμμα"

    QAction* mnexit; // "Έξοδος" on the menu bar

    // Entry `index` (1 ... 13) of "Εντολές".
    QAction* command(int index) const { return ene.value(index - 1); }

private:
    bool m_recordingShown = false;
};

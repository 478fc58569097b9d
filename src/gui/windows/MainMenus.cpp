#include "gui/windows/MainMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

MainMenus::MainMenus(QMenuBar* bar) {
    mnuFile = bar->addMenu(QStringLiteral("Αρχείο"));
    mnuNew = mnuFile->addAction(QStringLiteral("Νέο"));
    mnuNew->setShortcut(QKeySequence::New);
    mnuLoad = mnuFile->addAction(QStringLiteral("Άνοιγμα..."));
    mnuLoad->setShortcut(QKeySequence::Open);
    mnuRecent = mnuFile->addMenu(QStringLiteral("Πρόσφατα αρχεία"));
    mnuExamplesMenu = mnuFile->addMenu(QStringLiteral("Παραδείγματα"));
    for (const char* caption :
         {"Άρτιος Περιττός Αριθμοός", "Τελευταίο ψηφίο αριθμού ", "Πολλαπλασιασμός αλά Ρωσικά",
          "Παραγοντικό", "Αριθμοί Fibonacci", "Δύναμη Αριθμού", "Ψηφία Αριθμού",
          "Εύρεση Ελάχιστου στοιχείου Πίνακα", "Εύρεση Μέγιστου στοιχείου Πίνακα",
          "Μέγιστο Τριών Αριθμών"})
        mnuExample.append(mnuExamplesMenu->addAction(QString::fromUtf8(caption)));
    array2 = mnuExamplesMenu->addMenu(QStringLiteral("Πίνακες Δυσδιάστατοι"));
    mnuExample2.append(array2->addAction(QStringLiteral("Ελάχιστο Δυσδιάστατου Πίνακα")));
    mnuExample2.append(array2->addAction(QStringLiteral("Μέγιστο Δυσδιάστατου Πίνακα")));
    mnuFile->addSeparator();
    mnuSave = mnuFile->addAction(QStringLiteral("Αποθήκευση"));
    mnuSave->setShortcut(QKeySequence::Save);
    mnuSaveAs = mnuFile->addAction(QStringLiteral("Αποθήκευση ως..."));
    mnuSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuRectangle = mnuFile->addAction(QStringLiteral("Επιλογή Μέρους οθόνης"));
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("Έξοδος"));

    en = bar->addMenu(QStringLiteral("Εντολές"));
    for (const char* caption :
         {"Αρχή", "Καταχώρησε", "Διάβασε", "Γράψε", "Δομή Επιλογής (Αν)", "Δομή Όσο (Επανάληψης)",
          "Δομή Μέχρις_Ότου (Επανάληψης)", "Σύγκλυση ροών - Κόμβος", "Τέλος", "Γραμμή Σύνδεσης"})
        ene.append(en->addAction(QString::fromUtf8(caption)));
    ene.append(en->addSeparator());
    // The key is only shown: Delete belongs to the canvas and the blocks, which delete the
    // selection with it; as a shortcut of the window it would reach past the text boxes.
    ene.append(en->addAction(QStringLiteral("Διαγραφή εντολής\tDel")));
    ene.append(en->addAction(QStringLiteral("Διαγραφή Σύνδεσης")));

    mnuChangeShape = bar->addMenu(QStringLiteral("Επεξεργασία"));
    a22222 = mnuChangeShape->addAction(QStringLiteral("Επιλογή Μέρους οθόνης"));
    chenge_co = mnuChangeShape->addAction(QStringLiteral("Αλλαγή χρώματος οθόνης"));
    mnuChangeShape->addSeparator();
    che_ = mnuChangeShape->addMenu(QStringLiteral("Αλλαγή χειριστηρίου..."));
    mnuChangeBackColor = che_->addAction(QStringLiteral("Χρώματος"));
    mnuChangeTextColor = che_->addAction(QStringLiteral("Γραμματοσειράς"));
    mnuChangeBorderColor = che_->addAction(QStringLiteral("Περιγράμματος"));
    mnuChangeSize = che_->addAction(QStringLiteral("Διαστάσεων"));
    mnuChangeShape->addSeparator();
    View_com = mnuChangeShape->addAction(QStringLiteral("Εμφάνιση Εντολών"));
    mnuChangeShape->addSeparator();
    move_le = mnuChangeShape->addAction(QStringLiteral("Ματαφορά όλων ..."));

    mnuView = bar->addMenu(QStringLiteral("Προβολή"));
    zoomIn = mnuView->addAction(QStringLiteral("Μεγέθυνση"));
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    zoomOut = mnuView->addAction(QStringLiteral("Σμίκρυνση"));
    zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    zoomReset = mnuView->addAction(QStringLiteral("Κανονικό μέγεθος (100%)"));
    zoomReset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    zoomFit = mnuView->addAction(QStringLiteral("Όλο το διάγραμμα"));
    zoomFit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    mnuView->addSeparator();
    traceTable = mnuView->addAction(QStringLiteral("Πίνακας τιμών"));
    traceTable->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    predict = mnuView->addAction(QStringLiteral("Συμπλήρωσε πρώτα εσύ…"));

    run__ = bar->addMenu(QStringLiteral(" Εκτέλεση"));
    auto_run = run__->addAction(QStringLiteral("Αυτόματη Εκτέλεση"));
    auto_run->setShortcut(QKeySequence(Qt::Key_F5));
    step_run = run__->addAction(QStringLiteral("Βηματική Εκτέλεση"));
    fast_run = run__->addAction(QStringLiteral("Γρήγορη Εκτέλεση"));
    fast_run->setToolTip(QStringLiteral("Εκτέλεση χωρίς καθυστέρηση ανάμεσα στα βήματα"));
    run__->addSeparator();
    nextStep = run__->addAction(QStringLiteral("Επόμενο βήμα"));
    nextStep->setShortcut(QKeySequence(Qt::Key_F10));
    stopRun = run__->addAction(QStringLiteral("Διακοπή"));
    stopRun->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    breakpoint = run__->addAction(QStringLiteral("Σημείο διακοπής"));
    breakpoint->setShortcut(QKeySequence(Qt::Key_F9));
    // The run's keys work from the message window and the input box too, which a run opens.
    for (QAction* action : {auto_run, nextStep, stopRun})
        action->setShortcutContext(Qt::ApplicationShortcut);

    save_screen = bar->addAction(recordingCaption(false));

    metatr = bar->addMenu(QStringLiteral("Μετατροπή"));
    a22 = metatr->addAction(QStringLiteral("Σε Ψευδογλώσσα"));
    make_diag = metatr->addAction(QStringLiteral("Σε Διάγραμμα Ροής"));

    mnuHelp = bar->addMenu(QStringLiteral("Βοήθεια"));
    mnuCommandsHelp = mnuHelp->addAction(QStringLiteral("Πώς γράφω τις εντολές"));
    mnuCommandsHelp->setShortcut(QKeySequence(Qt::Key_F1));
    mnuAbout = mnuHelp->addAction(QStringLiteral("Σχετικά με το πρόγραμμα"));

    mnexit = bar->addAction(QStringLiteral("Έξοδος"));
}

QString MainMenus::recordingCaption(bool on) {
    // "ΟΝ " in Greek capitals with a blank, as the design writes it.
    return on ? QStringLiteral("Καταγραφή οθονών ΟΝ ") : QStringLiteral("Καταγραφή οθονών OFF");
}

void MainMenus::showRecording(bool on) {
    m_recordingShown = on;
    save_screen->setText(recordingCaption(on));
}

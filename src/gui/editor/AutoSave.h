#pragma once

#include "core/files/RecoveryFiles.h"

#include <QObject>
#include <QTimer>

class EditHistory;
class FileCommands;
class ModalQuestions;

// Writes the open diagram aside while it has unsaved changes: every minute and after every
// 20 edits, through the safe save, into this window's recovery file, which goes once nothing
// is left unsaved (a save, New, Open) and at a clean exit. At start, a diagram left by a
// window that did not end cleanly is offered back.
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr int intervalMs = 60 * 1000;
    static constexpr int editsBetweenSaves = 20;

    AutoSave(FileCommands& files, EditHistory& history, QObject* parent,
             RecoveryFiles recovery = RecoveryFiles());
    ~AutoSave() override;

    // Writes the recovery file when there are unsaved changes, removes it otherwise.
    void saveNow();
    const RecoveryFiles& recovery() const { return m_recovery; }

    // Asks about each diagram left behind, newest first: "Ναι" opens it as unsaved (with the
    // file it belonged to, for Save), "Όχι" keeps it for the next start, "Διαγραφή" removes
    // it. True when one was opened.
    bool offerRecovered(ModalQuestions& questions);

private:
    FileCommands& m_files;
    RecoveryFiles m_recovery;
    QTimer m_timer;
    int m_edits = 0;
};

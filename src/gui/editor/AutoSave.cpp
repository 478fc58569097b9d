#include "gui/editor/AutoSave.h"

#include "core/model/ModalQuestions.h"
#include "gui/editor/EditHistory.h"
#include "gui/files/FileCommands.h"

AutoSave::AutoSave(FileCommands& files, EditHistory& history, QObject* parent,
                   RecoveryFiles recovery)
    : QObject(parent), m_files(files), m_recovery(std::move(recovery)) {
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &AutoSave::saveNow);
    m_timer.start();
    connect(&history, &EditHistory::edited, this, [this] {
        if (++m_edits >= editsBetweenSaves)
            saveNow();
    });
    connect(&files, &FileCommands::markedSaved, this, [this] {
        m_edits = 0;
        m_recovery.remove();
    });
}

AutoSave::~AutoSave() {
    // A clean exit: the pupil saved, or chose not to.
    m_recovery.remove();
}

void AutoSave::saveNow() {
    m_edits = 0;
    if (m_files.hasUnsavedChanges())
        m_recovery.write(m_files.snapshot(), m_files.currentFile());
    else
        m_recovery.remove();
}

bool AutoSave::offerRecovered(ModalQuestions& questions) {
    for (const RecoveryFiles::Found& found : m_recovery.orphans()) {
        const ModalQuestions::Answer answer = questions.messageBox(
            RecoveryFiles::question(found), QStringLiteral("Ανάκτηση διαγράμματος"),
            ModalQuestions::Buttons::YesNoDelete);
        if (answer == ModalQuestions::Answer::Delete) {
            RecoveryFiles::discard(found);
        } else if (answer == ModalQuestions::Answer::Yes) {
            m_files.openRecovered(found.snapshot, found.originalPath);
            RecoveryFiles::discard(found);
            saveNow(); // it is this window's unsaved work now
            return true;
        }
    }
    return false;
}

#pragma once

#include "core/files/DiagramChanges.h"

#include <QObject>
#include <QString>

class FileWindow;

// The commands of the "Αρχείο" menu and leaving the program: which file the open diagram
// belongs to, the title that names it, and the prompt that keeps unsaved work from being lost.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(FileWindow& window, QObject* parent);

    // The file the diagram was opened from or saved to ("" for a new diagram).
    QString currentFile() const { return m_currentFile; }
    // The folder that holds the program and its examples.
    QString programFolder() const { return m_programFolder; }
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

    static const QStringList& exampleFiles();   // mnuExample 0 ... 9
    static const QStringList& exampleFiles2D(); // mnuExample2 1, 2 at 0, 1

    // Replaces the open diagram by the file; false when the file is missing, lacks the
    // header or could not be read to its end.
    bool load_FILE(const QString& path);
    // Writes the open diagram; false when the file could not be written whole.
    bool saveDiagram(const QString& path);

    // Offers to save unsaved changes; false when the pupil chose "Άκυρο" (offered when
    // `cancellable`), or wanted to save and the diagram was not saved, so that the command
    // asking must not throw it away.
    bool askSaveChanges(bool cancellable = true);
    // The same offer before a run, made once for a given state of the diagram: after "Όχι"
    // the next runs do not ask until the diagram changes.
    void askSaveChangesBeforeRun();
    // True when the diagram or its comment differ from what was last opened, begun or saved.
    bool hasUnsavedChanges() const;
    // The diagram as it stands counts as saved (a new diagram, an opened one, a saved one).
    void markSaved();

    // The "Αρχείο" commands; Save and Save As say whether the diagram was written.
    void mnuNew_Click();  // "Νέο"
    void mnuLoad_Click(); // "Άνοιγμα..."
    // "Πρόσφατα αρχεία": the menu's entries, newest first; one opens as Open does, and one
    // whose file is gone is said so and leaves the list.
    void fillRecentMenu();
    void openRecent(const QString& path);
    void mnuExample_Click(int index);  // an example, 0 ... 9
    void mnuExample2_Click(int index); // a two-dimensional-table example, 1 or 2
    bool mnuSave_Click();              // "Αποθήκευση"
    bool mnuSaveAs_Click();            // "Αποθήκευση ως..."
    void mnuExit_Click();              // "Έξοδος"
    // The diagram named when the program was started.
    void openFromCommandLine(const QString& path);
    // A file dropped on the canvas.
    void Form_OLEDragDrop(const QStringList& files);

    // The first free default name in `folder`: Διαγραμμα.kv, Διαγραμμα1.kv, ...
    static QString freeDefaultName(const QString& folder);

    // The open diagram and its comment as they stand, to be put back exactly.
    QByteArray snapshot() const;
    // Puts a snapshot back in place of the open diagram (an undo); the file it belongs to
    // and its saved state stay as they are.
    void restoreSnapshot(const QByteArray& snapshot);
    // A diagram made from a program text: asks to save the open one first (false when the
    // pupil keeps it), then opens it unnamed and unsaved.
    bool openImported(const QByteArray& snapshot);
    // A diagram recovered after a crash: open, unsaved, named by the file it belonged to.
    void openRecovered(const QByteArray& snapshot, const QString& originalPath);
    // Where Open and Save As begin.
    QString startFolder() const;

signals:
    // New or Open replaced the diagram: edits before it cannot be undone.
    void diagramReplaced();
    // Nothing is left unsaved (a save, New, Open).
    void markedSaved();

private:
    void rememberFolder(const QString& path);
    enum class LoadOutcome { Loaded, Missing, NotReadable, ReadError };

    void recordingOff();
    void nameFile(const QString& path);
    void unnameFile();
    void openExample(const QString& fileName);

    FileWindow& m_window;
    DiagramChanges m_changes;
    QString m_currentFile;
    LoadOutcome m_lastLoad = LoadOutcome::Missing;
    bool m_loadingExample = false;
    QString m_programFolder;
};

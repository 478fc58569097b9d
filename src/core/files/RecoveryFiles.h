#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Diagrams with unsaved changes, written aside while the editor runs, so that a crash, a
// power cut or a killed process loses nothing: one file per running window, in the user's
// state folder ($XDG_STATE_HOME/Kelvra, or ~/.local/state/Kelvra), named by the process.
class RecoveryFiles {
public:
    static QString defaultFolder();

    explicit RecoveryFiles(QString folder = defaultFolder());

    // This window's file: written whole (a safe save), with the path of the file the diagram
    // belongs to, if any. False when it could not be written.
    bool write(const QByteArray& snapshot, const QString& originalPath);
    // No unsaved work is left (a save, New, Open, a clean exit).
    void remove();
    QString ownPath() const;

    // A diagram left by a window that is no longer running.
    struct Found {
        QString path;         // of the recovery file
        QString originalPath; // the file the diagram belonged to; empty for a new one
        QDateTime changed;
        QByteArray snapshot;
    };
    // Newest first.
    QList<Found> orphans() const;
    static void discard(const Found& found);

    // "Βρέθηκε διάγραμμα που δεν είχε αποθηκευτεί (…, αλλαγμένο στις …). Να ανακτηθεί;"
    static QString question(const Found& found);

private:
    QString m_folder;
};

#pragma once

#include <QString>
#include <QStringList>

class Diagram;

// A diagram file on disk: the one way the editor and kelvra-cli read and write ".kv" files,
// with the messages that tell the pupil what went wrong.
namespace DiagramFile {

// Bigger files are refused before they are read: no real diagram comes near this size.
constexpr qint64 maxFileSize = 64 * 1024 * 1024;

struct LoadResult {
    enum class Status { Loaded, Missing, Unopenable, NotReadable, ReadError };
    Status status = Status::Missing;
    QString comment; // the comment window's text, when loaded
    // What the message window shows, in order; empty when all went well.
    QStringList messages;
    bool loaded() const { return status == Status::Loaded; }
};

// Replaces the diagram by the file's content. A missing file changes nothing and has no
// message of its own (the callers say it in their words).
LoadResult load(const QString& path, Diagram& diagram);

struct SaveResult {
    bool saved = false;
    // The message box of a failed save, or the message-window line about characters the
    // file cannot hold.
    QString message;
};

// Writes the diagram and its comment; the old file stays whole when the save fails.
SaveResult save(const QString& path, const Diagram& diagram, const QString& comment);

// Every block fitted to its caption, as painting fits it, and the lines routed again: done
// after every read, so that the editor, kelvra-cli and the pictures give a file the same sizes.
void fitBlocks(Diagram& diagram);

QString missingFileMessage(const QString& path);
// A file that is not a diagram at all (no header line).
QString notADiagramMessage(const QString& path);
QString saveFailedMessage(const QString& reason);

} // namespace DiagramFile

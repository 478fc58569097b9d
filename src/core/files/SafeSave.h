#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <sys/types.h>

// Writes a whole file so that the old one stays whole when anything fails: the bytes go to a
// temporary file beside the target, which replaces the target only after every byte was
// written and synced to the disk. A full disk, a lost quota or a vanished USB stick is
// reported, never turned into an empty file.
//
// The file keeps what others rely on: its owner, group, mode and extended attributes (the
// ACL among them). Where a replacement could not keep them (a pupil saving a teacher's file
// in a class folder, a file with several hard links, a folder the user may not write), the
// file is written in place instead, after a copy of the old content was synced beside it
// (or in the temporary folder), so that a failure puts the old content back.
namespace SafeSave {

// The system calls that can fail while a file is written; tests replace them to fail as a
// full disk or a broken device would.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual ssize_t write(int fd, const char* data, size_t size);
    virtual int sync(int fd);
    virtual int rename(const char* from, const char* to);
};

struct Result {
    bool ok = false;
    QString error; // the reason, empty when ok
};

// A symbolic link at the path: a diagram saved through a link (or a chain of links) reaches
// the file it finally points to, and a loop of links is refused; an installer writing into
// folders it does not own replaces the link instead, so that a planted link never leads the
// write elsewhere.
enum class Links { Follow, Replace };

// A file the user may not write (no write permission, or read-only for everyone, which even
// the administrator's save respects) is refused and left as it is.
Result writeFile(const QString& path, const QByteArray& bytes, Links links = Links::Follow);

// The file a path finally names after following every link; empty with `error` set for a
// loop of links or a chain too long to follow.
QString finalTarget(const QString& path, QString* error = nullptr);

// The Greek reason for a loop of links.
QString linkLoopReason();

// Replaces the system calls until the returned guard is destroyed (tests only).
class FileSystemOverride {
public:
    explicit FileSystemOverride(FileSystem& fileSystem);
    ~FileSystemOverride();
    FileSystemOverride(const FileSystemOverride&) = delete;
    FileSystemOverride& operator=(const FileSystemOverride&) = delete;

private:
    FileSystem* m_previous;
};

} // namespace SafeSave

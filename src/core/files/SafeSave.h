#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <sys/types.h>

// Writes a whole file so that the old one stays whole when anything fails: the bytes go to a
// temporary file beside the target, which replaces the target only after every byte was
// written and synced to the disk. A full disk, a lost quota or a vanished USB stick is
// reported, never turned into an empty file.
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

// A symbolic link at the path: a diagram saved through a link reaches the file it points
// to; an installer writing into folders it does not own replaces the link instead, so
// that a planted link never leads the write elsewhere.
enum class Links { Follow, Replace };

Result writeFile(const QString& path, const QByteArray& bytes, Links links = Links::Follow);

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

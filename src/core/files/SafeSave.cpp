#include "core/files/SafeSave.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeSave {

ssize_t FileSystem::write(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}

int FileSystem::sync(int fd) {
    return ::fsync(fd);
}

int FileSystem::rename(const char* from, const char* to) {
    return ::rename(from, to);
}

namespace {

FileSystem& systemCalls() {
    static FileSystem calls;
    return calls;
}

FileSystem* g_fileSystem = nullptr;

FileSystem& fileSystem() {
    return g_fileSystem ? *g_fileSystem : systemCalls();
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

Result failure(const QString& reason) {
    return {false, reason};
}

// The file a save really writes: a symbolic link is followed, as editors do, so that the
// link stays and its target gets the new content.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.symLinkTarget();
        if (!target.isEmpty())
            return target;
    }
    return info.absoluteFilePath();
}

// The permissions of the file being replaced, or those a new file gets.
mode_t modeFor(const struct stat* existing) {
    if (existing)
        return existing->st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes every byte, going on after short writes and interruptions.
bool writeAll(int fd, const QByteArray& bytes, int& error) {
    const char* data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t written = fileSystem().write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? errno : ENOSPC;
            return false;
        }
        data += written;
        left -= size_t(written);
    }
    return true;
}

// Owns the temporary file until it has replaced the target.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& target) {
        const QFileInfo info(target);
        m_path = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                   QStringLiteral(".XXXXXX"));
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_committed)
            ::unlink(m_path.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    const char* path() const { return m_path.constData(); }
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void committed() { m_committed = true; }

private:
    QByteArray m_path;
    int m_fd = -1;
    bool m_committed = false;
};

void syncFolder(const QString& target) {
    const int fd = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

Result writeFile(const QString& path, const QByteArray& bytes, Links links) {
    if (path.isEmpty())
        return failure(QStringLiteral("κενό όνομα αρχείου"));
    const QString target =
        links == Links::Follow ? resolvedTarget(path) : QFileInfo(path).absoluteFilePath();
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    bool exists = ::lstat(targetName.constData(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode)) {
        if (links == Links::Follow)
            exists = ::stat(targetName.constData(), &existing) == 0; // a dangling link
        else
            exists = false; // the rename replaces the link itself
    }
    // A device, a pipe or a folder is never replaced by a regular file.
    if (exists && !S_ISREG(existing.st_mode))
        return failure(QStringLiteral("το «") + QDir::toNativeSeparators(path) +
                       QStringLiteral("» δεν είναι κανονικό αρχείο"));

    TemporaryFile temporary(target);
    if (temporary.fd() < 0)
        return failure(systemError(errno));
    int error = 0;
    if (!writeAll(temporary.fd(), bytes, error))
        return failure(systemError(error));
    if (fileSystem().sync(temporary.fd()) != 0)
        return failure(systemError(errno));
    struct stat written {};
    if (::fstat(temporary.fd(), &written) != 0)
        return failure(systemError(errno));
    if (written.st_size != off_t(bytes.size()))
        return failure(systemError(ENOSPC));
    ::fchmod(temporary.fd(), modeFor(exists ? &existing : nullptr));
    if (!temporary.close())
        return failure(systemError(errno));
    if (fileSystem().rename(temporary.path(), targetName.constData()) != 0)
        return failure(systemError(errno));
    temporary.committed();
    syncFolder(target);
    return {true, {}};
}

FileSystemOverride::FileSystemOverride(FileSystem& fileSystem) : m_previous(g_fileSystem) {
    g_fileSystem = &fileSystem;
}

FileSystemOverride::~FileSystemOverride() {
    g_fileSystem = m_previous;
}

} // namespace SafeSave

#include "core/files/SafeSave.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// The reason in Greek for the failures a pupil meets; the system's own words otherwise.
QString systemError(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return QStringLiteral("δεν επιτρέπεται η εγγραφή εκεί (δικαιώματα πρόσβασης)");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("δεν υπάρχει αρκετός χώρος στον δίσκο");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("ο φάκελος δεν υπάρχει");
    case EROFS:
        return QStringLiteral("ο δίσκος είναι μόνο για ανάγνωση");
    case EIO:
        return QStringLiteral("σφάλμα του δίσκου κατά την εγγραφή (μήπως αφαιρέθηκε;)");
    case ENAMETOOLONG:
        return QStringLiteral("το όνομα του αρχείου είναι πολύ μεγάλο");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

Result failure(const QString& reason) {
    return {false, reason};
}

// As many links as the system itself follows before it speaks of a loop.
constexpr int maxLinkHops = 40;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// The permissions a new file gets.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes every byte, going on after short writes and interruptions.
bool writeAll(FileSystem& calls, int fd, const char* data, size_t left, int& error) {
    while (left > 0) {
        const ssize_t written = calls.write(fd, data, left);
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

// Owns a temporary file until it is committed. The name is short and fixed in length, so a
// target whose name has the longest length the system allows can still be saved.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& folder) {
        m_path = encoded(folder + QStringLiteral("/.kv~XXXXXX"));
        m_fd = ::mkostemp(m_path.data(), O_CLOEXEC);
        m_error = m_fd < 0 ? errno : 0;
    }
    ~TemporaryFile() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (created() && !m_committed)
            ::unlink(m_path.constData());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return m_error == 0; }
    int error() const { return m_error; }
    int fd() const { return m_fd; }
    const char* path() const { return m_path.constData(); }
    // Writes the bytes and syncs them; false with `error` set when they did not all arrive.
    bool fill(const QByteArray& bytes, int& error) {
        if (!writeAll(fileSystem(), m_fd, bytes.constData(), size_t(bytes.size()), error))
            return false;
        if (fileSystem().sync(m_fd) != 0) {
            error = errno;
            return false;
        }
        struct stat written {};
        if (::fstat(m_fd, &written) != 0) {
            error = errno;
            return false;
        }
        if (written.st_size != off_t(bytes.size())) {
            error = ENOSPC;
            return false;
        }
        return true;
    }
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }
    void committed() { m_committed = true; }

private:
    QByteArray m_path;
    int m_fd = -1;
    int m_error = 0;
    bool m_committed = false;
};

void syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Copies the extended attributes (an ACL is one) of the old file to the new one. Attributes
// the user may not set are left out: the content matters more than they do.
void copyAttributes(const char* from, int to) {
    const ssize_t size = ::listxattr(from, nullptr, 0);
    if (size <= 0)
        return;
    QByteArray names(size, '\0');
    const ssize_t listed = ::listxattr(from, names.data(), size_t(names.size()));
    if (listed <= 0)
        return;
    for (const QByteArray& name : names.left(listed).split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t length = ::getxattr(from, name.constData(), nullptr, 0);
        if (length < 0)
            continue;
        QByteArray value(length, '\0');
        if (::getxattr(from, name.constData(), value.data(), size_t(value.size())) == length)
            ::fsetxattr(to, name.constData(), value.constData(), size_t(value.size()), 0);
    }
}

// Gives the new file the old one's owner, group and mode; false when the owner or the group
// cannot be kept (only the administrator gives a file away).
bool takeOverIdentity(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, now.st_uid != old.st_uid ? old.st_uid : uid_t(-1),
                 now.st_gid != old.st_gid ? old.st_gid : gid_t(-1)) != 0)
        return false;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

QString quotedPath(const QString& path) {
    return QStringLiteral("«") + QDir::toNativeSeparators(path) + QStringLiteral("»");
}

// True when the user may not write the file: no write permission for them, or none for
// anybody (the administrator's access() says yes to everything, but a file made read-only on
// purpose stays so).
bool readOnly(const QByteArray& target, const struct stat& info) {
    return ::access(target.constData(), W_OK) != 0 || (info.st_mode & 0222) == 0;
}

Result readOnlyFailure(const QString& path) {
    return failure(QStringLiteral("το αρχείο ") + quotedPath(path) +
                   QStringLiteral(" είναι μόνο για ανάγνωση (δεν επιτρέπεται η εγγραφή του)"));
}

// Puts `bytes` in place of the file's content through an open descriptor.
bool overwrite(FileSystem& calls, int fd, const QByteArray& bytes, int& error) {
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        error = errno;
        return false;
    }
    if (!writeAll(calls, fd, bytes.constData(), size_t(bytes.size()), error))
        return false;
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || calls.sync(fd) != 0) {
        error = errno;
        return false;
    }
    return true;
}

QByteArray readWhole(int fd, bool& ok) {
    QByteArray content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ok = false;
            return {};
        }
        if (got == 0)
            break;
        content.append(buffer, got);
    }
    ok = true;
    return content;
}

// Writes into the existing file, which keeps its identity whole (owner, links, ACL). The old
// content is first copied to a synced backup beside it (or in the temporary folder when the
// folder is read-only); a failure writes it back, and the backup is removed only once the
// file holds whole content again.
Result writeInPlace(const QString& target, const QByteArray& bytes) {
    const QByteArray name = encoded(target);
    const int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return failure(systemError(errno));
    bool readOk = false;
    const QByteArray old = readWhole(fd, readOk);
    if (!readOk) {
        const int error = errno;
        ::close(fd);
        return failure(systemError(error));
    }
    std::optional<TemporaryFile> backup(std::in_place, QFileInfo(target).absolutePath());
    if (!backup->created())
        backup.emplace(QDir::tempPath());
    int error = 0;
    if (!backup->created() || !backup->fill(old, error)) {
        ::close(fd);
        return failure(systemError(backup->created() ? error : backup->error()));
    }
    if (overwrite(fileSystem(), fd, bytes, error)) {
        ::close(fd);
        return {true, {}};
    }
    // The old content fitted before; it goes back over the same blocks.
    int restoreError = 0;
    const bool restored = overwrite(systemCalls(), fd, old, restoreError);
    ::close(fd);
    if (restored)
        return failure(systemError(error));
    backup->committed(); // the only whole copy of the old content: it stays
    return failure(systemError(error) + QStringLiteral("· το προηγούμενο περιεχόμενο σώθηκε στο ") +
                   quotedPath(QFile::decodeName(backup->path())));
}

// Writes a new file and renames it over the target. Returns nothing when the target's
// identity could not be kept, so that the caller writes in place instead.
std::optional<Result> writeByReplacing(const QString& target, const QByteArray& bytes,
                                       const struct stat* old) {
    TemporaryFile temporary(QFileInfo(target).absolutePath());
    if (!temporary.created()) {
        if (old && (temporary.error() == EACCES || temporary.error() == EROFS ||
                    temporary.error() == EPERM))
            return std::nullopt; // a folder the user may not write: the file itself may be
        return failure(systemError(temporary.error()));
    }
    int error = 0;
    if (!temporary.fill(bytes, error))
        return failure(systemError(error));
    if (old) {
        if (!takeOverIdentity(temporary.fd(), *old))
            return std::nullopt;
        copyAttributes(encoded(target).constData(), temporary.fd());
    } else {
        ::fchmod(temporary.fd(), newFileMode());
    }
    if (!temporary.close())
        return failure(systemError(errno));
    if (fileSystem().rename(temporary.path(), encoded(target).constData()) != 0)
        return failure(systemError(errno));
    temporary.committed();
    syncFolder(QFileInfo(target).absolutePath());
    return Result{true, {}};
}

} // namespace

QString linkLoopReason() {
    return QStringLiteral("οι σύνδεσμοι (symbolic links) σχηματίζουν κύκλο ή αλυσίδα χωρίς τέλος");
}

QString finalTarget(const QString& path, QString* error) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop <= maxLinkHops; ++hop) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        // The link's own text, relative to the folder that holds the link.
        const QByteArray name = encoded(current);
        QByteArray text(4096, '\0');
        const ssize_t length = ::readlink(name.constData(), text.data(), size_t(text.size()));
        if (length < 0)
            return current;
        const QString next = QFile::decodeName(text.left(length));
        current = QDir::cleanPath(QDir(info.absolutePath()).absoluteFilePath(next));
    }
    if (error)
        *error = linkLoopReason();
    return {};
}

Result writeFile(const QString& path, const QByteArray& bytes, Links links) {
    if (path.isEmpty())
        return failure(QStringLiteral("κενό όνομα αρχείου"));
    QString loop;
    const QString target =
        links == Links::Follow ? finalTarget(path, &loop) : QFileInfo(path).absoluteFilePath();
    if (target.isEmpty())
        return failure(quotedPath(path) + QStringLiteral(": ") + loop);
    const QByteArray targetName = encoded(target);
    struct stat existing {};
    bool exists = ::lstat(targetName.constData(), &existing) == 0;
    if (exists && S_ISLNK(existing.st_mode))
        exists = false; // Replace: the rename replaces the link itself
    // A device, a pipe or a folder is never replaced by a regular file.
    if (exists && !S_ISREG(existing.st_mode))
        return failure(QStringLiteral("το ") + quotedPath(path) +
                       QStringLiteral(" δεν είναι κανονικό αρχείο"));
    if (exists && readOnly(targetName, existing))
        return readOnlyFailure(path);
    // Several names share one file: a replacement would leave the other names on the old
    // content.
    if (exists && existing.st_nlink > 1)
        return writeInPlace(target, bytes);
    if (std::optional<Result> replaced =
            writeByReplacing(target, bytes, exists ? &existing : nullptr))
        return *replaced;
    return writeInPlace(target, bytes);
}

FileSystemOverride::FileSystemOverride(FileSystem& fileSystem) : m_previous(g_fileSystem) {
    g_fileSystem = &fileSystem;
}

FileSystemOverride::~FileSystemOverride() {
    g_fileSystem = m_previous;
}

} // namespace SafeSave

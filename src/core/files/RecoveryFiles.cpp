#include "core/files/RecoveryFiles.h"

#include "core/files/SafeSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <sys/types.h>

namespace {

const QByteArray header = "KELVRA-RECOVERY\n";
const QString suffix = QStringLiteral(".kvr");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A window is still running when its process is alive and is this program: a process number
// is given again to other programs after a crash.
bool running(qint64 pid) {
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false;
    const QByteArray name =
        readAll(QStringLiteral("/proc/") + QString::number(pid) + QStringLiteral("/comm"))
            .trimmed();
    return name.isEmpty() ||
           name == QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8().left(15);
}

} // namespace

QString RecoveryFiles::defaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Kelvra");
}

RecoveryFiles::RecoveryFiles(QString folder) : m_folder(std::move(folder)) {}

QString RecoveryFiles::ownPath() const {
    return m_folder + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid()) +
           suffix;
}

bool RecoveryFiles::write(const QByteArray& snapshot, const QString& originalPath) {
    if (!QDir().mkpath(m_folder))
        return false;
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return SafeSave::writeFile(ownPath(), header + originalPath.toUtf8() + '\n' + snapshot).ok;
}

void RecoveryFiles::remove() {
    QFile::remove(ownPath());
}

QList<RecoveryFiles::Found> RecoveryFiles::orphans() const {
    QList<Found> found;
    const QFileInfoList files =
        QDir(m_folder).entryInfoList({QStringLiteral("*") + suffix}, QDir::Files);
    for (const QFileInfo& info : files) {
        bool numbered = false;
        const qint64 pid = info.completeBaseName().toLongLong(&numbered);
        if (!numbered || running(pid))
            continue;
        const QByteArray bytes = readAll(info.absoluteFilePath());
        if (!bytes.startsWith(header))
            continue;
        const qsizetype end = bytes.indexOf('\n', header.size());
        if (end < 0)
            continue;
        found.append({info.absoluteFilePath(),
                      QString::fromUtf8(bytes.mid(header.size(), end - header.size())),
                      info.lastModified(), bytes.mid(end + 1)});
    }
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.changed > b.changed; });
    return found;
}

void RecoveryFiles::discard(const Found& found) {
    QFile::remove(found.path);
}

QString RecoveryFiles::question(const Found& found) {
    const QString name = found.originalPath.isEmpty()
                             ? QStringLiteral("νέο διάγραμμα χωρίς όνομα")
                             : QDir::toNativeSeparators(found.originalPath);
    return QStringLiteral("Βρέθηκε διάγραμμα που δεν είχε αποθηκευτεί (") + name +
           QStringLiteral(", αλλαγμένο στις ") +
           found.changed.toString(QStringLiteral("dd/MM/yyyy HH:mm")) +
           QStringLiteral("). Να ανακτηθεί;");
}

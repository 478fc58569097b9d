#include "Installation.h"

#include "DesktopEntry.h"
#include "LinkedFolders.h"
#include "MimeAppsList.h"
#include "QtRuntime.h"
#include "core/files/SafeSave.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>
#include <utility>

namespace {

QString home() {
    return QDir::homePath();
}

QString xdgDataHome() {
    const QString set = qEnvironmentVariable("XDG_DATA_HOME");
    return set.isEmpty() ? home() + QStringLiteral("/.local/share") : set;
}

QString xdgConfigHome() {
    const QString set = qEnvironmentVariable("XDG_CONFIG_HOME");
    return set.isEmpty() ? home() + QStringLiteral("/.config") : set;
}

// Runs a desktop helper when it is installed; a missing helper is no failure.
void runHelper(const QString& program, const QStringList& arguments) {
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return;
    QProcess process;
    process.start(found, arguments);
    process.waitForFinished(10000);
}

void refreshDatabases(const InstallFolders& folders) {
    runHelper(QStringLiteral("update-mime-database"), {folders.mimeDatabase});
    runHelper(QStringLiteral("update-desktop-database"), {folders.applications});
}

// While it lives, files are created and removed with the rights of the desktop's owner, so
// that a root installer writing into a user's folder can reach nothing that user cannot.
class ActingAs {
public:
    explicit ActingAs(const std::optional<InstallFolders::Owner>& owner) {
        if (!owner || ::geteuid() != 0)
            return;
        const int count = ::getgroups(0, nullptr);
        m_groups.resize(size_t(std::max(count, 0)));
        if (count > 0)
            ::getgroups(count, m_groups.data());
        m_active = ::setgroups(1, &owner->gid) == 0 && ::setegid(owner->gid) == 0 &&
                   ::seteuid(owner->uid) == 0;
        if (!m_active)
            restore();
    }
    ~ActingAs() {
        if (m_active)
            restore();
    }
    ActingAs(const ActingAs&) = delete;
    ActingAs& operator=(const ActingAs&) = delete;

private:
    void restore() {
        // Back to root; failing here would leave the installer without its rights, and the
        // calls it makes next would fail and be reported.
        [[maybe_unused]] const int uid = ::seteuid(0);
        [[maybe_unused]] const int gid = ::setegid(0);
        [[maybe_unused]] const int groups = ::setgroups(m_groups.size(), m_groups.data());
    }
    std::vector<gid_t> m_groups;
    bool m_active = false;
};

// Creates `folder` (and its parents); a link in its place or on the way to it is refused,
// since what the installer writes must stay inside the folders it names.
QString makeFolder(const QString& folder) {
    const QString link =
        QFileInfo(folder).isSymLink() ? folder : LinkedFolders::linkOnTheWay(folder);
    if (!link.isEmpty())
        return LinkedFolders::refusal(link);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return QStringLiteral("δεν ήταν δυνατό να δημιουργηθεί ο φάκελος ") + folder;
    return {};
}

// Writes a file whole; a link at the path is replaced, never written through (unless the
// caller asks to keep it, for a list the user keeps elsewhere on purpose). Returns the reason
// of a failure, or an empty text.
QString writeText(const QString& path, const QByteArray& text, bool executable,
                  SafeSave::Links links = SafeSave::Links::Replace) {
    const QString folder = makeFolder(QFileInfo(path).absolutePath());
    if (!folder.isEmpty())
        return folder;
    const SafeSave::Result written = SafeSave::writeFile(path, text, links);
    if (!written.ok)
        return written.error;
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup |
                                        QFile::ExeOther);
    return {};
}

QString failureLine(const QString& what, const QString& path, const QString& reason) {
    return what + path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file that records what the installer copied, so that uninstalling removes a file only
// while it is as it was copied (a teacher may have saved her own diagram over an example).
const QString manifestName = QStringLiteral("kelvra-files.sha256");

QByteArray checksum(const QString& path) {
    return QCryptographicHash::hash(readAll(path), QCryptographicHash::Sha256).toHex();
}

// name -> checksum, as recorded; empty when the installation has no record.
QHash<QString, QByteArray> readManifest(const QString& folder) {
    QHash<QString, QByteArray> sums;
    for (const QByteArray& line : readAll(folder + QLatin1Char('/') + manifestName).split('\n')) {
        const qsizetype gap = line.indexOf("  ");
        if (gap > 0)
            sums.insert(QString::fromUtf8(line.mid(gap + 2)), line.left(gap));
    }
    return sums;
}

const QString noDesktopAsRoot =
    QStringLiteral("Δεν έγινε συντόμευση στην επιφάνεια εργασίας: το πρόγραμμα τρέχει ως "
                   "διαχειριστής χωρίς sudo, οπότε δεν είναι γνωστός ο χρήστης της.");

} // namespace

QString desktopFolderOf(const QString& home) {
    // XDG_DESKTOP_DIR="$HOME/Επιφάνεια εργασίας"
    static const QRegularExpression entry(
        QStringLiteral("^\\s*XDG_DESKTOP_DIR\\s*=\\s*\"([^\"]*)\""));
    const QString dirs =
        QString::fromUtf8(readAll(home + QStringLiteral("/.config/user-dirs.dirs")));
    for (const QString& line : dirs.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = entry.match(line);
        if (match.hasMatch()) {
            QString folder = match.captured(1);
            folder.replace(QStringLiteral("$HOME"), home);
            if (folder.startsWith(QLatin1Char('/')) &&
                QDir::cleanPath(folder) != QDir::cleanPath(home))
                return folder;
        }
    }
    return home + QStringLiteral("/Desktop");
}

InstallFolders InstallFolders::forUser(bool root) {
    InstallFolders f;
    if (root) {
        f.programFiles = QStringLiteral("/opt");
        f.applications = QStringLiteral("/usr/share/applications");
        f.mimeDatabase = QStringLiteral("/usr/share/mime");
        f.mimeAppsList = QStringLiteral("/etc/xdg/mimeapps.list");
        // The desktop is that of the teacher who ran sudo, not root's own.
        const QByteArray sudoUser = qgetenv("SUDO_USER");
        const struct passwd* user =
            sudoUser.isEmpty() || sudoUser == "root" ? nullptr : ::getpwnam(sudoUser.constData());
        if (user && user->pw_uid != 0) {
            f.desktop = desktopFolderOf(QFile::decodeName(user->pw_dir));
            f.desktopOwner = Owner{user->pw_uid, user->pw_gid};
        } else {
            f.noDesktopReason = noDesktopAsRoot;
        }
    } else {
        f.programFiles = home() + QStringLiteral("/.local/opt");
        f.applications = xdgDataHome() + QStringLiteral("/applications");
        f.mimeDatabase = xdgDataHome() + QStringLiteral("/mime");
        f.mimeAppsList = xdgConfigHome() + QStringLiteral("/mimeapps.list");
        f.desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (f.desktop.isEmpty())
            f.desktop = home() + QStringLiteral("/Desktop");
    }
    f.mimePackages = f.mimeDatabase + QStringLiteral("/packages");
    return f;
}

Installation::Installation(InstallFolders folders, QString sourceFolder)
    : m_folders(std::move(folders)), m_source(std::move(sourceFolder)),
      m_runtimeCheck(&QtRuntime::missingLibraries) {}

const QStringList& Installation::fileList() {
    static const QStringList files = {
        QStringLiteral("Kelvra"),
        QStringLiteral("kelvra-cli"),
        iconName(),
        QStringLiteral("alarosika.kv"),
        QStringLiteral("apolitost.kv"),
        QStringLiteral("artios-peritos.kv"),
        QStringLiteral("dynami.kv"),
        QStringLiteral("fibo.kv"),
        QStringLiteral("ison.kv"),
        QStringLiteral("maxabc.kv"),
        QStringLiteral("maxP.kv"),
        QStringLiteral("max_ar_2.kv"),
        QStringLiteral("minP.kv"),
        QStringLiteral("min_ar_2.kv"),
        QStringLiteral("parago.kv"),
        QStringLiteral("psifia.kv"),
        QStringLiteral("tpsifio.kv"),
    };
    return files;
}

QString Installation::path(int specialFolder) const {
    switch (specialFolder) {
    case 38:
        return m_folders.programFiles;
    case 23:
        return m_folders.applications;
    default:
        return {};
    }
}

void Installation::record(PartOutcome::Part part, const QString& failure) {
    m_outcomes.push_back({part, failure.isEmpty(), failure});
}

bool Installation::install(const Report& progress) {
    m_error.clear();
    m_outcomes.clear();
    if (!installProgramFiles(progress)) {
        record(PartOutcome::Part::ProgramFiles, m_error);
        return false;
    }
    record(PartOutcome::Part::ProgramFiles, {});
    const bool shortcuts = create_shortcut();
    const bool fileType = registerFileType();
    return shortcuts && fileType;
}

bool Installation::installProgramFiles(const Report& progress) {
    const QStringList missing = m_runtimeCheck(m_source + QStringLiteral("/Kelvra"));
    if (!missing.isEmpty()) {
        m_error = QStringLiteral("Λείπουν βιβλιοθήκες Qt 6 που χρειάζεται το Kelvra (") +
                  missing.join(QStringLiteral(", ")) +
                  QStringLiteral("). Εγκαταστήστε τες πρώτα με:\nsudo apt-get install ") +
                  QtRuntime::packagesFor(missing).join(QLatin1Char(' '));
        return false;
    }
    const QString folder = path(38) + QStringLiteral("/Kelvra");
    const QString refused = makeFolder(folder);
    if (!refused.isEmpty()) {
        m_error = QStringLiteral("Δεν ήταν δυνατό να δημιουργηθεί ο φάκελος ") + folder +
                  QStringLiteral(" (") + refused + QLatin1Char(')');
        return false;
    }
    QByteArray manifest;
    for (const QString& name : fileList()) {
        const bool done = name == iconName() ? writeIcon() : copyFile(name);
        if (!done)
            return false;
        progress(QStringLiteral("Αντιγραφή αρχείου ") + name);
        manifest += checksum(m_folders.installFolder() + QLatin1Char('/') + name) + "  " +
                    name.toUtf8() + '\n';
    }
    const QString recorded =
        writeText(m_folders.installFolder() + QLatin1Char('/') + manifestName, manifest, false);
    if (!recorded.isEmpty()) {
        m_error = QStringLiteral("Δεν ήταν δυνατό να γραφτεί το αρχείο ") + manifestName +
                  QStringLiteral(" (") + recorded + QLatin1Char(')');
        return false;
    }
    return true;
}

bool Installation::copyFile(const QString& name) {
    const QString source = m_source + QLatin1Char('/') + name;
    const QString target = m_folders.installFolder() + QLatin1Char('/') + name;
    if (!QFileInfo(source).isFile()) {
        m_error = QStringLiteral("Δεν βρέθηκε το αρχείο ") + source +
                  QStringLiteral(": η εγκατάσταση σταμάτησε.");
        return false;
    }
    QFile::remove(target); // an earlier installation, or a link, is replaced
    if (!QFile::copy(source, target)) {
        m_error = QStringLiteral("Δεν ήταν δυνατό να γραφτεί το αρχείο ") + target +
                  QStringLiteral(": η εγκατάσταση σταμάτησε.");
        return false;
    }
    return true;
}

bool Installation::writeIcon() {
    // The program's sign: a decision diamond, as on its window.
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 0x80), 3));
    painter.setBrush(QColor(0xFF, 0xE8, 0x90));
    painter.drawPolygon(QPolygonF({{32, 6}, {60, 32}, {32, 58}, {4, 32}}));
    painter.end();
    const QString target = m_folders.installFolder() + QLatin1Char('/') + iconName();
    QFile::remove(target);
    if (!icon.save(target, "PNG")) {
        m_error = QStringLiteral("Δεν ήταν δυνατό να γραφτεί το αρχείο ") + target +
                  QStringLiteral(": η εγκατάσταση σταμάτησε.");
        return false;
    }
    return true;
}

QString Installation::desktopEntry(const QString& target, const QString& workingDirectory) const {
    return DesktopEntry::text(target, workingDirectory,
                              m_folders.installFolder() + QLatin1Char('/') + iconName(),
                              mimeType() + QLatin1Char(';') + exerciseMimeType());
}

bool Installation::create_shortcut() {
    // The menu entry and the desktop shortcut are tried whatever became of the other.
    const QString target = path(38) + QStringLiteral("/Kelvra/Kelvra");
    const QString working = path(38) + QStringLiteral("/Kelvra");
    const QString menu = m_folders.menuEntry();
    const QString menuFailure = writeText(menu, desktopEntry(target, working).toUtf8(), false);
    record(PartOutcome::Part::MenuEntry,
           menuFailure.isEmpty()
               ? QString()
               : failureLine(QStringLiteral("Δεν έγινε η καταχώριση στο μενού εφαρμογών: "), menu,
                             menuFailure));
    runHelper(QStringLiteral("update-desktop-database"), {path(23)});
    const bool desktop = CSC(QStringLiteral("Kelvra"), target, working);
    return menuFailure.isEmpty() && desktop;
}

bool Installation::CSC(const QString& name, const QString& target,
                       const QString& workingDirectory) {
    if (m_folders.desktop.isEmpty())
        return true; // said in the final message; nothing failed
    const QString shortcut =
        m_folders.desktop + QLatin1Char('/') + name + QStringLiteral(".desktop");
    QString failure;
    {
        const ActingAs owner(m_folders.desktopOwner);
        failure = writeText(shortcut, desktopEntry(target, workingDirectory).toUtf8(), true);
    }
    record(PartOutcome::Part::DesktopShortcut,
           failure.isEmpty()
               ? QString()
               : failureLine(QStringLiteral("Δεν έγινε συντόμευση στην επιφάνεια εργασίας: "),
                             shortcut, failure));
    // Desktops that ask before starting a launcher trust this one (the user's own session
    // answers; root's would mark nothing of the teacher's).
    if (failure.isEmpty() && !m_folders.desktopOwner)
        runHelper(QStringLiteral("gio"),
                  {QStringLiteral("set"), shortcut, QStringLiteral("metadata::trusted"),
                   QStringLiteral("true")});
    return failure.isEmpty();
}

bool Installation::registerFileType() {
    // ".kv" is used by other programs too: a diagram is known by the header word of its
    // first line, after the block count.
    const QByteArray package =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"application/x-kelvra-diagram\">\n"
        "    <comment>Kelvra flowchart</comment>\n"
        "    <comment xml:lang=\"el\">Διάγραμμα ροής Kelvra</comment>\n"
        "    <sub-class-of type=\"text/plain\"/>\n"
        "    <glob pattern=\"*.kv\" weight=\"40\"/>\n"
        "    <magic priority=\"60\">\n"
        "      <match type=\"string\" offset=\"0:6\" value=\"ORVANE\"/>\n"
        "      <match type=\"string\" offset=\"0:6\" value=\"orvane\"/>\n"
        "    </magic>\n"
        "  </mime-type>\n"
        "  <mime-type type=\"application/x-kelvra-exercise\">\n"
        "    <comment>Kelvra exercise</comment>\n"
        "    <comment xml:lang=\"el\">Άσκηση Kelvra</comment>\n"
        "    <sub-class-of type=\"application/json\"/>\n"
        "    <glob pattern=\"*.kva\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    const QString what = QStringLiteral("Δεν καταχωρίστηκε ο τύπος αρχείων .kv και .kva: ");
    QString failure = writeText(m_folders.mimePackage(), package, false);
    if (!failure.isEmpty())
        failure = failureLine(what, m_folders.mimePackage(), failure);
    runHelper(QStringLiteral("update-mime-database"), {m_folders.mimeDatabase});

    // Diagrams and exercises open with Kelvra: the default, and one of the applications.
    const QString list = m_folders.mimeAppsList;
    const QString text =
        MimeAppsList::withDefault(MimeAppsList::withDefault(QString::fromUtf8(readAll(list)),
                                                            exerciseMimeType(), desktopId()),
                                  mimeType(), desktopId());
    // A list that is a link (kept with the user's other settings) stays a link.
    const QString listFailure = writeText(list, text.toUtf8(), false, SafeSave::Links::Follow);
    if (!listFailure.isEmpty() && failure.isEmpty())
        failure = failureLine(what, list, listFailure);
    record(PartOutcome::Part::FileType, failure);
    return failure.isEmpty();
}

QString Installation::finalMessage() const {
    QStringList failures;
    bool desktopMade = false;
    for (const PartOutcome& outcome : m_outcomes) {
        if (!outcome.ok)
            failures << outcome.message;
        else if (outcome.part == PartOutcome::Part::DesktopShortcut)
            desktopMade = true;
    }
    QStringList lines;
    if (desktopMade)
        lines << QStringLiteral("Έγινε συντόμευση στην επιφάνεια εργασίας");
    if (!failures.isEmpty()) {
        lines << QStringLiteral("Η εγκατάσταση δεν ολοκληρώθηκε:") << failures;
    } else if (!desktopMade) {
        lines << QStringLiteral("Η εγκατάσταση ολοκληρώθηκε.") << m_folders.noDesktopReason;
    }
    return lines.join(QLatin1Char('\n'));
}

bool Installation::isInstalled() const {
    const bool listed = MimeAppsList::mentions(QString::fromUtf8(readAll(m_folders.mimeAppsList)),
                                               mimeType(), desktopId());
    return QFileInfo::exists(m_folders.program()) || QFileInfo::exists(m_folders.menuEntry()) ||
           QFileInfo::exists(m_folders.mimePackage()) || listed || ourDesktopShortcut();
}

bool Installation::ourDesktopShortcut() const {
    if (m_folders.desktop.isEmpty())
        return false;
    const QByteArray ours = "Exec=" + DesktopEntry::execValue(m_folders.program()).toUtf8();
    return readAll(m_folders.desktopShortcut()).contains(ours);
}

bool Installation::removeOurs(const QString& path, QStringList& failures) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return false;
    const QString link = LinkedFolders::linkOnTheWay(path);
    if (!link.isEmpty()) {
        failures << QStringLiteral("Δεν αφαιρέθηκε το ") + path + QStringLiteral(" (") +
                        LinkedFolders::refusal(link) + QLatin1Char(')');
        return false;
    }
    QFile file(path);
    if (!file.remove()) {
        failures << QStringLiteral("Δεν αφαιρέθηκε το ") + path + QStringLiteral(" (") +
                        file.errorString() + QLatin1Char(')');
        return false;
    }
    return true;
}

bool Installation::uninstall(const Report& progress) {
    if (!isInstalled()) {
        m_uninstallMessage =
            QStringLiteral("Δεν βρέθηκε εγκατάσταση του Kelvra: δεν υπάρχει τίποτα για αφαίρεση.");
        return true;
    }
    QStringList failures;
    QStringList kept;
    // The program folder: only the files the installer copied; a pupil's diagram saved
    // there stays, and with it the folder. A folder that is a link is left alone: the files
    // of the same names where it leads are not ours.
    const QString folderLink = QFileInfo(m_folders.installFolder()).isSymLink()
                                   ? m_folders.installFolder()
                                   : LinkedFolders::linkOnTheWay(m_folders.installFolder());
    if (!folderLink.isEmpty())
        failures << QStringLiteral("Δεν αφαιρέθηκαν τα αρχεία του ") + m_folders.installFolder() +
                        QStringLiteral(" (") + LinkedFolders::refusal(folderLink) +
                        QLatin1Char(')');
    const QHash<QString, QByteArray> copied = readManifest(m_folders.installFolder());
    for (const QString& name : folderLink.isEmpty() ? fileList() : QStringList()) {
        const QString path = m_folders.installFolder() + QLatin1Char('/') + name;
        // A file changed since it was copied is the teacher's now.
        if (copied.contains(name) && QFileInfo::exists(path) && checksum(path) != copied[name]) {
            kept << QStringLiteral("Το αρχείο ") + path +
                        QStringLiteral(" άλλαξε μετά την εγκατάσταση και έμεινε.");
            continue;
        }
        if (removeOurs(path, failures))
            progress(QStringLiteral("Αφαίρεση αρχείου ") + name);
    }
    if (folderLink.isEmpty())
        removeOurs(m_folders.installFolder() + QLatin1Char('/') + manifestName, failures);
    for (const QString& folder : {m_folders.installFolder(), m_folders.startMenuFolder()}) {
        if (folder == m_folders.startMenuFolder())
            removeOurs(m_folders.menuEntry(), failures);
        const QDir dir(folder);
        if (dir.exists() && !QFileInfo(folder).isSymLink() &&
            LinkedFolders::linkOnTheWay(folder).isEmpty() && !QDir().rmdir(folder))
            kept << QStringLiteral("Ο φάκελος ") + folder +
                        QStringLiteral(" έμεινε, γιατί έχει και άλλα αρχεία (π.χ. διαγράμματα).");
    }
    // The desktop shortcut, only when it is the one this installer made.
    if (ourDesktopShortcut()) {
        const ActingAs owner(m_folders.desktopOwner);
        removeOurs(m_folders.desktopShortcut(), failures);
    }
    removeOurs(m_folders.mimePackage(), failures);
    const QString list = QString::fromUtf8(readAll(m_folders.mimeAppsList));
    if (MimeAppsList::mentions(list, mimeType(), desktopId()) ||
        MimeAppsList::mentions(list, exerciseMimeType(), desktopId())) {
        const QString rest = MimeAppsList::without(
            MimeAppsList::without(list, mimeType(), desktopId()), exerciseMimeType(), desktopId());
        const bool linked = QFileInfo(m_folders.mimeAppsList).isSymLink();
        if (rest.isEmpty() && !linked) {
            removeOurs(m_folders.mimeAppsList, failures);
        } else {
            const QString failure =
                writeText(m_folders.mimeAppsList, rest.toUtf8(), false, SafeSave::Links::Follow);
            if (!failure.isEmpty())
                failures << QStringLiteral("Δεν αφαιρέθηκε το Kelvra από το ") +
                                m_folders.mimeAppsList + QStringLiteral(" (") + failure +
                                QLatin1Char(')');
        }
    }
    refreshDatabases(m_folders);
    QStringList lines;
    lines << (failures.isEmpty() ? QStringLiteral("Το Kelvra αφαιρέθηκε από τον υπολογιστή.")
                                 : QStringLiteral("Η αφαίρεση του Kelvra δεν ολοκληρώθηκε:"))
          << failures << kept;
    m_uninstallMessage = lines.join(QLatin1Char('\n'));
    return failures.isEmpty();
}

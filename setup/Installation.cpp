#include "Installation.h"

#include "files/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
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

const QString mimeType = QStringLiteral("application/x-kelvra-diagram");

// Runs a desktop helper when it is installed; a missing helper is no failure.
void runHelper(const QString& program, const QStringList& arguments) {
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        return;
    QProcess process;
    process.start(found, arguments);
    process.waitForFinished(10000);
}

} // namespace

InstallFolders InstallFolders::forUser(bool root) {
    InstallFolders f;
    if (root) {
        f.programFiles = QStringLiteral("/opt");
        f.applications = QStringLiteral("/usr/share/applications");
        f.mimeDatabase = QStringLiteral("/usr/share/mime");
        f.mimeAppsList = QStringLiteral("/etc/xdg/mimeapps.list");
    } else {
        f.programFiles = home() + QStringLiteral("/.local/opt");
        f.applications = xdgDataHome() + QStringLiteral("/applications");
        f.mimeDatabase = xdgDataHome() + QStringLiteral("/mime");
        f.mimeAppsList = xdgConfigHome() + QStringLiteral("/mimeapps.list");
    }
    f.mimePackages = f.mimeDatabase + QStringLiteral("/packages");
    f.desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (f.desktop.isEmpty())
        f.desktop = home() + QStringLiteral("/Desktop");
    return f;
}

Installation::Installation(InstallFolders folders, QString sourceFolder)
    : m_folders(std::move(folders)), m_source(std::move(sourceFolder)) {}

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

bool Installation::install(const Report& progress) {
    m_error.clear();
    const QString folder = path(38) + QStringLiteral("/Kelvra");
    if (!QDir().mkpath(folder)) {
        m_error = QStringLiteral("Δεν ήταν δυνατό να δημιουργηθεί ο φάκελος ") + folder;
        return false;
    }
    for (const QString& name : fileList()) {
        const bool done = name == iconName() ? writeIcon() : copyFile(name);
        if (!done)
            return false;
        progress(QStringLiteral("Αντιγραφή αρχείου ") + name);
    }
    create_shortcut();
    registerFileType();
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
    QFile::remove(target); // an earlier installation is overwritten
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

bool Installation::writeText(const QString& path, const QByteArray& text, bool executable) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written whole and synced before it replaces the old file.
    if (!SafeSave::writeFile(path, text).ok)
        return false;
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeGroup |
                                        QFile::ExeOther);
    return true;
}

QString Installation::desktopEntry(const QString& target, const QString& workingDirectory) const {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kelvra\n"
                          "Comment=Διαγράμματα ροής για το μάθημα της Πληροφορικής\n"
                          "Exec=\"%1\" %f\n"
                          "Path=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "Categories=Education;ComputerScience;\n"
                          "MimeType=%4;\n")
        .arg(target, workingDirectory, m_folders.installFolder() + QLatin1Char('/') + iconName(),
             mimeType);
}

bool Installation::create_shortcut() {
    // Every step goes on whatever the one before it did.
    const QString menu = path(23) + QStringLiteral("/Kelvra");
    QDir().mkpath(menu);
    const QString target = path(38) + QStringLiteral("/Kelvra/Kelvra");
    const QString working = path(38) + QStringLiteral("/Kelvra");
    writeText(menu + QStringLiteral("/Kelvra.desktop"), desktopEntry(target, working).toUtf8(),
              false);
    CSC(QStringLiteral("Kelvra"), target, working);
    runHelper(QStringLiteral("update-desktop-database"), {path(23)});
    return true;
}

bool Installation::CSC(const QString& name, const QString& target,
                       const QString& workingDirectory) {
    const QString shortcut =
        m_folders.desktop + QLatin1Char('/') + name + QStringLiteral(".desktop");
    if (!writeText(shortcut, desktopEntry(target, workingDirectory).toUtf8(), true))
        return false;
    // Desktops that ask before starting a launcher trust this one.
    runHelper(QStringLiteral("gio"), {QStringLiteral("set"), shortcut,
                                      QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    return true;
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
        "</mime-info>\n";
    const bool described =
        writeText(m_folders.mimePackages + QStringLiteral("/kelvra.xml"), package, false);
    runHelper(QStringLiteral("update-mime-database"), {m_folders.mimeDatabase});

    // The diagram type opens with Kelvra: its entry in the list of default applications.
    QFile list(m_folders.mimeAppsList);
    QString text;
    if (list.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(list.readAll());
    list.close();
    const QString entry = mimeType + QStringLiteral("=Kelvra-Kelvra.desktop");
    if (!text.contains(entry)) {
        const QString section = QStringLiteral("[Default Applications]");
        if (!text.contains(section))
            text += (text.isEmpty() || text.endsWith(QLatin1Char('\n')) ? QString()
                                                                        : QStringLiteral("\n")) +
                    section + QLatin1Char('\n');
        text.replace(section, section + QLatin1Char('\n') + entry);
    }
    return writeText(m_folders.mimeAppsList, text.toUtf8(), false) && described;
}

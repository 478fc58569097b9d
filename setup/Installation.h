#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <sys/types.h>
#include <vector>

// Where Kelvra is installed on this computer, as the desktop expects it: the program folder,
// the applications (start-menu) folder and the desktop.
struct InstallFolders {
    // The user a desktop belongs to when the installer runs as root through sudo.
    struct Owner {
        uid_t uid;
        gid_t gid;
    };

    QString programFiles; // /opt for root, ~/.local/opt otherwise
    QString applications; // /usr/share/applications or ~/.local/share/applications
    QString desktop;      // the user's XDG desktop folder; empty when there is none to use
    QString mimePackages; // .../mime/packages, where the diagram type is described
    QString mimeDatabase; // .../mime
    QString mimeAppsList; // the list that names the program that opens diagrams
    // Set when the desktop is another user's: the shortcut is written as that user.
    std::optional<Owner> desktopOwner;
    // Why no desktop shortcut is made, when `desktop` is empty.
    QString noDesktopReason;

    static InstallFolders forUser(bool root);
    QString installFolder() const { return programFiles + QStringLiteral("/Kelvra"); }
    QString startMenuFolder() const { return applications + QStringLiteral("/Kelvra"); }
    QString program() const { return installFolder() + QStringLiteral("/Kelvra"); }
    QString menuEntry() const { return startMenuFolder() + QStringLiteral("/Kelvra.desktop"); }
    QString desktopShortcut() const { return desktop + QStringLiteral("/Kelvra.desktop"); }
    QString mimePackage() const { return mimePackages + QStringLiteral("/kelvra.xml"); }
};

// The desktop folder of the user whose home is `home`, as their user-dirs.dirs names it.
QString desktopFolderOf(const QString& home);

// What became of one part of the installation.
struct PartOutcome {
    enum class Part { ProgramFiles, MenuEntry, DesktopShortcut, FileType };
    Part part;
    bool ok;
    QString message; // the Greek line naming the path that failed; empty when ok
};

// The installation: the files copied in order, then the shortcuts and the file type; and
// its removal.
class Installation {
public:
    // Progress lines, as the window or the terminal shows them.
    using Report = std::function<void(const QString&)>;
    // The libraries of the program that cannot be loaded here.
    using RuntimeCheck = std::function<QStringList(const QString& program)>;

    Installation(InstallFolders folders, QString sourceFolder);

    // The files copied from the source folder, in order; the icon is drawn, not copied.
    static const QStringList& fileList();
    static QString iconName() { return QStringLiteral("kelvra.png"); }
    // The menu entry's name for the desktop: its folder, a dash, its file name.
    static QString desktopId() { return QStringLiteral("Kelvra-Kelvra.desktop"); }
    static QString mimeType() { return QStringLiteral("application/x-kelvra-diagram"); }
    // A teacher's exercise (".kva", JSON), opened by Kelvra too.
    static QString exerciseMimeType() { return QStringLiteral("application/x-kelvra-exercise"); }

    const InstallFolders& folders() const { return m_folders; }
    void setRuntimeCheck(RuntimeCheck check) { m_runtimeCheck = std::move(check); }

    // "Εγκατάσταση": true when every part was installed. When the program files could not
    // be installed, nothing after them is tried.
    bool install(const Report& progress);
    // The failure of the program files, or empty.
    QString error() const { return m_error; }
    const std::vector<PartOutcome>& outcomes() const { return m_outcomes; }
    // The message that ends the installation: what was made and, in Greek, what failed.
    QString finalMessage() const;

    // True when anything this installer writes is present.
    bool isInstalled() const;
    // "Απεγκατάσταση": removes exactly what the installer wrote, never other files in its
    // folders; true unless something of ours could not be removed.
    bool uninstall(const Report& progress);
    QString uninstallMessage() const { return m_uninstallMessage; }

    // The special folders of the original installer: 38 program files, 23 start menu.
    QString path(int specialFolder) const;

    // The menu entry and the desktop shortcut; true when both were made.
    bool create_shortcut();
    bool CSC(const QString& name, const QString& target, const QString& workingDirectory);
    QString desktopEntry(const QString& target, const QString& workingDirectory) const;
    bool registerFileType();

private:
    bool installProgramFiles(const Report& progress);
    bool copyFile(const QString& name);
    bool writeIcon();
    void record(PartOutcome::Part part, const QString& failure);
    bool removeOurs(const QString& path, QStringList& failures);
    // True when the desktop holds the shortcut this installer made (not one of the user's).
    bool ourDesktopShortcut() const;

    InstallFolders m_folders;
    QString m_source;
    QString m_error;
    RuntimeCheck m_runtimeCheck;
    std::vector<PartOutcome> m_outcomes;
    QString m_uninstallMessage;
};

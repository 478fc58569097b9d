#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Where Kelvra is installed on this computer, as the desktop expects it: the program folder,
// the applications (start-menu) folder and the desktop.
struct InstallFolders {
    QString programFiles; // /opt for root, ~/.local/opt otherwise
    QString applications; // /usr/share/applications or ~/.local/share/applications
    QString desktop;      // the user's XDG desktop folder
    QString mimePackages; // .../mime/packages, where the diagram type is described
    QString mimeDatabase; // .../mime
    QString mimeAppsList; // the list that names the program that opens diagrams

    static InstallFolders forUser(bool root);
    QString installFolder() const { return programFiles + QStringLiteral("/Kelvra"); }
    QString startMenuFolder() const { return applications + QStringLiteral("/Kelvra"); }
    QString program() const { return installFolder() + QStringLiteral("/Kelvra"); }
};

// The installation: the files copied in order, then the shortcuts and the file type.
class Installation {
public:
    // Progress lines and the final message, as the window or the terminal shows them.
    using Report = std::function<void(const QString&)>;

    Installation(InstallFolders folders, QString sourceFolder);

    // The files copied from the source folder, in order; the icon is drawn, not copied.
    static const QStringList& fileList();
    static QString iconName() { return QStringLiteral("kelvra.png"); }

    // "Εγκατάσταση": false, with `error` set, when a file could not be installed; then
    // nothing after it is reported as done.
    bool install(const Report& progress);
    QString error() const { return m_error; }

    // The special folders of the original installer: 38 program files, 23 start menu.
    QString path(int specialFolder) const;

    bool create_shortcut();
    bool CSC(const QString& name, const QString& target, const QString& workingDirectory);
    QString desktopEntry(const QString& target, const QString& workingDirectory) const;
    bool registerFileType();

private:
    bool copyFile(const QString& name);
    bool writeIcon();
    bool writeText(const QString& path, const QByteArray& text, bool executable);

    InstallFolders m_folders;
    QString m_source;
    QString m_error;
};

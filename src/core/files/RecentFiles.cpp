#include "core/files/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace RecentFiles {

namespace {

const QString key = QStringLiteral("recentFiles");

QString absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

void store(const QStringList& paths) {
    QSettings().setValue(key, paths);
}

} // namespace

QStringList list() {
    QStringList paths = QSettings().value(key).toStringList();
    paths.removeAll(QString());
    return paths.mid(0, maxCount);
}

void add(const QString& path) {
    QStringList paths = list();
    paths.removeAll(absolute(path));
    paths.prepend(absolute(path));
    store(paths.mid(0, maxCount));
}

void remove(const QString& path) {
    QStringList paths = list();
    paths.removeAll(absolute(path));
    store(paths);
}

} // namespace RecentFiles

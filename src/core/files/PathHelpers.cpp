#include "core/files/PathHelpers.h"

#include <QFileInfo>

namespace {
qsizetype lastSeparator(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}
} // namespace

QString withTrailingBackslash(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder;
    return folder + QLatin1Char('/');
}

QString folderOf(const QString& path) {
    return path.left(lastSeparator(path) + 1);
}

QString fileNameOf(const QString& path) {
    return path.mid(lastSeparator(path) + 1);
}

bool fileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    return QFileInfo::exists(path);
}

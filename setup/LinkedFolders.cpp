#include "LinkedFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace LinkedFolders {

QString linkOnTheWay(const QString& path) {
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString home = QDir::cleanPath(QDir::homePath());
    const bool inHome = clean.startsWith(home + QLatin1Char('/'));
    QString folder = inHome ? home : QString();
    const QStringList parts = clean.mid(folder.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        folder += QLatin1Char('/') + parts[i];
        if (QFileInfo(folder).isSymLink())
            return folder;
    }
    return {};
}

QString refusal(const QString& link) {
    return QStringLiteral("ο φάκελος ") + link +
           QStringLiteral(" είναι σύνδεσμος (symbolic link) σε άλλο σημείο· το πρόγραμμα "
                          "εγκατάστασης δεν γράφει και δεν σβήνει μέσα από συνδέσμους");
}

} // namespace LinkedFolders

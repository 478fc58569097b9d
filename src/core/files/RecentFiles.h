#pragma once

#include <QString>
#include <QStringList>

// The diagrams opened or saved last, newest first, kept in the user's settings so that the
// "Πρόσφατα αρχεία" menu finds them in the next session.
namespace RecentFiles {

constexpr int maxCount = 8;

QStringList list();
// Puts `path` first (once), dropping the oldest beyond maxCount.
void add(const QString& path);
void remove(const QString& path);

} // namespace RecentFiles

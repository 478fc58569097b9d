#pragma once

#include <QString>

// Path helpers of the file commands. Paths use "/", and the helpers that split a path also
// accept "\", which older diagrams and teachers' habits bring along.
QString withTrailingBackslash(const QString& folder);
QString folderOf(const QString& path);
QString fileNameOf(const QString& path);
bool fileExists(const QString& path);

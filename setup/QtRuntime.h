#pragma once

#include <QString>
#include <QStringList>

// Whether the Qt 6 libraries a program links can be loaded on this computer.
namespace QtRuntime {

// The libraries the dynamic loader reports missing for `program` ("libQt6Widgets.so.6",
// ...); empty when all are found or when the program cannot be examined.
QStringList missingLibraries(const QString& program);

// The Debian packages that bring the missing libraries, for the message to the technician.
QStringList packagesFor(const QStringList& missing);

} // namespace QtRuntime

#include "QtRuntime.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace QtRuntime {

QStringList missingLibraries(const QString& program) {
    const QString ldd = QStandardPaths::findExecutable(QStringLiteral("ldd"));
    if (ldd.isEmpty())
        return {};
    QProcess process;
    process.start(ldd, {program});
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    QStringList missing;
    // "	libQt6Widgets.so.6 => not found"
    static const QRegularExpression notFound(QStringLiteral("^\\s*(\\S+)\\s*=>\\s*not found"));
    for (const QString& line :
         QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n')) {
        const QRegularExpressionMatch match = notFound.match(line);
        if (match.hasMatch())
            missing << match.captured(1);
    }
    return missing;
}

QStringList packagesFor(const QStringList& missing) {
    QStringList packages;
    for (const QString& library : missing) {
        // libQt6Widgets.so.6 comes with libqt6widgets6.
        static const QRegularExpression qt(QStringLiteral("^libQt6(\\w+)\\.so\\.6"));
        const QRegularExpressionMatch match = qt.match(library);
        const QString package =
            match.hasMatch()
                ? QStringLiteral("libqt6") + match.captured(1).toLower() + QStringLiteral("6")
                : library;
        if (!packages.contains(package))
            packages << package;
    }
    // The windows of a Qt program need the platform plugins as well.
    if (!packages.isEmpty() && !packages.contains(QStringLiteral("qt6-qpa-plugins")))
        packages << QStringLiteral("qt6-qpa-plugins");
    return packages;
}

} // namespace QtRuntime

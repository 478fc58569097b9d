#include "DesktopEntry.h"

namespace DesktopEntry {

QString escapedString(const QString& value) {
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            escaped += QStringLiteral("\\\\");
            break;
        case '\n':
            escaped += QStringLiteral("\\n");
            break;
        case '\t':
            escaped += QStringLiteral("\\t");
            break;
        case '\r':
            escaped += QStringLiteral("\\r");
            break;
        default:
            escaped += c;
        }
    }
    if (escaped.startsWith(QLatin1Char(' ')))
        escaped.replace(0, 1, QStringLiteral("\\s"));
    return escaped;
}

QString execValue(const QString& program) {
    QString argument;
    for (const QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            argument += QLatin1Char('\\');
        if (c == QLatin1Char('%'))
            argument += QLatin1Char('%'); // "%%" is a plain percent sign, never a field code
        argument += c;
    }
    return escapedString(QLatin1Char('"') + argument + QLatin1Char('"')) + QStringLiteral(" %f");
}

QString text(const QString& program, const QString& workingDirectory, const QString& icon,
             const QString& mimeType) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kelvra\n"
                          "Comment=Διαγράμματα ροής για το μάθημα της Πληροφορικής\n"
                          "Exec=") +
           execValue(program) + QStringLiteral("\nPath=") + escapedString(workingDirectory) +
           QStringLiteral("\nIcon=") + escapedString(icon) +
           QStringLiteral("\nTerminal=false\n"
                          "Categories=Education;ComputerScience;\n"
                          "MimeType=") +
           mimeType + QStringLiteral(";\n");
}

} // namespace DesktopEntry

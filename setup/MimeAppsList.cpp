#include "MimeAppsList.h"

#include <QStringList>

namespace MimeAppsList {

namespace {

const QString defaults = QStringLiteral("[Default Applications]");
const QString added = QStringLiteral("[Added Associations]");

bool isSection(const QString& line) {
    return line.trimmed().startsWith(QLatin1Char('['));
}

// The key of a "key=value" line, or an empty text.
QString keyOf(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : line.left(equals).trimmed();
}

QStringList applicationsOf(const QString& line) {
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

QStringList lines(const QString& text) {
    QStringList all = text.split(QLatin1Char('\n'));
    while (!all.isEmpty() && all.last().trimmed().isEmpty())
        all.removeLast();
    return all;
}

QString joined(const QStringList& all) {
    return all.isEmpty() ? QString() : all.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// Inserts `entry` right below the header of `section`, adding the section when missing.
void insertInto(QStringList& all, const QString& section, const QString& entry) {
    const qsizetype header = all.indexOf(section);
    if (header >= 0) {
        all.insert(header + 1, entry);
        return;
    }
    if (!all.isEmpty())
        all << QString();
    all << section << entry;
}

} // namespace

QString withDefault(const QString& text, const QString& mime, const QString& desktopId) {
    QStringList all = lines(text);
    QString section;
    QStringList associated{desktopId};
    for (qsizetype i = 0; i < all.size();) {
        const QString& line = all[i];
        if (isSection(line)) {
            section = line.trimmed();
            ++i;
            continue;
        }
        const bool ours = keyOf(line) == mime && (section == defaults || section == added);
        if (ours && section == added) {
            for (const QString& app : applicationsOf(line))
                if (!associated.contains(app))
                    associated << app;
        }
        if (ours)
            all.removeAt(i);
        else
            ++i;
    }
    insertInto(all, defaults, mime + QLatin1Char('=') + desktopId);
    insertInto(all, added,
               mime + QLatin1Char('=') + associated.join(QLatin1Char(';')) + QLatin1Char(';'));
    return joined(all);
}

QString without(const QString& text, const QString& mime, const QString& desktopId) {
    QStringList kept;
    QString section;
    for (const QString& line : lines(text)) {
        if (isSection(line)) {
            section = line.trimmed();
            kept << line;
            continue;
        }
        if (keyOf(line) == mime && (section == defaults || section == added)) {
            QStringList apps = applicationsOf(line);
            apps.removeAll(desktopId);
            if (apps.isEmpty())
                continue;
            kept << mime + QLatin1Char('=') + apps.join(QLatin1Char(';')) +
                        (section == added ? QStringLiteral(";") : QString());
            continue;
        }
        kept << line;
    }
    // Sections with nothing left in them go, with the blank line before them.
    QStringList result;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (isSection(kept[i])) {
            qsizetype next = i + 1;
            while (next < kept.size() && kept[next].trimmed().isEmpty())
                ++next;
            if (next >= kept.size() || isSection(kept[next])) {
                while (!result.isEmpty() && result.last().trimmed().isEmpty())
                    result.removeLast();
                i = next - 1;
                continue;
            }
        }
        result << kept[i];
    }
    return joined(result);
}

bool mentions(const QString& text, const QString& mime, const QString& desktopId) {
    QString section;
    for (const QString& line : lines(text)) {
        if (isSection(line))
            section = line.trimmed();
        else if ((section == defaults || section == added) && keyOf(line) == mime &&
                 applicationsOf(line).contains(desktopId))
            return true;
    }
    return false;
}

} // namespace MimeAppsList

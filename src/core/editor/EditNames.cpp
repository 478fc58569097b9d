#include "core/editor/EditNames.h"

#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/LineCollection.h"

#include <QHash>
#include <QSet>
#include <QStringList>

namespace EditNames {

namespace {

QHash<QString, const cBck*> blocksOf(const Diagram& diagram) {
    QHash<QString, const cBck*> blocks;
    for (const auto& block : diagram.the_bl_co()) {
        if (!Bl_Co::isDeleted(*block))
            blocks.insert(block->tagid(), block.get());
    }
    return blocks;
}

QSet<QString> linesOf(const Diagram& diagram) {
    QSet<QString> lines;
    for (const auto& line : diagram.the_li_co()) {
        if (!line->sFrom().isEmpty() && !line->sTo().isEmpty())
            lines.insert(line->sFrom() + QLatin1Char('>') + line->sTo() + QLatin1Char('>') +
                         line->sCaption());
    }
    return lines;
}

QString number(const QString& tag) {
    return tag.mid(2);
}

// "της εντολής 7", or "5 εντολών".
QString ofBlocks(const QStringList& tags) {
    return tags.size() == 1 ? QStringLiteral("της εντολής ") + number(tags.first())
                            : QString::number(tags.size()) + QStringLiteral(" εντολών");
}

bool sameText(const cBck& a, const cBck& b) {
    return a.zaction() == b.zaction() && a.zParam1() == b.zParam1() && a.zParam2() == b.zParam2() &&
           a.zParam3() == b.zParam3();
}

bool samePlace(const cBck& a, const cBck& b) {
    return a.shapeLeft() == b.shapeLeft() && a.shapeTop() == b.shapeTop();
}

QString linked(const QString& key) {
    const QStringList ends = key.split(QLatin1Char('>'));
    return QStringLiteral("Σύνδεση της εντολής ") + number(ends.value(0)) +
           QStringLiteral(" με την ") + number(ends.value(1));
}

QString unlinked(const QString& key) {
    const QStringList ends = key.split(QLatin1Char('>'));
    return QStringLiteral("Διαγραφή της σύνδεσης ") + number(ends.value(0)) +
           QStringLiteral(" → ") + number(ends.value(1));
}

} // namespace

QString describe(const Diagram& before, const Diagram& after, bool commentChanged) {
    const auto was = blocksOf(before);
    const auto is = blocksOf(after);
    QStringList removed, added, texts, moved, looks;
    for (auto it = was.cbegin(); it != was.cend(); ++it) {
        if (!is.contains(it.key()))
            removed << it.key();
    }
    for (auto it = is.cbegin(); it != is.cend(); ++it) {
        const cBck* old = was.value(it.key());
        if (!old)
            added << it.key();
        else if (!sameText(*old, **it))
            texts << it.key();
        else if (!samePlace(*old, **it))
            moved << it.key();
        else
            looks << it.key(); // a colour, a font or a size, as far as the file tells
    }
    for (QStringList* list : {&removed, &added, &texts, &moved, &looks})
        list->sort();
    if (!removed.isEmpty())
        return QStringLiteral("Διαγραφή ") + ofBlocks(removed);
    if (!added.isEmpty())
        return QStringLiteral("Προσθήκη ") + ofBlocks(added);
    if (!texts.isEmpty())
        return QStringLiteral("Αλλαγή ") + ofBlocks(texts);
    const QSet<QString> linesBefore = linesOf(before);
    const QSet<QString> linesAfter = linesOf(after);
    for (const QString& line : linesAfter) {
        if (!linesBefore.contains(line))
            return linked(line);
    }
    for (const QString& line : linesBefore) {
        if (!linesAfter.contains(line))
            return unlinked(line);
    }
    if (!moved.isEmpty())
        return QStringLiteral("Μετακίνηση ") + ofBlocks(moved);
    if (commentChanged)
        return QStringLiteral("Αλλαγή των σχολίων");
    QStringList changed;
    for (auto it = is.cbegin(); it != is.cend(); ++it) {
        const cBck* old = was.value(it.key());
        if (old && (old->BGColor() != (*it)->BGColor() || old->TextColor() != (*it)->TextColor() ||
                    old->BorderColor() != (*it)->BorderColor() ||
                    old->shapeWidth() != (*it)->shapeWidth() ||
                    old->shapeHeight() != (*it)->shapeHeight()))
            changed << it.key();
    }
    changed.sort();
    if (!changed.isEmpty())
        return QStringLiteral("Εμφάνιση ") + ofBlocks(changed);
    return QStringLiteral("Αλλαγή του διαγράμματος");
}

} // namespace EditNames

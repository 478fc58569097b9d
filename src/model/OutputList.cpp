#include "model/OutputList.h"

#include "model/Block.h"

namespace OutputList {

QString text(const cBck& block) {
    QString list = block.zParam1().trimmed();
    const QString rest = block.zParam2().trimmed();
    if (!rest.isEmpty())
        list += QLatin1Char(',') + rest;
    return list;
}

QStringList split(const QString& list) {
    QStringList items;
    QString current;
    bool quoted = false;
    int depth = 0;
    for (const QChar c : list) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('[') || c == QLatin1Char('(')))
            ++depth;
        else if (!quoted && (c == QLatin1Char(']') || c == QLatin1Char(')')))
            --depth;
        if (c == QLatin1Char(',') && !quoted && depth <= 0) {
            items << current;
            current.clear();
        } else {
            current += c;
        }
    }
    items << current;
    return items;
}

bool isMessage(const QString& item) {
    const QString t = item.trimmed();
    return t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')) &&
           t.count(QLatin1Char('"')) == 2;
}

bool isLoneMessage(const QString& text) {
    return isMessage(text) && !text.contains(QLatin1Char(','));
}

} // namespace OutputList

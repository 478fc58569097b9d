#include "core/model/OutputList.h"

namespace OutputList {

namespace {

bool startsAnOperand(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

bool endsAnOperand(QChar c) {
    return startsAnOperand(c) || c == QLatin1Char(']') || c == QLatin1Char(')');
}

bool isOperatorWord(const QString& word) {
    for (const char* op : {"MOD", "DIV", "AND", "OR", "NOT"}) {
        if (word == QLatin1String(op))
            return true;
    }
    return false;
}

// The item in quotes, any ";" that ends it kept outside them.
QString quoted(const QString& item) {
    QString core = item.trimmed();
    QString end;
    while (core.endsWith(QLatin1Char(';'))) {
        core.chop(1);
        end += QLatin1Char(';');
    }
    return QLatin1Char('"') + core.trimmed() + QLatin1Char('"') + end;
}

} // namespace

bool isWords(const QString& item) {
    if (item.contains(QLatin1Char('"')))
        return false;
    QString t = item;
    t.remove(QLatin1Char(';'));
    const QStringList words = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString& left = words[i - 1];
        const QString& right = words[i];
        if (isOperatorWord(left) || isOperatorWord(right))
            continue;
        if (endsAnOperand(left.back()) && startsAnOperand(right.front()))
            return true;
    }
    return false;
}

QStringList items(const QString& first, const QString& rest) {
    QString list = first.trimmed();
    const QString more = rest.trimmed();
    if (!more.isEmpty())
        list += QLatin1Char(',') + more;
    QStringList parts = split(list);
    for (QString& part : parts) {
        if (isWords(part))
            part = quoted(part);
    }
    return parts;
}

QString text(const QString& first, const QString& rest) {
    return items(first, rest).join(QLatin1Char(','));
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

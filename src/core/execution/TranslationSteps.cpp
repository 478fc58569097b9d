#include "core/execution/TranslationSteps.h"

#include "core/execution/NumberText.h"

namespace {

// The translation's replacements, each applied to every occurrence, in this order.
const std::pair<QString, QString> spacing[] = {
    {"!=", " < > "},  {"+", " + "},     {"-", " - "},     {"*", " * "},     {"/", " / "},
    {",", " , "},     {"^", " ^ "},     {"\\", " \\ "},   {"=", " = "},     {">", " > "},
    {"<", " < "},     {">=", " >= "},   {"<=", " <= "},   {"<>", " < > "},  {"#", " < > "},
    {"A_M", " INT "}, {"Α_Μ", " INT "}, {"Τ_Ρ", " SQR "}, {"Τ_P", " SQR "}, {"A_T", " ABS "},
    {"Α_Τ", " ABS "}, {"ΡΝΔ", " RND "}, {"INT", " INT "}, {"MOD", " MOD "}, {"DIV", " \\ "},
    {"AND", " AND "}, {"OR", " OR "},   {"NOT", " NOT "}, {"(", " ( "},     {")", " ) "},
    {"[ ", "["},      {" [", "["},      {" ]", "]"},      {"]", " ] "},
};

const QString operatorCharacters = QStringLiteral("+-*&/\\}{][()^=>< ");
const QString punctuation = QStringLiteral("+ -,*[]()/\\");

} // namespace

namespace TranslationSteps {

// A value as the result conversion gives it: strings unchanged, numbers rounded to two
// decimals, truth values as -1 and 0.
QString resultText(const ScriptEngine::Value& value) {
    if (const QString* s = std::get_if<QString>(&value))
        return *s;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("-1") : QStringLiteral("0");
    if (const double* d = std::get_if<double>(&value))
        return NumberText::formatRounded(*d);
    return QStringLiteral("0");
}

// An index value: strings unchanged, numbers in full.
QString indexText(const ScriptEngine::Value& value) {
    if (const QString* s = std::get_if<QString>(&value))
        return *s;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? QStringLiteral("-1") : QStringLiteral("0");
    if (const double* d = std::get_if<double>(&value))
        return NumberText::format(*d);
    return QString();
}

QString spaced(const QString& upperCased) {
    QString e = QLatin1Char(' ') + upperCased + QLatin1Char(' ');
    for (const auto& [find, replacement] : spacing) {
        // Most words are in no expression: looking costs less than preparing to replace.
        if (e.contains(find))
            e.replace(find, replacement);
    }
    return withSchoolWords(e);
}

namespace {

// A word that ends an operand: a value, a name, an element or a closing bracket.
bool endsAnOperand(QStringView word) {
    if (word.isEmpty() || word == u"(")
        return false;
    if (word == u")")
        return true;
    for (const char* keyword : {"AND", "OR", "NOT", "MOD", "INT", "SQR", "ABS"}) {
        if (word == QLatin1String(keyword))
            return false;
    }
    for (const QChar c : word) {
        if (!operatorCharacters.contains(c) && c != QLatin1Char(','))
            return true;
    }
    return false;
}

// A word that begins an operand, or something that must follow an operator.
bool beginsAnOperand(QStringView word) {
    if (word == u"(" || word == u"NOT" || word == u"INT" || word == u"SQR" || word == u"ABS")
        return true;
    return word != u")" && endsAnOperand(word);
}

} // namespace

// The words of the school language for the logical operators: ΚΑΙ and ΟΧΙ always, Η only
// where an operator is expected (after an operand), so that a variable named Η stays one.
QString withSchoolWords(QString spacedText) {
    if (!spacedText.contains(QStringLiteral("ΚΑΙ")) &&
        !spacedText.contains(QStringLiteral("ΟΧΙ")) && !spacedText.contains(QChar(0x0397)))
        return spacedText;
    const QList<QStringView> words = QStringView(spacedText).split(QLatin1Char(' '));
    QString result;
    result.reserve(spacedText.size());
    QStringView previous;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QStringView word = words[i];
        if (i > 0)
            result += QLatin1Char(' ');
        if (word == u"ΚΑΙ")
            result += QStringLiteral("AND");
        else if (word == u"ΟΧΙ")
            result += QStringLiteral("NOT");
        else if (word == u"Η" && endsAnOperand(previous))
            result += QStringLiteral("OR");
        else
            result += word;
        if (!word.isEmpty())
            previous = word;
    }
    return result;
}

std::optional<std::pair<QString, QString>> missingOperator(const QString& spacedText) {
    QStringView previous;
    for (const QStringView word :
         QStringView(spacedText).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (endsAnOperand(previous) && beginsAnOperand(word))
            return std::pair{previous.toString(), word.toString()};
        previous = word;
    }
    return std::nullopt;
}

QString missingOperatorReason(const QString& left, const QString& right) {
    return QStringLiteral("λείπει τελεστής ανάμεσα σε «") + left + QStringLiteral("» και «") +
           right + QStringLiteral("»");
}

QString rewriteRemainders(QString t) {
    const QString mod = QStringLiteral("MOD");
    qsizetype m;
    int rounds = 0;
    while ((m = t.indexOf(mod)) >= 0) {
        // A: the characters that end two before "MOD", back to the nearest blank.
        qsizetype aEnd = m - 2; // inclusive, 0-based
        qsizetype aStart = aEnd;
        while (aStart >= 0 && t[aStart] != QLatin1Char(' '))
            --aStart;
        const QString a = aEnd >= 0 ? t.mid(aStart + 1, aEnd - aStart) : QString();
        // B: the characters from four after "MOD" to the next blank.
        const qsizetype bStart = m + 4;
        qsizetype bEnd = bStart;
        while (bEnd < t.size() && t[bEnd] != QLatin1Char(' '))
            ++bEnd;
        const QString b = bStart < t.size() ? t.mid(bStart, bEnd - bStart) : QString();
        // Whole words only: "Ε MOD 4" must not be found inside "Ε MOD 400".
        const QString found = QLatin1Char(' ') + a + QStringLiteral(" MOD ") + b + QLatin1Char(' ');
        const QString rewritten = QStringLiteral("  ( ") + a + QStringLiteral(" - ( ") + a +
                                  QStringLiteral(" \\ ") + b + QStringLiteral(" ) * ") + b +
                                  QStringLiteral(" )  ");
        QString padded = QLatin1Char(' ') + t + QLatin1Char(' ');
        if (!padded.contains(found) || ++rounds > maxWords)
            throw Failed{}; // "MOD" without its two operands
        padded.replace(found, rewritten);
        t = padded.mid(1, padded.size() - 2);
    }
    return t;
}

bool keptAsWritten(QStringView word) {
    if (word.trimmed().isEmpty() || operatorCharacters.contains(word))
        return true;
    if (NumberText::leadingNumber(word) != 0)
        return true;
    // The words of the keyword list " AND , OR , NOT INT SQR ABS ".
    for (const char* keyword : {"AND", ",", "OR", "NOT", "INT", "SQR", "ABS"}) {
        if (word == QLatin1String(keyword))
            return true;
    }
    return false;
}

bool isPunctuation(const QString& word) {
    return punctuation.contains(word);
}

QStringList indexParts(const QString& index) {
    const qsizetype comma = index.indexOf(QLatin1Char(','));
    return comma < 0 ? QStringList{index} : QStringList{index.left(comma), index.mid(comma + 1)};
}

QString squeezed(QString e) {
    while (e.contains(QStringLiteral("  ")))
        e.replace(QStringLiteral("  "), QStringLiteral(" "));
    return e;
}

} // namespace TranslationSteps

#include "core/editor/CanonicalText.h"

#include <utility>
#include <vector>

namespace {

const QString latinAndAccented = QStringLiteral("ABCDEFGHIJKLMNOPRYUSTVWZXΆΈΉΊΌΏΎΫς");
const QString greekCapitals = QStringLiteral("ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠΡΥΘΣΤΩΣΖΧΑΕΗΙΟΩΥΥΣ");

const std::pair<const char*, const char*> latinWords[] = {
    {" ΜΟΔ ", " MOD "}, {" ΔΙΩ ", " DIV "}, {" ΑΝΔ ", " AND "}, {" ΟΡ ", " OR "},
    {" ΝΟΤ ", " NOT "}, {"ΙΝΤ(", "INT("},   {"ΑΒΣ(", "ABS("},   {"ΨΟΣ(", "COS("},
    {"ΣΙΝ(", "SIN("},   {"ΑΤΝ(", "ATN("},   {"ΕΧΠ(", "EXP("},   {"ΛΟΓ(", "LOG("},
    {"ΡΝΔ(", "RND("},   {"ΣΓΝ(", "SGN("},   {"ΣQΡ(", "SQR("},   {"ΤΑΝ(", "TAN("},
};

// The same pairs as texts, made once: every block read goes through them.
const std::vector<std::pair<QString, QString>>& latinWordTexts() {
    static const std::vector<std::pair<QString, QString>> texts = [] {
        std::vector<std::pair<QString, QString>> made;
        for (const auto& [greek, latin] : latinWords)
            made.emplace_back(QString::fromUtf8(greek), QString::fromUtf8(latin));
        return made;
    }();
    return texts;
}

const QString digits = QStringLiteral("0123456789");
const QString forbidden = QStringLiteral("!@#$%^&*()-+/\\|;:|=/?~`{}.,'<>?\"");
// Inside an element's brackets an index expression may also separate and compute.
const QString allowedInIndex = QStringLiteral(",+-*/()");

const QString reservedWords =
    QStringLiteral(";ΑΛΓΟΡΙΘΜΟΣ;ΤΕΛΟΣ;ΕΠΙΛΕΞΕ;ΠΕΡΙΠΤΩΣΗ;ΑΡΧΗ;ΓΙΑ;ΆΠΟ;ΜΕΧΡΙ;ΕΠΑΝΕΛΑΒΕ;"
                   "ΤΕΛΟΣ_ΕΠΑΝΑΛΗΨΗΣ;") +
    QStringLiteral("ΑΝ;ΤΕΛΟΣ_ΑΝ;ΤΟΤΕ;ΑΛΛΙΩΣ;ΑΛΛΙΩΣ_ΑΝ;ΜΕΧΡΙΣ_ΟΤΟΥ;ΑΡΧΗ_ΕΠΑΝΑΛΗΨΗΣ;ΓΙΑ;ΜΕ_ΒΗΜΑ;") +
    QStringLiteral(";INT;ABS;COS;SIN;ATN;EXP;LOG;RND;SGN;TAN;") +
    // The school's AND and NOT are always operators.
    QStringLiteral(";ΚΑΙ;ΟΧΙ;");

// True when every character outside the brackets of an element name is allowed; inside
// well-formed brackets the separators and operators of index expressions are allowed too.
bool charactersAllowed(const QString& name) {
    int depth = 0;
    bool bracketsBalanced = true;
    for (const QChar c : name) {
        if (c == QLatin1Char('['))
            ++depth;
        else if (c == QLatin1Char(']') && --depth < 0)
            bracketsBalanced = false;
    }
    bracketsBalanced = bracketsBalanced && depth == 0;
    depth = 0;
    for (const QChar c : name) {
        if (c == QLatin1Char('['))
            ++depth;
        else if (c == QLatin1Char(']'))
            --depth;
        else if (forbidden.contains(c) &&
                 !(bracketsBalanced && depth > 0 && allowedInIndex.contains(c)))
            return false;
    }
    return true;
}

} // namespace

QString ucase_en_gr(const QString& text) {
    // Upper-casing ΰ and ΐ gives a letter and two combining marks, which a diagram file in
    // the Greek code page cannot hold; their plain capitals are what the table gives anyway.
    QString result = QString(text)
                         .replace(QChar(0x03B0), QChar(0x03A5))
                         .replace(QChar(0x0390), QChar(0x0399))
                         .toUpper();
    for (QChar& c : result) {
        const qsizetype at = latinAndAccented.indexOf(c);
        if (at >= 0)
            c = greekCapitals[at];
    }
    // An operator word is recognised between blanks; the ends of a text of several words
    // count as blanks too, so that "not α > 0" gets its NOT as "α ... not" gets its own.
    const bool words = result.contains(QLatin1Char(' '));
    if (words)
        result = QLatin1Char(' ') + result + QLatin1Char(' ');
    // Every word ends in a blank or a bracket: most texts (numbers, names) hold neither, and
    // looking costs far less than preparing a replacement.
    if (words || result.contains(QLatin1Char('('))) {
        for (const auto& [greek, latin] : latinWordTexts()) {
            if (result.contains(greek))
                result.replace(greek, latin);
        }
    }
    return words ? result.mid(1, result.size() - 2) : result;
}

bool IS_NAME_VAR(const QString& name) {
    if (name.isEmpty() || digits.contains(name.front()))
        return false;
    if (!charactersAllowed(name))
        return false;
    return !reservedWords.contains(QLatin1Char(';') + name + QLatin1Char(';'));
}

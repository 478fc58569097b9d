#include "core/codegen/PseudoLines.h"

#include <QStringList>

namespace {

// Unaccented capitals, as the program text is written.
const std::pair<const char*, const char*> accents[] = {
    {"Ά", "Α"}, {"Έ", "Ε"}, {"Ή", "Η"}, {"Ί", "Ι"}, {"Ό", "Ο"}, {"Ώ", "Ω"}, {"Ύ", "Υ"},
};

} // namespace

namespace PseudoLines {

QString REPL_(const QString& caption) {
    QString t = caption;
    t.replace(QStringLiteral("Αρχή Αρχή"), QStringLiteral("Αρχή"));
    t.replace(QStringLiteral("Κάνε"), QString());
    t = t.trimmed();
    t.replace(QStringLiteral("ΟΣΟ_"), QStringLiteral("ΟΣΟ "));
    t.replace(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ_"), QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ "));
    t.replace(QStringLiteral("ΑΝ_"), QStringLiteral("ΑΝ "));
    t.replace(QStringLiteral("_ΤΟΤΕ"), QStringLiteral(" ΤΟΤΕ"));
    t.replace(QStringLiteral("ΟΣΟ.."), QString());
    t.replace(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ.."), QString());
    t.replace(QStringLiteral("ΑΝ..ΤΟΤΕ"), QString());
    return t.trimmed();
}

QString finishLine(const QString& line) {
    QString t = line.toUpper();
    for (const auto& [accented, plain] : accents)
        t.replace(QString::fromUtf8(accented), QString::fromUtf8(plain));
    t.remove(QLatin1Char('!'));
    return t;
}

QString finishOutsideQuotes(const QString& line) {
    QStringList parts = line.split(QLatin1Char('"'));
    for (qsizetype i = 0; i < parts.size(); i += 2)
        parts[i] = finishLine(parts[i]);
    return parts.join(QLatin1Char('"'));
}

QString finish(const QString& assembled) {
    QString t = assembled.toUpper();
    const std::pair<const char*, const char*> replacements[] = {
        {"Ά", "Α"},
        {"Έ", "Ε"},
        {"Ή", "Η"},
        {"Ί", "Ι"},
        {"Ό", "Ο"},
        {"Ώ", "Ω"},
        {"Ύ", "Υ"},
        {"ΑΛΛΙΩΣ", "ΑΛΛΙΩΣ\r\n"},
        {"ΓΡΑΨΕ ΓΡΑΨΕ \r\n", "ΓΡΑΨΕ "},
        {"ΓΡΑΨΕ ΓΡΑΨΕ\r\n", "ΓΡΑΨΕ "},
        {"ΓΡΑΨΕ ΓΡΑΨΕ", "ΓΡΑΨΕ "},
        {"ΔΙΑΒΑΣΕ ΔΙΑΒΑΣΕ", "ΔΙΑΒΑΣΕ "},
        {"ΔΙΑΒΑΣΕ ΔΙΑΒΑΣΕ\r\n", "ΔΙΑΒΑΣΕ "},
        {"ΔΙΑΒΑΣΕ ΔΙΑΒΑΣΕ \r\n", "ΔΙΑΒΑΣΕ "},
        {"ΑΝ_", "ΑΝ "},
        {"AN_", "ΑΝ "},
        {"ΑΡΧΗ\r\n", "ΑΛΓΟΡΙΘΜΟΣ Α1\r\n"},
        {"\r\n\r\n", "\r\n"},
        {"!", ""},
        {"ΑΛΛΙΩΣ\r\nΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΝ"},
        {"ΑΛΛΙΩΣ\r\nΑΝ", "ΑΛΛΙΩΣ_ΑΝ"},
        {"ΤΕΛΟΣ_ΑΝ\r\nΤΕΛΟΣ_ΑΝ", "ΤΕΛΟΣ_ΑΝ"},
        {"+\r\n", ""},
    };
    for (const auto& [find, replacement] : replacements)
        t.replace(QString::fromUtf8(find), QString::fromUtf8(replacement));
    return t;
}

} // namespace PseudoLines

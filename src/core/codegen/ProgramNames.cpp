#include "core/codegen/ProgramNames.h"

ProgramNames::ProgramNames(Alphabet alphabet, QSet<QString> reserved)
    : m_alphabet(alphabet), m_taken(std::move(reserved)) {}

QString ProgramNames::transliterate(const QString& greek, Alphabet alphabet) {
    static const QHash<QChar, QString> common = {
        {u'Α', "A"}, {u'Β', "B"},  {u'Γ', "G"}, {u'Δ', "D"}, {u'Ε', "E"},  {u'Ζ', "Z"},
        {u'Η', "H"}, {u'Θ', "TH"}, {u'Ι', "I"}, {u'Κ', "K"}, {u'Λ', "L"},  {u'Μ', "M"},
        {u'Ν', "N"}, {u'Ξ', "KS"}, {u'Ο', "O"}, {u'Π', "P"}, {u'Ρ', "R"},  {u'Σ', "S"},
        {u'Τ', "T"}, {u'Υ', "Y"},  {u'Φ', "F"}, {u'Χ', "X"}, {u'Ψ', "PS"}, {u'Ω', "W"},
        {u'Ά', "A"}, {u'Έ', "E"},  {u'Ή', "H"}, {u'Ί', "I"}, {u'Ό', "O"},  {u'Ύ', "Y"},
        {u'Ώ', "W"}, {u'Ϊ', "I"},  {u'Ϋ', "Y"}, {u'ς', "S"}};
    QString latin;
    for (const QChar c : greek.toUpper()) {
        QString letter = common.value(c, QString(c));
        // The school table of the BASIC text: Γ is C and Ω is O.
        if (alphabet == Alphabet::Basic && c == u'Γ')
            letter = QStringLiteral("C");
        if (alphabet == Alphabet::Basic && (c == u'Ω' || c == u'Ώ'))
            letter = QStringLiteral("O");
        latin += letter;
    }
    return latin;
}

QString ProgramNames::latin(const QString& greek) {
    const auto known = m_names.constFind(greek);
    if (known != m_names.cend())
        return *known;
    QString base = transliterate(greek, m_alphabet);
    if (base.isEmpty() || !(base.front().isLetter() || base.front() == QLatin1Char('_')))
        base.prepend(QLatin1Char('V'));
    QString name = base;
    for (int n = 2; m_taken.contains(name.toUpper()); ++n)
        name = base + QLatin1Char('_') + QString::number(n);
    m_taken.insert(name.toUpper());
    m_names.insert(greek, name);
    return name;
}

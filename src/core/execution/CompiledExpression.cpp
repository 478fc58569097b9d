#include "core/execution/CompiledExpression.h"
#include "core/execution/TranslationSteps.h"

#include "core/execution/VariableStore.h"
#include "core/expression/ExpressionTree.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace {

using Part = CompiledExpression::Part;
using Slot = Part::Slot;

// Stands, while compiling, for the index of table element k in the main text.
constexpr char16_t firstElementMark = 0xF000;

bool isElementMark(QChar c) {
    return c.unicode() >= firstElementMark && c.unicode() < firstElementMark + 0x100;
}

bool isSlotMark(QChar c) {
    return c.unicode() >= ScriptEngine::firstSlotMark && c.unicode() < firstElementMark;
}

// Characters that would join a number written beside them into one word or one number.
bool joinsANumber(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.') ||
           c == QLatin1Char('"') || isSlotMark(c) || isElementMark(c);
}

// A name that a plain number could equal ("0", say): only such names are looked at when a
// value might be replaced again.
bool looksLikeANumber(const QString& name) {
    return !name.isEmpty() && (name.front().isDigit() || name.front() == QLatin1Char('.') ||
                               name.front() == QLatin1Char('-'));
}

QString respaced(QString t) {
    t.replace(QStringLiteral("AND"), QStringLiteral(" AND "));
    t.replace(QStringLiteral("OR"), QStringLiteral(" OR "));
    t.replace(QStringLiteral("ABS"), QStringLiteral(" ABS "));
    t.replace(QStringLiteral("NOT"), QStringLiteral(" NOT "));
    return t;
}

// Compiles one text as the reference's substitution sees it. `final` is the main text,
// whose blanks go and whose keywords are spaced again; an index text keeps its blanks.
std::optional<Part> compilePart(const QString& text, bool final,
                                std::vector<CompiledExpression::Element>* elements) {
    const QString spaced = QLatin1Char(' ') + text + QLatin1Char(' ');
    const QStringList words = spaced.split(QLatin1Char(' '));
    if (words.size() > TranslationSteps::maxWords)
        return std::nullopt;
    Part part;
    QStringList marked;
    std::vector<int> slotWord;
    for (qsizetype k = 0; k < words.size(); ++k) {
        const QString& word = words[k];
        int element = -1;
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (isElementMark(word[i])) {
                if (element >= 0 || i != word.size() - 1)
                    return std::nullopt; // an element inside a longer word
                element = word[i].unicode() - firstElementMark;
            }
        }
        if (element >= 0) {
            const QString prefix = word.chopped(1);
            if (!elements || element >= int(elements->size()) || prefix.isEmpty() ||
                !prefix.front().isLetter())
                return std::nullopt;
            (*elements)[size_t(element)].prefix = prefix;
            (*elements)[size_t(element)].prefixFolded = prefix.toCaseFolded();
        } else if (TranslationSteps::keptAsWritten(word)) {
            marked << word;
            continue;
        } else if (word == QStringLiteral("RND") || TranslationSteps::isPunctuation(word)) {
            return std::nullopt; // a random draw, or a word given back as it is
        }
        Slot slot;
        slot.name = element >= 0 ? QString() : word;
        slot.folded = slot.name.toCaseFolded();
        slot.element = element;
        slot.parenthesised = k + 1 < words.size() && words[k + 1] == QStringLiteral("^");
        if (int(part.variables.size()) >=
            int(ScriptEngine::lastSlotMark - ScriptEngine::firstSlotMark))
            return std::nullopt;
        marked << QString(ScriptEngine::slotMark(int(part.variables.size())));
        if (looksLikeANumber(slot.name))
            part.numberLikeNames.push_back(int(part.variables.size()));
        part.variables.push_back(slot);
        slotWord.push_back(int(k));
    }
    // "x ^ y": the reference brackets a negative x only once per pass; equal names decline.
    for (size_t a = 0; a < part.variables.size(); ++a) {
        for (size_t b = a + 1; b < part.variables.size(); ++b) {
            if (slotWord[b] == slotWord[a] + 2 && words[slotWord[a] + 1] == QStringLiteral("^"))
                part.powerPairs.emplace_back(int(a), int(b));
        }
    }
    QString templateText = marked.join(QLatin1Char(' ')).trimmed();
    if (final)
        templateText = respaced(templateText.remove(QLatin1Char(' ')));
    // Every slot must stand as one operand: nothing beside it may join a number written there.
    QString piece;
    int slot = 0;
    for (qsizetype i = 0; i < templateText.size(); ++i) {
        const QChar c = templateText[i];
        if (!isSlotMark(c)) {
            piece += c;
            continue;
        }
        if ((i > 0 && joinsANumber(templateText[i - 1])) ||
            (i + 1 < templateText.size() && joinsANumber(templateText[i + 1])))
            return std::nullopt;
        qsizetype next = i + 1;
        while (next < templateText.size() && templateText[next] == QLatin1Char(' '))
            ++next;
        part.variables[size_t(slot)].powerFollows =
            next < templateText.size() && templateText[next] == QLatin1Char('^');
        qsizetype before = i - 1;
        while (before >= 0 && templateText[before] == QLatin1Char(' '))
            --before;
        Slot& variable = part.variables[size_t(slot)];
        // After an operand, a negative number's sign is read as a subtraction.
        variable.afterOperand = before >= 0 && (joinsANumber(templateText[before]) ||
                                                templateText[before] == QLatin1Char(')') ||
                                                templateText[before] == QLatin1Char(']'));
        if (before >= 0 && (templateText[before] == QLatin1Char('-') ||
                            templateText[before] == QLatin1Char('+'))) {
            // "3E+": the sign belongs to a number's exponent, which would take the digits.
            if (before > 0 && (templateText[before - 1] == QLatin1Char('E') ||
                               templateText[before - 1] == QLatin1Char('e')))
                return std::nullopt;
            --before;
            while (before >= 0 && templateText[before] == QLatin1Char(' '))
                --before;
            variable.afterSignedPower = before >= 0 && templateText[before] == QLatin1Char('^');
        }
        part.pieces << piece;
        piece.clear();
        ++slot;
    }
    part.pieces << piece;
    if (slot != int(part.variables.size()))
        return std::nullopt; // a slot trimmed away or doubled: not the reference's text
    part.tree = ScriptEngine::Template(templateText);
    return part;
}

// The brackets of a spaced text: pairs in order, never nested, each closed before the next
// opens; their positions, or nullopt.
std::optional<std::vector<std::pair<qsizetype, qsizetype>>> bracketPairs(const QString& s) {
    std::vector<std::pair<qsizetype, qsizetype>> pairs;
    qsizetype open = -1;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('[')) {
            if (open >= 0)
                return std::nullopt;
            open = i;
        } else if (s[i] == QLatin1Char(']')) {
            if (open < 0)
                return std::nullopt;
            pairs.emplace_back(open, i);
            open = -1;
        }
    }
    if (open >= 0 || pairs.size() > 0x100)
        return std::nullopt;
    return pairs;
}

} // namespace

std::shared_ptr<const CompiledExpression> CompiledExpression::compile(const QString& expression) {
    const QString e = expression.toUpper();
    if (e.startsWith(QStringLiteral("ΤΥΧΑΙΟΣ")))
        return nullptr;
    for (const QChar c : e) {
        // Marks of its own, braces and strings: the reference's texts could mix them up.
        if (c.unicode() >= ScriptEngine::firstSlotMark && c.unicode() <= ScriptEngine::lastSlotMark)
            return nullptr;
        if (c == QLatin1Char('{') || c == QLatin1Char('}') || c == QLatin1Char('"'))
            return nullptr;
    }
    const QString s = TranslationSteps::spaced(e);
    const auto pairs = bracketPairs(s);
    if (!pairs)
        return nullptr;
    auto compiled = std::make_shared<CompiledExpression>();
    QString main;
    qsizetype from = 0;
    for (size_t b = 0; b < pairs->size(); ++b) {
        const auto [open, close] = (*pairs)[b];
        Element element;
        for (const QString& text :
             TranslationSteps::indexParts(s.mid(open + 1, close - open - 1))) {
            std::optional<Part> part = compilePart(text, false, nullptr);
            if (!part)
                return nullptr;
            element.indices.push_back(std::move(*part));
        }
        compiled->m_elements.push_back(std::move(element));
        main += s.mid(from, open - from) + QChar(char16_t(firstElementMark + b));
        from = close + 1;
    }
    main += s.mid(from);
    main = TranslationSteps::squeezed(main);
    if (TranslationSteps::missingOperator(main))
        return nullptr; // the reference fails it, with its reason

    if (main.contains(QStringLiteral("MOD"))) {
        if (!pairs->empty())
            return nullptr; // remainders of elements are rewritten after their indices
        try {
            main = TranslationSteps::rewriteRemainders(main);
        } catch (const TranslationSteps::Failed&) {
            return nullptr;
        }
    }
    std::optional<Part> part = compilePart(main, true, &compiled->m_elements);
    if (!part)
        return nullptr;
    compiled->m_main = std::move(*part);
    const std::optional<ExpressionTree::ExprPtr> tree =
        ExpressionTree::parse(e, ExpressionTree::Dialect::Run);
    if (!tree || !compiled->computeTree(**tree))
        return nullptr;
    return compiled;
}

namespace {

// The table elements of a tree from left to right.
void collectElements(const ExpressionTree::Expr& e, std::vector<const ExpressionTree::Expr*>& out) {
    if (e.kind == ExpressionTree::Expr::Kind::Element)
        out.push_back(&e);
    for (const ExpressionTree::ExprPtr& arg : e.args)
        collectElements(*arg, out);
}

// The tree's part for one translated text, computed with that text's slots; nullopt when the
// translation reads the text otherwise than the tree does (its names elsewhere, its operators
// grouped differently): the reference then computes it, as it always did.
std::optional<ScriptEngine::Template>
treeTemplate(const ExpressionTree::Expr& e, const Part& part,
             const std::vector<const ExpressionTree::Expr*>& elements) {
    size_t next = 0;
    const auto slotOf = [&](const ExpressionTree::Expr& leaf) -> std::optional<int> {
        if (next >= part.variables.size())
            return std::nullopt;
        const Slot& slot = part.variables[next];
        // The translation takes a number worth nothing ("0", "00", "0.0") for a name.
        const bool matches = leaf.kind != ExpressionTree::Expr::Kind::Element
                                 ? slot.element < 0 && slot.name == leaf.text
                                 : slot.element >= 0 && size_t(slot.element) < elements.size() &&
                                       elements[size_t(slot.element)] == &leaf;
        if (!matches)
            return std::nullopt;
        return int(next++);
    };
    ScriptEngine::Template computed = ScriptEngine::Template::fromTree(e, slotOf);
    if (next != part.variables.size() || !computed.readsAs(part.tree))
        return std::nullopt;
    return computed;
}

} // namespace

bool CompiledExpression::computeTree(const ExpressionTree::Expr& tree) {
    std::vector<const ExpressionTree::Expr*> elements;
    collectElements(tree, elements);
    if (elements.size() != m_elements.size())
        return false;
    for (size_t k = 0; k < elements.size(); ++k) {
        Element& element = m_elements[k];
        if (elements[k]->text != element.prefix ||
            elements[k]->args.size() != element.indices.size())
            return false;
        for (size_t j = 0; j < element.indices.size(); ++j) {
            std::optional<ScriptEngine::Template> index =
                treeTemplate(*elements[k]->args[j], element.indices[j], {});
            if (!index)
                return false;
            element.indices[j].tree = std::move(*index);
        }
    }
    std::optional<ScriptEngine::Template> main = treeTemplate(tree, m_main, elements);
    if (!main)
        return false;
    m_main.tree = std::move(*main);
    return true;
}

namespace {

// The values of one part's slots as the reference would substitute them, or false when the
// reference must compute them.
struct PartValues {
    QVarLengthArray<const QString*, 8> names; // the slot's or the element's, kept meanwhile
    QVarLengthArray<const QString*, 8> texts; // the variables' own, until they change
    QVarLengthArray<double, 8> numbers;
    QVarLengthArray<bool, 8> reported;
};

using ElementNames = QVarLengthArray<QString, 4>;

// Elements are looked up by their case-folded names (digits and signs fold to themselves);
// the name as written is only made for a report.
bool peekPart(const Part& part, const ElementNames& elementFolded, const VariableStore& variables,
              PartValues& values) {
    const qsizetype n = qsizetype(part.variables.size());
    values.names.resize(n);
    values.texts.resize(n);
    values.numbers.resize(n);
    values.reported.resize(n);
    for (qsizetype i = 0; i < n; ++i) {
        const Slot& slot = part.variables[size_t(i)];
        // An element's name is made at each evaluation; a variable's is the slot's own.
        values.names[i] = slot.element >= 0 ? &elementFolded[slot.element] : &slot.name;
        const VariableStore::Peeked peeked =
            slot.element >= 0 ? variables.peekFolded(*values.names[i], *values.names[i], false)
                              : variables.peekFolded(slot.name, slot.folded, true);
        values.texts[i] = peeked.text;
        values.reported[i] = peeked.wouldReport;
        if (!peeked.number)
            return false;
        const bool negative = peeked.text->front() == QLatin1Char('-');
        if (negative && ((slot.powerFollows && !slot.parenthesised) || slot.afterSignedPower ||
                         slot.afterOperand))
            return false;
        values.numbers[i] = *peeked.number;
    }
    for (const auto& [a, b] : part.powerPairs) {
        if (*values.names[a] == *values.names[b])
            return false;
    }
    // A value that is itself one of the words replaced after it would be replaced again.
    for (const int j : part.numberLikeNames) {
        if (*values.texts[j] == *values.names[j])
            continue; // replacing it again changes nothing
        for (qsizetype i = 0; i < n; ++i) {
            if (*values.texts[i] == *values.names[j])
                return false;
        }
    }
    return true;
}

// An index as the reference writes it into the element's name; whole numbers directly.
void appendIndex(QString& text, const ScriptEngine::Value& value) {
    const double* number = std::get_if<double>(&value);
    if (!number || *number != std::trunc(*number) || std::abs(*number) >= 1e15) {
        text += TranslationSteps::indexText(value);
        return;
    }
    char digits[24];
    qint64 whole = qint64(*number);
    const bool negative = whole < 0;
    int length = 0;
    do {
        const qint64 digit = whole % 10;
        digits[length++] = char('0' + (digit < 0 ? -digit : digit));
        whole /= 10;
    } while (whole != 0);
    if (negative && *number != 0)
        text += QLatin1Char('-');
    while (length > 0)
        text += QLatin1Char(digits[--length]);
}

QString joinedName(const QString& prefix, const QString& indices) {
    QString name;
    name.reserve(prefix.size() + indices.size() + 2);
    name += prefix;
    name += QLatin1Char('[');
    name += indices;
    name += QLatin1Char(']');
    return name;
}

void report(const Part& part, const PartValues& values,
            const std::vector<CompiledExpression::Element>& elements,
            const ElementNames& elementIndices, VariableStore& variables) {
    for (qsizetype i = 0; i < values.names.size(); ++i) {
        if (!values.reported[i])
            continue;
        const int element = part.variables[size_t(i)].element;
        variables.getVar(
            element < 0 ? *values.names[i]
                        : joinedName(elements[size_t(element)].prefix, elementIndices[element]));
    }
}

// The main text with the values in their places, written once without growing: a run writes
// one at nearly every step.
QString translatedText(const Part& part, const PartValues& values) {
    const auto bracketed = [&](qsizetype i) {
        return part.variables[size_t(i)].parenthesised &&
               values.texts[i]->front() == QLatin1Char('-');
    };
    qsizetype length = 0;
    for (const QString& piece : part.pieces)
        length += piece.size();
    for (qsizetype i = 0; i < values.texts.size(); ++i)
        length += values.texts[i]->size() + (bracketed(i) ? 2 : 0);
    QString text(length, Qt::Uninitialized);
    QChar* out = text.data();
    const auto put = [&out](const QString& piece) {
        out = std::copy_n(piece.constData(), piece.size(), out);
    };
    put(part.pieces[0]);
    for (qsizetype i = 0; i < values.texts.size(); ++i) {
        if (bracketed(i)) {
            *out++ = QLatin1Char('(');
            put(*values.texts[i]);
            *out++ = QLatin1Char(')');
        } else {
            put(*values.texts[i]);
        }
        put(part.pieces[i + 1]);
    }
    return text;
}

} // namespace

std::optional<QString> CompiledExpression::evaluate(VariableStore& variables,
                                                    QString* translated) const {
    // First everything is looked at without a trace; only then reported, in the reference's
    // order, so that declining leaves nothing behind.
    QVarLengthArray<PartValues, 4> indexValues;
    ElementNames elementIndices;
    ElementNames elementFolded;
    QVarLengthArray<const Part*, 4> indexParts;
    bool indexFailed = false;
    for (const Element& element : m_elements) {
        QString indices; // "3" or "2,5"
        for (const Part& index : element.indices) {
            PartValues& values = indexValues.emplace_back();
            indexParts.append(&index);
            if (!peekPart(index, {}, variables, values))
                return std::nullopt;
            const std::optional<ScriptEngine::Value> value =
                index.tree.evaluate(values.numbers.data(), int(values.numbers.size()));
            if (!value) {
                indexFailed = true;
                break;
            }
            if (&index != &element.indices.front())
                indices += QLatin1Char(',');
            appendIndex(indices, *value);
        }
        if (indexFailed)
            break;
        // Index texts are digits, signs and points, which case folding leaves as they are.
        elementFolded.append(joinedName(element.prefixFolded, indices));
        elementIndices.append(indices);
    }
    if (indexFailed) {
        for (qsizetype i = 0; i < indexValues.size(); ++i)
            report(*indexParts[i], indexValues[i], m_elements, elementIndices, variables);
        if (translated)
            translated->clear();
        return TranslationSteps::error;
    }
    PartValues mainValues;
    if (!peekPart(m_main, elementFolded, variables, mainValues))
        return std::nullopt;
    // The translated text first, while the values' texts are the variables' own; reporting
    // may show a message, after which only the numbers are used.
    if (translated)
        *translated = translatedText(m_main, mainValues);
    for (qsizetype i = 0; i < indexValues.size(); ++i)
        report(*indexParts[i], indexValues[i], m_elements, elementIndices, variables);
    report(m_main, mainValues, m_elements, elementIndices, variables);

    const std::optional<ScriptEngine::Value> value =
        m_main.tree.evaluate(mainValues.numbers.data(), int(mainValues.numbers.size()));
    return value ? TranslationSteps::resultText(*value) : TranslationSteps::error;
}

#include "codegen/PseudoCodeGenerator.h"

#include "execution/NumberText.h"
#include "model/Block.h"
#include "model/ConnectionLine.h"
#include "model/Diagram.h"

#include <algorithm>
#include <vector>

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString absorbedMark = QStringLiteral("******");
const QString mergedMark = QStringLiteral("**");
constexpr int maxWalk = 40;

struct LinkRecord {
    QString sourceCaption;
    QString target;
    QString source;
    QString lineCaption;
};

double idNumber(const QString& id) {
    return NumberText::leadingNumber(QStringView(id).mid(2));
}

// 1-based Mid of the language: `length` characters from position `start`.
QString mid(const QString& text, qsizetype start, qsizetype length = -1) {
    return start < 1 ? QString() : text.mid(start - 1, length);
}

// Position (1-based) of `what` in `text`, 0 when absent.
qsizetype inStr(const QString& text, const QString& what) {
    return text.indexOf(what) + 1;
}

// Numbers the blocks from 1001 in walk order, so that sorting by id is the walk order.
void numberInWalkOrder(std::vector<LinkRecord>& records, size_t start) {
    records[start].source = QStringLiteral("id1001");
    QString current = records[start].target;
    int number = 1001;
    bool walking = true;
    // Every round names one more block; the bound only guards against ids no round can name.
    for (size_t rounds = 0; walking && rounds <= 2 * records.size() + 2; ++rounds) {
        ++number;
        const QString id = QStringLiteral("id") + QString::number(number);
        for (LinkRecord& r : records) {
            if (r.source == current)
                r.source = id;
            if (r.target == current)
                r.target = id;
        }
        walking = false;
        for (const LinkRecord& r : records) {
            if (r.source == id && idNumber(r.target) < 1000) {
                current = r.target;
                walking = true;
                break;
            }
        }
        if (walking)
            continue;
        for (const LinkRecord& r : records) {
            if (idNumber(r.source) <= 1000) {
                current = r.source;
                walking = true;
                break;
            }
        }
    }
}

} // namespace

QString PseudoCodeGenerator::REPL_(const QString& caption) {
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

int PseudoCodeGenerator::get_no_fromID(const QString& id) const {
    if (id.isEmpty())
        return 0;
    for (int i = 0; i < m_codes.size(); ++i) {
        if (m_codes[i].startsWith(id))
            return i + 1;
    }
    return 0;
}

int PseudoCodeGenerator::find_an(int count) const {
    for (int i = std::min(count, pli8os_e()); i >= 1; --i) {
        const QString& t = m_texts[i - 1];
        if (t.startsWith(QStringLiteral("ΑΝ ")) || t.contains(QStringLiteral("ΑΛΛΙΩΣ_ΑΝ ")))
            return i;
    }
    return 0;
}

QString PseudoCodeGenerator::make_else(int i, const QString& marker) {
    const qsizetype p = inStr(code(i), marker) - 6;
    if (p < 1)
        return {};
    QString t = mid(code(i), p, 6);
    int k = get_no_fromID(t);
    QString collected;
    int steps = 1;
    while (k > 0) {
        ++steps;
        if (text(k) == QStringLiteral("+"))
            break; // the branch ends at its junction
        collected += text(k) + crlf;
        const QString next = mid(code(k), 8, 6);
        code(i).replace(t, next);
        t = next;
        code(k) = absorbedMark;
        k = get_no_fromID(next);
        if (steps > maxWalk) {
            collected.clear();
            break;
        }
    }
    return collected;
}

void PseudoCodeGenerator::make_iif(int i) {
    const qsizetype an = text(i).indexOf(QStringLiteral("ΑΝ"));
    if (an >= 0)
        text(i).replace(an, 2, QStringLiteral("ΑΝ_"));
    text(i) += crlf;
    const QString yes = make_else(i, QStringLiteral("_Ν"));
    const QString no = make_else(i, QStringLiteral("_Ο"));
    text(i) += yes + crlf + QStringLiteral("Αλλιώς") + crlf + no + QStringLiteral("Τέλος_Αν");
}

int PseudoCodeGenerator::loopWalk(int i, const QString& marker, LoopKind kind) {
    int r = i;
    const qsizetype p = inStr(code(r), marker) - 6;
    QString visited = code(i).left(6);
    if (p < 1)
        return 0;
    QString next = mid(code(i), p, 6);
    QString body;
    std::vector<int> absorbed;
    int steps = 0;
    while (r > 0) {
        ++steps;
        r = get_no_fromID(next);
        if (r == 0)
            return 0;
        next = mid(code(r), 8, 6);
        body += crlf + text(r);
        absorbed.push_back(r);
        if (!next.isEmpty() && visited.contains(next)) {
            const QString l = text(i);
            const bool usual =
                marker == (kind == LoopKind::While ? QStringLiteral("_Ν") : QStringLiteral("_Ο"));
            if (kind == LoopKind::While && usual)
                text(i) = l + QStringLiteral(" ΕΠΑΝΑΛΑΒΕ") + crlf + body + crlf +
                          QStringLiteral("Τέλος_Επανάληψης");
            else if (kind == LoopKind::While)
                text(i) = QStringLiteral("Οσο Οχι(") + mid(l, 5) + QStringLiteral(") ΕΠΑΝΑΛΑΒΕ") +
                          crlf + body + crlf + QStringLiteral("Τέλος_Επανάληψης");
            else if (usual)
                text(i) = QStringLiteral("Αρχή_Επανάληψης") + crlf + body + crlf + l;
            else
                text(i) = QStringLiteral("Αρχή_Επανάληψης") + crlf + body + crlf +
                          QStringLiteral("Μέχρις_Ότου Όχι(") + mid(l, 13) + QStringLiteral(")");
            for (int entry : absorbed)
                code(entry) = absorbedMark;
            return r;
        }
        visited += next;
        if (steps > maxWalk)
            return r;
    }
    return r;
}

void PseudoCodeGenerator::mexris_otou() {
    for (int i = 1; i <= pli8os_e(); ++i) {
        if (text(i).contains(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ")) &&
            loopWalk(i, QStringLiteral("_Ο"), LoopKind::Until) == 0)
            loopWalk(i, QStringLiteral("_Ν"), LoopKind::Until);
    }
}

void PseudoCodeGenerator::OSO() {
    for (int i = 1; i <= pli8os_e(); ++i) {
        if (text(i).contains(QStringLiteral("ΟΣΟ ")) &&
            loopWalk(i, QStringLiteral("_Ν"), LoopKind::While) == 0)
            loopWalk(i, QStringLiteral("_Ο"), LoopKind::While);
    }
}

std::optional<QString> PseudoCodeGenerator::generate(const Diagram& diagram) {
    // The tables start empty: nothing of an earlier generation may leak into this one.
    m_codes.clear();
    m_texts.clear();
    std::vector<LinkRecord> records;
    for (const auto& line : diagram.the_li_co()) {
        const cBck* source = diagram.the_bl_co().Item(line->sFrom());
        records.push_back({source ? source->sCaption() : QString(), line->sTo(), line->sFrom(),
                           line->sCaption()});
    }
    std::optional<size_t> start;
    for (size_t k = 0; k < records.size(); ++k) {
        if (records[k].sourceCaption == QStringLiteral("Αρχή"))
            start = k;
    }
    if (!start)
        return std::nullopt;
    numberInWalkOrder(records, *start);
    std::stable_sort(records.begin(), records.end(),
                     [](const LinkRecord& a, const LinkRecord& b) { return a.source < b.source; });

    for (const LinkRecord& r : records) {
        m_codes << r.source + QLatin1Char('-') + r.target + QLatin1Char('_') + r.lineCaption;
        QString t = REPL_(r.sourceCaption);
        if (t.endsWith(QLatin1Char('_')))
            t.chop(1);
        m_texts << t;
    }
    // The two exits of a block share one entry.
    for (size_t i = 0; i + 1 < records.size(); ++i) {
        if (records[i].source == records[i + 1].source && m_texts[i] != QStringLiteral("+")) {
            m_codes[i] += QLatin1Char('+') + m_codes[i + 1].mid(7);
            m_codes[i + 1] = mergedMark;
            m_texts[i + 1] = mergedMark;
        }
    }
    for (qsizetype i = m_codes.size() - 1; i >= 0; --i) {
        if (m_codes[i] == mergedMark || m_texts[i] == mergedMark) {
            m_codes.removeAt(i);
            m_texts.removeAt(i);
        }
    }

    // Decisions first, the innermost (highest entry) first; then the two kinds of loop.
    for (int i = find_an(pli8os_e()), rounds = 0; i > 0 && rounds <= pli8os_e();
         i = find_an(pli8os_e()), ++rounds)
        make_iif(i);
    mexris_otou();
    OSO();

    QString assembled;
    for (int i = 1; i <= pli8os_e(); ++i) {
        if (code(i) != absorbedMark)
            assembled += text(i) + crlf;
    }
    return finish(assembled) + QStringLiteral("ΤΕΛΟΣ_ΑΛΓΟΡΙΘΜΟΥ") + crlf;
}

QString PseudoCodeGenerator::finish(const QString& assembled) {
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

#include "core/model/BlockKinds.h"

#include <iterator>
#include <vector>

namespace BlockKinds {

namespace {
const KindInfo kinds[] = {
    {start, Ellipse, 60, 20},       {end, Ellipse, 60, 20},        {assign, Rectangle, 80, 20},
    {input, Parallelogram, 95, 25}, {output, Card, 110, 30},       {decision, Diamond, 110, 50},
    {whileTest, Diamond, 110, 50},  {untilTest, Diamond, 110, 50}, {junction, SmallCircle, 10, 10},
};
} // namespace

const KindInfo* all(int* count) {
    *count = int(std::size(kinds));
    return kinds;
}

const KindInfo* find(const QString& keyword) {
    for (const KindInfo& kind : kinds) {
        if (kind.keyword == keyword)
            return &kind;
    }
    return nullptr;
}

bool isCondition(const QString& keyword) {
    return keyword == decision || keyword == whileTest || keyword == untilTest;
}

QString kindCodeTable() {
    static const QString table =
        QStringLiteral("Αρχή+1++Κάνε+2++ADD+3++ΣΥΝΔΕΣΗ+4++Γράψε+5++") +
        QStringLiteral("Τέλος+6++IF_LESS+7++IF_EQUAL+8++IF_GREATER+9++") +
        QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ..+10++ΟΣΟ..+11++ΑΝ..ΤΟΤΕ+12++") +
        QStringLiteral("ADD+13+MULTIPLY+14+SUBTRACT+15+DIVIDE+16+mod+17+"
                       "div+18+JOIN+19+") +
        QStringLiteral("COMP+20+SQL+21+Διάβασε+22+") + QStringLiteral("and+23+or+24+==+25+") +
        QStringLiteral(">+26+") + QStringLiteral(">=+27+") + QStringLiteral("<+28+") +
        QStringLiteral("<=+29+") + QStringLiteral("<>+30+") + QStringLiteral("IF_AND+31+IF_OR+32+");
    return table;
}

QString codeFieldFor(const QString& keyword) {
    if (keyword.isEmpty())
        return {};
    const QString table = kindCodeTable();
    const QString key = keyword + QLatin1Char('+');
    const qsizetype at = table.indexOf(key);
    if (at < 0)
        return {};
    return table.mid(at + key.size(), 3);
}

namespace {
QString lookUpCode(long long code) {
    const QString key = QLatin1Char('+') + (QString::number(code) + QStringLiteral("++")).left(3);
    const QString table = kindCodeTable();
    const qsizetype at = table.indexOf(key);
    if (at < 0)
        return {};
    const qsizetype previousPlus = table.lastIndexOf(QLatin1Char('+'), at - 1);
    return table.mid(previousPlus + 1, at - previousPlus - 1);
}

// The codes a file can hold for a block's kind, looked up once: every block read asks.
constexpr long long firstCode = -99;
constexpr long long lastCode = 999;
} // namespace

QString keywordForCode(long long code) {
    static const std::vector<QString> known = [] {
        std::vector<QString> made;
        for (long long c = firstCode; c <= lastCode; ++c)
            made.push_back(lookUpCode(c));
        return made;
    }();
    if (code < firstCode || code > lastCode)
        return lookUpCode(code);
    return known[size_t(code - firstCode)];
}

} // namespace BlockKinds

#include "core/codegen/FlowStructure.h"

#include "core/codegen/PseudoLines.h"
#include "core/codegen/PseudoProgram.h"
#include "core/expression/SchoolText.h"
#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/OutputList.h"

#include <QHash>
#include <algorithm>
#include <functional>
#include <set>

namespace FlowStructure {

namespace {

constexpr int none = -1;
// Deeper nesting than any pupil draws: beyond it the rest is written flat.
constexpr int maxDepth = 400;

// The blocks and lines as a graph: every block knows its exits in the order the run
// follows them.
struct Graph {
    std::vector<const cBck*> blocks;
    std::vector<int> next;    // the one exit of a statement, junction or start
    std::vector<int> yes, no; // the two exits of a test
    std::vector<std::vector<int>> predecessors;
    int start = none;

    int size() const { return int(blocks.size()); }
    QString kind(int n) const { return blocks[size_t(n)]->zaction(); }
    bool isTest(int n) const { return BlockKinds::isCondition(kind(n)); }
    bool isJunction(int n) const { return kind(n) == BlockKinds::junction; }
    bool isEnd(int n) const { return kind(n) == BlockKinds::end; }
    bool passesThrough(int n) const { return isJunction(n) || kind(n) == BlockKinds::start; }
    std::vector<int> successors(int n) const {
        if (isTest(n)) {
            std::vector<int> both;
            for (int s : {yes[size_t(n)], no[size_t(n)]})
                if (s != none)
                    both.push_back(s);
            return both;
        }
        return next[size_t(n)] == none ? std::vector<int>{} : std::vector<int>{next[size_t(n)]};
    }
    QString number(int n) const { return blocks[size_t(n)]->tagid().mid(2); }
};

Graph buildGraph(const Diagram& diagram) {
    Graph g;
    QHash<QString, int> index;
    for (const auto& block : diagram.the_bl_co()) {
        if (Bl_Co::isDeleted(*block))
            continue;
        index.insert(block->tagid(), g.size());
        g.blocks.push_back(block.get());
    }
    const size_t n = g.blocks.size();
    g.next.assign(n, none);
    g.yes.assign(n, none);
    g.no.assign(n, none);
    g.predecessors.assign(n, {});
    for (const auto& line : diagram.the_li_co()) {
        const int from = index.value(line->sFrom(), none);
        const int to = index.value(line->sTo(), none);
        if (from == none || to == none)
            continue;
        const QString caption = line->sCaption();
        if (g.next[size_t(from)] == none)
            g.next[size_t(from)] = to;
        if (g.yes[size_t(from)] == none &&
            caption.compare(QStringLiteral("Ν"), Qt::CaseInsensitive) == 0)
            g.yes[size_t(from)] = to;
        if (g.no[size_t(from)] == none &&
            caption.compare(QStringLiteral("Ο"), Qt::CaseInsensitive) == 0)
            g.no[size_t(from)] = to;
        // The program starts where the last line that leaves a start block starts.
        if (g.kind(from) == BlockKinds::start)
            g.start = from;
    }
    for (int b = 0; b < g.size(); ++b)
        for (int s : g.successors(b))
            g.predecessors[size_t(s)].push_back(b);
    return g;
}

// Immediate post-dominators: where the two branches of a test meet again. Computed on the
// reversed graph from a virtual exit that every end block and dead end leads to.
std::vector<int> postDominators(const Graph& g) {
    const int exit = g.size();
    std::vector<std::vector<int>> reversedSuccessors(size_t(g.size()) + 1);
    for (int b = 0; b < g.size(); ++b) {
        const std::vector<int> out = g.successors(b);
        if (out.empty())
            reversedSuccessors[size_t(exit)].push_back(b);
        for (int s : out)
            reversedSuccessors[size_t(s)].push_back(b);
    }
    // Post-order of the reversed graph from the exit, without recursion.
    std::vector<int> order, position(size_t(g.size()) + 1, -1);
    std::vector<char> seen(size_t(g.size()) + 1, 0);
    std::vector<std::pair<int, size_t>> stack{{exit, 0}};
    seen[size_t(exit)] = 1;
    while (!stack.empty()) {
        auto& [node, child] = stack.back();
        const auto& outs = reversedSuccessors[size_t(node)];
        if (child < outs.size()) {
            const int s = outs[child++];
            if (!seen[size_t(s)]) {
                seen[size_t(s)] = 1;
                stack.push_back({s, 0});
            }
        } else {
            position[size_t(node)] = int(order.size());
            order.push_back(node);
            stack.pop_back();
        }
    }
    std::vector<int> ipdom(size_t(g.size()) + 1, none);
    ipdom[size_t(exit)] = exit;
    auto intersect = [&](int a, int b) {
        while (a != b) {
            while (position[size_t(a)] < position[size_t(b)])
                a = ipdom[size_t(a)];
            while (position[size_t(b)] < position[size_t(a)])
                b = ipdom[size_t(b)];
        }
        return a;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (auto it = order.rbegin(); it != order.rend(); ++it) {
            const int b = *it;
            if (b == exit)
                continue;
            int found = none;
            const std::vector<int> out = g.successors(b);
            const std::vector<int> targets = out.empty() ? std::vector<int>{exit} : out;
            for (int s : targets) {
                if (ipdom[size_t(s)] == none)
                    continue;
                found = found == none ? s : intersect(s, found);
            }
            if (found != none && ipdom[size_t(b)] != found) {
                ipdom[size_t(b)] = found;
                changed = true;
            }
        }
    }
    for (int& d : ipdom)
        if (d == exit)
            d = none;
    ipdom.pop_back();
    return ipdom;
}

// Loop headers (targets of back edges found by a depth-first walk from the start) and the
// blocks of each loop: those that reach a back edge without passing the header.
struct Loops {
    std::vector<std::set<int>> members; // by header; empty when the block heads no loop
};

Loops findLoops(const Graph& g) {
    Loops loops;
    loops.members.assign(size_t(g.size()), {});
    std::vector<char> state(size_t(g.size()), 0); // 0 new, 1 on the walk, 2 done
    std::vector<std::pair<int, int>> backEdges;
    std::vector<std::pair<int, size_t>> stack{{g.start, 0}};
    state[size_t(g.start)] = 1;
    while (!stack.empty()) {
        auto& [node, child] = stack.back();
        const std::vector<int> out = g.successors(node);
        if (child < out.size()) {
            const int s = out[child++];
            if (state[size_t(s)] == 1)
                backEdges.push_back({node, s});
            else if (state[size_t(s)] == 0) {
                state[size_t(s)] = 1;
                stack.push_back({s, 0});
            }
        } else {
            state[size_t(node)] = 2;
            stack.pop_back();
        }
    }
    for (const auto& [source, header] : backEdges) {
        std::set<int>& loop = loops.members[size_t(header)];
        loop.insert(header);
        std::vector<int> work{source};
        while (!work.empty()) {
            const int b = work.back();
            work.pop_back();
            if (!loop.insert(b).second)
                continue;
            for (int p : g.predecessors[size_t(b)])
                if (state[size_t(p)] != 0) // reachable from the start
                    work.push_back(p);
        }
    }
    return loops;
}

QString stripped(QString text, const QStringList& prefixes, const QStringList& suffixes) {
    for (const QString& prefix : prefixes)
        if (text.startsWith(prefix)) {
            text = text.mid(prefix.size());
            break;
        }
    for (const QString& suffix : suffixes)
        if (text.endsWith(suffix)) {
            text.chop(suffix.size());
            break;
        }
    return text;
}

class Reader {
public:
    Reader(const Graph& g, Messages messages)
        : m_g(g), m_ipdom(postDominators(g)), m_loops(findLoops(g)), m_messages(messages) {}

    std::vector<Node> program() {
        Context outer;
        return sequence(m_g.start, outer);
    }

private:
    struct Context {
        std::set<int> stops;                 // where this sequence ends
        const std::set<int>* loop = nullptr; // blocks of the innermost loop being read
        int depth = 0;
    };

    static Node comment(const QString& text) {
        Node node;
        node.kind = Node::Kind::Comment;
        node.text = text;
        return node;
    }

    Node breaks(int block, const QString& why) const {
        return comment(QStringLiteral("! Η εντολή ") + m_g.number(block) +
                       QStringLiteral(" σπάει τη δομή του διαγράμματος: ") + why);
    }

    // A line in the program's letters; messages as typed when they are asked for so.
    QString finished(const QString& line) const {
        return m_messages == Messages::Capitals ? PseudoLines::finishLine(line)
                                                : PseudoLines::finishOutsideQuotes(line);
    }

    QString lineOf(int b) const {
        const cBck* block = m_g.blocks[size_t(b)];
        // An output's items as typed (its caption quotes them for display only), each
        // expression as the school book reads what the run computes.
        if (block->zaction() == BlockKinds::output) {
            QStringList items;
            for (QString item : OutputList::items(block->zParam1(), block->zParam2())) {
                item.remove(QLatin1Char(';'));
                items << (OutputList::isMessage(item) ? item.trimmed()
                                                      : SchoolText::expression(item.trimmed()));
            }
            QString line = finished(QStringLiteral("Γράψε ") + items.join(QLatin1Char(',')));
            if (block->sCaption().endsWith(QLatin1Char(';')))
                line += QLatin1Char(' ') + PseudoProgram::continuesLineComment();
            return line;
        }
        if (block->zaction() == BlockKinds::assign && !block->zParam2().isEmpty())
            return finished(block->zParam1() + QStringLiteral(" <-- ") +
                            SchoolText::expression(block->zParam2()));
        QString line = PseudoLines::REPL_(block->sCaption());
        if (line.endsWith(QLatin1Char('_')))
            line.chop(1);
        return finished(line);
    }

    QString conditionOf(int b) const {
        const cBck* block = m_g.blocks[size_t(b)];
        // What the run tests, as the school book reads it.
        if (!block->zParam2().trimmed().isEmpty())
            return finished(SchoolText::expression(block->zParam2()));
        QString text = PseudoLines::REPL_(block->sCaption());
        text = stripped(
            text, {QStringLiteral("ΑΝ "), QStringLiteral("ΟΣΟ "), QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ ")},
            {QStringLiteral(" ΤΟΤΕ"), QStringLiteral("_")});
        if (text.trimmed().isEmpty())
            text = block->zParam2();
        return finished(text);
    }

    // Junctions and start blocks lead on without a statement of their own.
    int skipJunctions(int b, const std::set<int>& stops) const {
        int guard = 0;
        while (b != none && !stops.count(b) && m_g.passesThrough(b) && guard++ <= m_g.size())
            b = m_g.next[size_t(b)];
        return b;
    }

    std::vector<Node> sequence(int b, const Context& context) {
        std::vector<Node> nodes;
        while (b != none && !context.stops.count(b) && !m_g.isEnd(b)) {
            if (context.loop && !context.loop->count(b)) {
                nodes.push_back(breaks(b, QStringLiteral("ένας βρόχος έχει δεύτερη έξοδο")));
                break;
            }
            if (context.depth > maxDepth) {
                nodes.push_back(breaks(b, QStringLiteral("πολύ βαθιά φωλιασμένες δομές")));
                break;
            }
            if (!m_loops.members[size_t(b)].empty() && !m_opened.count(b)) {
                b = loop(b, context, nodes);
                continue;
            }
            if (m_done.count(b)) {
                nodes.push_back(breaks(b, QStringLiteral("η ροή μπαίνει στη μέση άλλης δομής")));
                break;
            }
            m_done.insert(b);
            if (m_g.passesThrough(b)) {
                b = m_g.next[size_t(b)];
            } else if (m_g.isTest(b)) {
                b = decision(b, context, nodes);
            } else {
                const QString line = lineOf(b);
                if (!line.trimmed().isEmpty())
                    nodes.push_back({Node::Kind::Line, line, false, {}, {}});
                b = m_g.next[size_t(b)];
            }
        }
        return nodes;
    }

    Context inner(const Context& context, std::set<int> stops, const std::set<int>* loop) const {
        Context c;
        c.stops = std::move(stops);
        c.loop = loop;
        c.depth = context.depth + 1;
        return c;
    }

    // A decision; gives the block where its branches meet.
    int decision(int b, const Context& context, std::vector<Node>& nodes) {
        const int join = m_ipdom[size_t(b)];
        std::set<int> stops = context.stops;
        if (join != none)
            stops.insert(join);
        Node node;
        node.kind = Node::Kind::If;
        node.text = conditionOf(b);
        node.body = sequence(m_g.yes[size_t(b)], inner(context, stops, context.loop));
        node.otherwise = sequence(m_g.no[size_t(b)], inner(context, stops, context.loop));
        nodes.push_back(std::move(node));
        if (m_g.yes[size_t(b)] == none || m_g.no[size_t(b)] == none)
            nodes.push_back(breaks(b, QStringLiteral("λείπει η έξοδος «Ν» ή «Ο»")));
        return join;
    }

    // The loop headed by `header`; gives the block after it.
    int loop(int header, const Context& context, std::vector<Node>& nodes) {
        m_opened.insert(header);
        const std::set<int>& members = m_loops.members[size_t(header)];
        std::vector<std::pair<int, int>> exits; // (test, block outside)
        for (int b : members)
            for (int s : m_g.successors(b))
                if (!members.count(s))
                    exits.push_back({b, s});
        const int test =
            exits.size() == 1 && m_g.isTest(exits.front().first) ? exits.front().first : none;
        if (test == none) {
            // An endless loop or one with several exits: written as it comes, with a warning.
            nodes.push_back(breaks(header, exits.empty()
                                               ? QStringLiteral("ο βρόχος δεν τελειώνει ποτέ")
                                               : QStringLiteral("ο βρόχος έχει πολλές εξόδους")));
            return header;
        }
        const int outside = exits.front().second;
        const bool leavesOnYes = m_g.yes[size_t(test)] == outside;
        const int inside = leavesOnYes ? m_g.no[size_t(test)] : m_g.yes[size_t(test)];
        Node node;
        node.text = conditionOf(test);
        if (skipJunctions(header, {test}) == test) {
            // The test comes first: a while loop, its body on the exit that stays inside.
            m_done.insert(test);
            for (int b = header; b != test; b = m_g.next[size_t(b)])
                m_done.insert(b);
            node.kind = Node::Kind::While;
            node.negated = leavesOnYes;
            node.body = sequence(inside, inner(context, {header}, &members));
        } else if (skipJunctions(inside, {header}) == header) {
            // The test comes last and leads back: a repeat-until loop.
            m_done.insert(test);
            for (int b = inside; b != header; b = m_g.next[size_t(b)])
                m_done.insert(b);
            node.kind = Node::Kind::Until;
            node.negated = !leavesOnYes;
            node.body = sequence(header, inner(context, {test}, &members));
        } else {
            nodes.push_back(breaks(test, entersInTheMiddle(members, test)
                                             ? QStringLiteral("η ροή μπαίνει στον βρόχο από τη "
                                                              "μέση του, όχι από την αρχή του")
                                             : QStringLiteral("ο βρόχος βγαίνει από τη μέση του")));
            return header;
        }
        nodes.push_back(std::move(node));
        return outside;
    }

    // A loop drawn with its test first (a junction leads to the test) but entered elsewhere:
    // the flow jumps into it, rather than leaving it from the middle.
    bool entersInTheMiddle(const std::set<int>& members, int test) const {
        for (int b : members) {
            if (m_g.isJunction(b) && skipJunctions(b, {test}) == test)
                return true;
        }
        return false;
    }

    const Graph& m_g;
    std::vector<int> m_ipdom;
    Loops m_loops;
    std::set<int> m_opened; // loop headers already read
    std::set<int> m_done;   // blocks already written
    Messages m_messages;
};

} // namespace

std::optional<std::vector<Node>> read(const Diagram& diagram, Messages messages) {
    const Graph g = buildGraph(diagram);
    if (g.start == none)
        return std::nullopt;
    return Reader(g, messages).program();
}

} // namespace FlowStructure

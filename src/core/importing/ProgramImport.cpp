#include "core/importing/ProgramImport.h"

#include "core/files/DiagramFile.h"
#include "core/importing/ProgramReader.h"
#include "core/model/DiagramBuilder.h"

#include <algorithm>

namespace ProgramImport {

namespace {

using ProgramReader::Step;

constexpr double gap = 30;       // between blocks one below the other
constexpr double aside = 40;     // between a column and what runs beside it
constexpr double margin = 30;    // left of the whole flowchart
constexpr double topMargin = 80; // above it: the command toolbar floats over the canvas there

struct TooManyBlocks {};

// A piece of the flowchart and the blocks it lays out.
struct Node {
    enum class Kind { Block, Sequence, If, While, Until };
    Kind kind = Kind::Block;
    cBck* block = nullptr;     // Block: the block; If, While, Until: the test
    std::vector<Node> parts;   // Sequence: its nodes; If: yes, no; While, Until: the body
    std::vector<cBck*> joints; // the junctions that route the lines, in a fixed order
    QString exitCaption;       // Until: the line that leaves the loop

    cBck* entry() const {
        switch (kind) {
        case Kind::Sequence:
            return parts.empty() ? nullptr : parts.front().entry();
        case Kind::While:
        case Kind::Until:
            return joints[0];
        default:
            return block;
        }
    }
    cBck* exit() const {
        switch (kind) {
        case Kind::Sequence:
            return parts.empty() ? nullptr : parts.back().exit();
        case Kind::If:
            return joints[4];
        case Kind::While:
            return joints[6];
        default:
            return block;
        }
    }
    QString leaving() const {
        if (kind == Kind::Sequence)
            return parts.empty() ? QString() : parts.back().leaving();
        return exitCaption;
    }
};

struct Extent {
    double left = 0, right = 0, height = 0;
};

double blockWidth(const cBck* b) {
    return b->shapeWidth();
}
double blockHeight(const cBck* b) {
    return b->shapeHeight();
}

class Builder {
public:
    explicit Builder(Diagram& diagram) : m_builder(diagram) {}

    Node program(const std::vector<Step>& steps) {
        Node whole = sequence(steps);
        const Node start = blockNode(add(BlockKinds::start));
        const Node end = blockNode(add(BlockKinds::end));
        link(start.block, whole.entry());
        link(whole.exit(), end.block, whole.leaving());
        whole.parts.insert(whole.parts.begin(), start);
        whole.parts.push_back(end);
        return whole;
    }

private:
    cBck* add(const QString& kind, const QString& p1 = {}, const QString& p2 = {}) {
        cBck* b = m_builder.add(kind, 0, 0, p1, p2);
        if (!b)
            throw TooManyBlocks{};
        return b;
    }
    void link(const cBck* from, const cBck* to, const QString& caption = {}) {
        m_builder.link(from->tagid(), to->tagid(), caption);
    }
    static Node blockNode(cBck* b) {
        Node n;
        n.block = b;
        return n;
    }

    // A sequence's nodes, each leading to the next.
    Node sequence(const std::vector<Step>& steps) {
        Node n;
        n.kind = Node::Kind::Sequence;
        for (const Step& s : steps)
            n.parts.push_back(node(s));
        linkSequence(n);
        return n;
    }
    void linkSequence(const Node& n) {
        for (size_t i = 1; i < n.parts.size(); ++i)
            link(n.parts[i - 1].exit(), n.parts[i].entry(), n.parts[i - 1].leaving());
    }
    // `from` leads into `body`, which leads to `to`; an empty body leads straight on.
    void through(cBck* from, const Node& body, cBck* to, const QString& caption = {}) {
        if (body.parts.empty()) {
            link(from, to, caption);
            return;
        }
        link(from, body.entry(), caption);
        link(body.exit(), to, body.leaving());
    }

    std::vector<cBck*> junctions(int count) {
        std::vector<cBck*> joints;
        for (int i = 0; i < count; ++i)
            joints.push_back(add(BlockKinds::junction));
        return joints;
    }

    Node node(const Step& s) {
        switch (s.kind) {
        case Step::Kind::Assign:
            return blockNode(add(BlockKinds::assign, s.target, s.text));
        case Step::Kind::Input:
            return blockNode(add(BlockKinds::input, s.prompt, s.target));
        case Step::Kind::Output:
            return blockNode(add(BlockKinds::output, s.text));
        case Step::Kind::If:
            return decision(s);
        case Step::Kind::While:
            return whileLoop(s);
        case Step::Kind::Until:
            return untilLoop(s);
        }
        return {};
    }

    // joints: the top of the yes column, its bottom, the same of the no column, the meeting.
    Node decision(const Step& s) {
        Node n;
        n.kind = Node::Kind::If;
        n.block = add(BlockKinds::decision, "ΑΝ_" + s.text + "_ΤΟΤΕ", s.text);
        n.parts.push_back(sequence(s.body));
        n.parts.push_back(sequence(s.otherwise));
        n.joints = junctions(5);
        link(n.block, n.joints[0], QStringLiteral("Ν"));
        link(n.block, n.joints[2], QStringLiteral("Ο"));
        through(n.joints[0], n.parts[0], n.joints[1]);
        through(n.joints[2], n.parts[1], n.joints[3]);
        link(n.joints[1], n.joints[4]);
        link(n.joints[3], n.joints[4]);
        return n;
    }

    // joints: the entry, the end of the body, the back line's two corners on the left, the
    // exit's two corners on the right, the exit.
    Node whileLoop(const Step& s) {
        Node n;
        n.kind = Node::Kind::While;
        n.block = add(BlockKinds::whileTest, "ΟΣΟ_" + s.text + "_", s.text);
        n.parts.push_back(sequence(s.body));
        n.joints = junctions(7);
        const QString stay = s.negated ? QStringLiteral("Ο") : QStringLiteral("Ν");
        const QString leave = s.negated ? QStringLiteral("Ν") : QStringLiteral("Ο");
        link(n.joints[0], n.block);
        through(n.block, n.parts[0], n.joints[1], stay);
        link(n.joints[1], n.joints[2]);
        link(n.joints[2], n.joints[3]);
        link(n.joints[3], n.joints[0]);
        link(n.block, n.joints[4], leave);
        link(n.joints[4], n.joints[5]);
        link(n.joints[5], n.joints[6]);
        return n;
    }

    // joints: the entry, the back line's two corners on the left.
    Node untilLoop(const Step& s) {
        Node n;
        n.kind = Node::Kind::Until;
        n.block = add(BlockKinds::untilTest, "ΜΕΧΡΙΣ_ΟΤΟΥ_" + s.text + "_", s.text);
        n.parts.push_back(sequence(s.body));
        n.joints = junctions(3);
        n.exitCaption = s.negated ? QStringLiteral("Ο") : QStringLiteral("Ν");
        through(n.joints[0], n.parts[0], n.block);
        link(n.block, n.joints[1], s.negated ? QStringLiteral("Ν") : QStringLiteral("Ο"));
        link(n.joints[1], n.joints[2]);
        link(n.joints[2], n.joints[0]);
        return n;
    }

    DiagramBuilder m_builder;
};

// --- Layout ------------------------------------------------------------------------------

class Layout {
public:
    Extent measure(const Node& n) const {
        switch (n.kind) {
        case Node::Kind::Block:
            return {blockWidth(n.block) / 2, blockWidth(n.block) / 2, blockHeight(n.block)};
        case Node::Kind::Sequence: {
            Extent e;
            for (const Node& part : n.parts) {
                const Extent p = measure(part);
                e.left = std::max(e.left, p.left);
                e.right = std::max(e.right, p.right);
                e.height += p.height;
            }
            if (n.parts.size() > 1)
                e.height += gap * double(n.parts.size() - 1);
            return e;
        }
        case Node::Kind::If:
            return ifShape(n).extent;
        case Node::Kind::While:
            return whileShape(n).extent;
        case Node::Kind::Until:
            return untilShape(n).extent;
        }
        return {};
    }

    // Puts the node's column centre at `x` and its top at `top`.
    void place(const Node& n, double x, double top) const {
        switch (n.kind) {
        case Node::Kind::Block:
            put(n.block, x, top);
            return;
        case Node::Kind::Sequence:
            for (const Node& part : n.parts) {
                place(part, x, top);
                top += measure(part).height + gap;
            }
            return;
        case Node::Kind::If:
            placeIf(n, x, top);
            return;
        case Node::Kind::While:
            placeWhile(n, x, top);
            return;
        case Node::Kind::Until:
            placeUntil(n, x, top);
            return;
        }
    }

private:
    static void put(cBck* b, double x, double top) {
        b->setShapeLeft(x - blockWidth(b) / 2);
        b->setShapeTop(top);
    }
    // A junction by its centre.
    static void putCentre(cBck* b, double x, double y) { put(b, x, y - blockHeight(b) / 2); }
    static double joint(const Node& n) { return blockHeight(n.joints[0]); }
    static double tail(const Extent& body) { return body.height > 0 ? body.height + gap : 0; }
    // Half a test's width, and more: a long condition is written past its diamond's corners,
    // and the lines that leave them must start clear of it.
    static double testHalf(const cBck* test) { return blockWidth(test) * 0.65; }

    struct IfShape {
        Extent extent, yes, no;
        double yesX, noX, columns;
    };
    IfShape ifShape(const Node& n) const {
        IfShape s;
        s.yes = measure(n.parts[0]);
        s.no = measure(n.parts[1]);
        const double half = testHalf(n.block);
        s.yesX = std::max(half + aside, s.yes.right + aside / 2);
        s.noX = std::max(half + aside, s.no.left + aside / 2);
        s.columns = std::max(s.yes.height, s.no.height);
        const double j = joint(n);
        s.extent.left = std::max(half, s.yesX + std::max(s.yes.left, j / 2));
        s.extent.right = std::max(half, s.noX + std::max(s.no.right, j / 2));
        s.extent.height = blockHeight(n.block) + gap + (s.columns > 0 ? s.columns + gap : 0) + j;
        return s;
    }
    void placeIf(const Node& n, double x, double top) const {
        const IfShape s = ifShape(n);
        put(n.block, x, top);
        const double level = top + blockHeight(n.block) / 2;
        const double columnTop = top + blockHeight(n.block) + gap;
        const double meeting = columnTop + (s.columns > 0 ? s.columns + gap : 0) + joint(n) / 2;
        putCentre(n.joints[0], x - s.yesX, level);
        putCentre(n.joints[2], x + s.noX, level);
        place(n.parts[0], x - s.yesX, columnTop);
        place(n.parts[1], x + s.noX, columnTop);
        putCentre(n.joints[1], x - s.yesX, meeting);
        putCentre(n.joints[3], x + s.noX, meeting);
        putCentre(n.joints[4], x, meeting);
    }

    struct LoopShape {
        Extent extent, body;
        double left, right;
    };
    LoopShape whileShape(const Node& n) const {
        LoopShape s;
        s.body = measure(n.parts[0]);
        const double half = testHalf(n.block);
        const double j = joint(n);
        s.left = std::max(half, s.body.left) + aside;
        s.right = std::max(half, s.body.right) + aside;
        s.extent.left = s.left + j / 2;
        s.extent.right = s.right + j / 2;
        s.extent.height = j + gap + blockHeight(n.block) + gap + tail(s.body) + j + gap + j;
        return s;
    }
    void placeWhile(const Node& n, double x, double top) const {
        const LoopShape s = whileShape(n);
        const double j = joint(n);
        const double testTop = top + j + gap;
        putCentre(n.joints[0], x, top + j / 2);
        put(n.block, x, testTop);
        const double bodyTop = testTop + blockHeight(n.block) + gap;
        place(n.parts[0], x, bodyTop);
        const double back = bodyTop + tail(s.body) + j / 2;
        const double out = back + j + gap;
        putCentre(n.joints[1], x, back);
        putCentre(n.joints[2], x - s.left, back);
        putCentre(n.joints[3], x - s.left, top + j / 2);
        putCentre(n.joints[4], x + s.right, testTop + blockHeight(n.block) / 2);
        putCentre(n.joints[5], x + s.right, out);
        putCentre(n.joints[6], x, out);
    }

    LoopShape untilShape(const Node& n) const {
        LoopShape s;
        s.body = measure(n.parts[0]);
        const double half = testHalf(n.block);
        const double j = joint(n);
        s.left = std::max(half, s.body.left) + aside;
        s.extent.left = s.left + j / 2;
        s.extent.right = std::max(half, s.body.right);
        s.extent.height = j + gap + tail(s.body) + blockHeight(n.block);
        return s;
    }
    void placeUntil(const Node& n, double x, double top) const {
        const LoopShape s = untilShape(n);
        const double j = joint(n);
        putCentre(n.joints[0], x, top + j / 2);
        const double bodyTop = top + j + gap;
        place(n.parts[0], x, bodyTop);
        const double testTop = bodyTop + tail(s.body);
        put(n.block, x, testTop);
        putCentre(n.joints[1], x - s.left, testTop + blockHeight(n.block) / 2);
        putCentre(n.joints[2], x - s.left, top + j / 2);
    }
};

} // namespace

Result import(const QString& text, Diagram& diagram) {
    const ProgramReader::Read read = ProgramReader::read(text);
    if (!read.errors.isEmpty())
        return {false, read.errors};
    if (read.steps.empty())
        return {false, {QStringLiteral("Το κείμενο δεν έχει καμία εντολή.")}};
    try {
        const Node program = Builder(diagram).program(read.steps);
        // The blocks take the size of their captions before they are laid out.
        DiagramFile::fitBlocks(diagram);
        const Layout layout;
        const Extent whole = layout.measure(program);
        layout.place(program, margin + whole.left, topMargin);
        diagram.the_li_co().updateAllLines();
    } catch (const TooManyBlocks&) {
        diagram.clear();
        return {false, {QStringLiteral("Το πρόγραμμα είναι πολύ μεγάλο για ένα διάγραμμα.")}};
    }
    return {true, {}};
}

} // namespace ProgramImport

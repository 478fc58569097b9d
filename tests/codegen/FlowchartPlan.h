#pragma once

#include "TestDiagram.h"
#include "core/model/DiagramBuilder.h"

#include <vector>

// Structured flowcharts written as statements, drawn block by block as a pupil would: every
// decision and loop meets its flows again in a junction.
struct Plan {
    enum class Kind { Assign, Read, Write, If, While, Until };
    Kind kind = Kind::Assign;
    // Assign: variable, expression; Read: variable; Write: expression, message; tests: condition
    QString a, b;
    std::vector<Plan> body, other;
    bool negated = false; // a while with its body on "Ο", a repeat-until leaving on "Ο"
    bool sameLine = false;

    static Plan make(Kind kind, const QString& a, const QString& b = {},
                     std::vector<Plan> body = {}, std::vector<Plan> other = {}) {
        Plan s;
        s.kind = kind;
        s.a = a;
        s.b = b;
        s.body = std::move(body);
        s.other = std::move(other);
        return s;
    }
    static Plan assign(const QString& v, const QString& e) { return make(Kind::Assign, v, e); }
    static Plan read(const QString& v) { return make(Kind::Read, v); }
    static Plan write(const QString& expression, const QString& message = {},
                      bool sameLine = false) {
        Plan s = make(Kind::Write, expression, message);
        s.sameLine = sameLine;
        return s;
    }
    static Plan decision(const QString& c, std::vector<Plan> yes, std::vector<Plan> no = {}) {
        return make(Kind::If, c, {}, std::move(yes), std::move(no));
    }
    static Plan whileLoop(const QString& c, std::vector<Plan> body, bool negated = false) {
        Plan s = make(Kind::While, c, {}, std::move(body));
        s.negated = negated;
        return s;
    }
    static Plan until(const QString& c, std::vector<Plan> body, bool negated = false) {
        Plan s = make(Kind::Until, c, {}, std::move(body));
        s.negated = negated;
        return s;
    }
};

class PlanDrawer {
public:
    explicit PlanDrawer(Diagram& diagram) : b(diagram) {}

    void draw(const std::vector<Plan>& program) {
        const QString start = b.start();
        const QString end = b.end();
        b.link(start, sequence(program, end));
    }

private:
    // Draws the statements so that the last leads to `next`; gives the first block.
    QString sequence(const std::vector<Plan>& list, const QString& next) {
        QString entry = next;
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            entry = statement(*it, entry);
        return entry;
    }

    QString statement(const Plan& s, const QString& next) {
        switch (s.kind) {
        case Plan::Kind::Assign:
            return chained(b.assign(s.a, s.b), next);
        case Plan::Kind::Read:
            return chained(b.read(s.a), next);
        case Plan::Kind::Write: {
            const QString end = s.sameLine ? QStringLiteral(";") : QString();
            const QString block = s.b.isEmpty() ? b.write(s.a + end) : b.write(s.b, s.a + end);
            return chained(block, next);
        }
        case Plan::Kind::If: {
            const QString test = b.decision(s.a);
            const QString join = chained(b.junction(), next);
            b.link(test, sequence(s.body, join), "Ν");
            b.link(test, sequence(s.other, join), "Ο");
            return test;
        }
        case Plan::Kind::While: {
            const QString entry = b.junction();
            const QString test = b.whileTest(s.a);
            b.link(entry, test);
            b.link(test, sequence(s.body, entry), s.negated ? "Ο" : "Ν");
            b.link(test, next, s.negated ? "Ν" : "Ο");
            return entry;
        }
        case Plan::Kind::Until: {
            const QString entry = b.junction();
            const QString test = b.block(BlockKinds::untilTest, "ΜΕΧΡΙΣ_ΟΤΟΥ_" + s.a + "_", s.a);
            b.link(entry, sequence(s.body, test));
            b.link(test, entry, s.negated ? "Ν" : "Ο");
            b.link(test, next, s.negated ? "Ο" : "Ν");
            return entry;
        }
        }
        return next;
    }

    QString chained(const QString& block, const QString& next) {
        b.link(block, next);
        return block;
    }

    DiagramBuilder b;
};

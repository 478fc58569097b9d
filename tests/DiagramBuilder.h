#pragma once

#include "TestDiagram.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"

// Builds small flowcharts for tests: blocks below each other, joined in order.
class DiagramBuilder {
public:
    explicit DiagramBuilder(Diagram& diagram) : m_diagram(diagram) {}

    QString block(const QString& kind, const QString& p1 = {}, const QString& p2 = {}) {
        Bl_Co& blocks = m_diagram.the_bl_co();
        const BlockKinds::KindInfo* info = BlockKinds::find(kind);
        cBck* b = blocks.AddShape(info ? info->outline : 0, blocks.getFreeTagID(), 100,
                                  20 + 60 * blocks.Count());
        b->setShapeWidth(info ? info->width : 80);
        b->setShapeHeight(info ? info->height : 20);
        b->setZaction(kind);
        b->setZParam1(p1);
        b->setZParam2(p2);
        b->setCaptionToAction();
        return b->tagid();
    }
    QString start() { return block(BlockKinds::start); }
    QString end() { return block(BlockKinds::end); }
    QString assign(const QString& var, const QString& expr) {
        return block(BlockKinds::assign, var, expr);
    }
    QString read(const QString& var) { return block(BlockKinds::input, {}, var); }
    QString write(const QString& first, const QString& rest = {}) {
        return block(BlockKinds::output, first, rest);
    }
    QString decision(const QString& c) {
        return block(BlockKinds::decision, "ΑΝ_" + c + "_ΤΟΤΕ", c);
    }
    QString whileTest(const QString& c) {
        return block(BlockKinds::whileTest, "ΟΣΟ_" + c + "_", c);
    }
    QString junction() { return block(BlockKinds::junction); }
    cLn* link(const QString& from, const QString& to, const QString& caption = {}) {
        return m_diagram.the_li_co().Add_LINE(from, to, caption);
    }
    void chain(const QStringList& tags) {
        for (int i = 1; i < tags.size(); ++i)
            link(tags[i - 1], tags[i]);
    }
    cBck* get(const QString& tag) { return m_diagram.the_bl_co().Item(tag); }

private:
    Diagram& m_diagram;
};

#pragma once

#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/BlockKinds.h"
#include "core/model/ConnectionLine.h"
#include "core/model/Diagram.h"
#include "core/model/LineCollection.h"

#include <QStringList>

// Builds flowcharts in code, for the tests, the example diagrams and the benchmarks: a
// block gets the next free tag, the size the toolbar gives its kind and its caption; by
// default the blocks go below each other.
class DiagramBuilder {
public:
    explicit DiagramBuilder(Diagram& diagram) : m_diagram(diagram) {}

    // A block of `kind` at (left, top) with its command texts; nullptr when the collection
    // refuses more blocks.
    cBck* add(const QString& kind, double left, double top, const QString& p1 = {},
              const QString& p2 = {}) {
        Bl_Co& blocks = m_diagram.the_bl_co();
        const BlockKinds::KindInfo* info = BlockKinds::find(kind);
        cBck* b = blocks.AddShape(info ? info->outline : 0, blocks.getFreeTagID(), left, top);
        if (!b)
            return nullptr;
        b->setShapeWidth(info ? info->width : 80);
        b->setShapeHeight(info ? info->height : 20);
        b->setZaction(kind);
        b->setZParam1(p1);
        b->setZParam2(p2);
        b->setCaptionToAction();
        return b;
    }
    // A block below the last one; its tag.
    QString block(const QString& kind, const QString& p1 = {}, const QString& p2 = {}) {
        return add(kind, 100, 20 + 60 * m_diagram.the_bl_co().Count(), p1, p2)->tagid();
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

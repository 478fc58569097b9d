#include "core/model/LineCollection.h"

#include "core/model/ConnectionLine.h"
#include "core/model/DiagramBase.h"
#include "core/model/LineControls.h"
#include "core/model/MessageSink.h"

#include <algorithm>

Li_Co::Li_Co(DiagramBase& diagram) : m_diagram(diagram) {}
Li_Co::~Li_Co() = default;

void Li_Co::A_C_ToLine(const QString& sFrom, const QString& sTo, const QString& sCaption) {
    for (const auto& line : m_lines) {
        const bool forward = line->sFrom() == sFrom && line->sTo() == sTo;
        const bool backward = line->sFrom() == sTo && line->sTo() == sFrom;
        if (forward || backward) {
            line->setSCaption(sCaption);
            line->centreLabel();
        }
    }
}

cLn* Li_Co::Add_LINE(const QString& sFrom, const QString& sTo, const QString& sCaption,
                     Routing routing) {
    if (sFrom.isEmpty() || sTo.isEmpty()) {
        m_diagram.messages().showMessage(QStringLiteral("Cannot make a link!!!!"));
        return nullptr;
    }
    LineControls* controls = m_diagram.createLineControls();
    if (!controls)
        return nullptr;
    auto line = std::make_unique<cLn>(m_diagram);
    line->setSFrom(sFrom);
    line->setSTo(sTo);
    line->setT_Object_Line(controls);

    controls->setLabelVisible(false);
    line->setSCaption(sCaption);
    if (routing == Routing::Now)
        line->updateLine();
    controls->setLabelVisible(!sCaption.isEmpty());
    controls->setSegmentVisible(true);
    controls->bringLabelToFront();

    m_lines.push_back(std::move(line));
    touch();
    return m_lines.back().get();
}

cLn* Li_Co::Item(int position) const {
    if (position < 1 || position > Count())
        return nullptr;
    return m_lines[size_t(position - 1)].get();
}

void Li_Co::Remove(int position) {
    if (position < 1 || position > Count())
        return;
    touch();
    m_lines.erase(m_lines.begin() + (position - 1));
}

void Li_Co::del_Line() {
    for (int i = Count(); i >= 1; --i) {
        cLn* line = Item(i);
        if (!line->sFrom().isEmpty() || !line->sTo().isEmpty())
            continue;
        if (LineControls* controls = line->t_Object_Line()) {
            controls->setSegmentVisible(false);
            controls->setHeadVisible(false);
            controls->setLabelVisible(false);
        }
        Remove(i);
    }
}

void Li_Co::updateAllLines() {
    for (const auto& line : m_lines)
        line->updateLine();
}

void Li_Co::updateConntectedLines(const QString& sTag) {
    // A line back up goes around the blocks in its way, so it follows any block that moves.
    for (const auto& line : m_lines) {
        if (line->sFrom() == sTag || line->sTo() == sTag || line->goesBack())
            line->updateLine();
    }
}

namespace {
double distanceTo(const QLineF& segment, const QPointF& at) {
    const QPointF d = segment.p2() - segment.p1();
    const double length2 = QPointF::dotProduct(d, d);
    const double t = length2 > 0
                         ? std::clamp(QPointF::dotProduct(at - segment.p1(), d) / length2, 0.0, 1.0)
                         : 0.0;
    return QLineF(at, segment.p1() + t * d).length();
}
} // namespace

cLn* Li_Co::lineNear(const QPointF& at, double reach) const {
    cLn* nearest = nullptr;
    double best = reach;
    for (const auto& line : m_lines) {
        const LineControls* controls = line->t_Object_Line();
        if (line->sFrom().isEmpty() || line->sTo().isEmpty() || !controls ||
            !controls->segmentVisible())
            continue;
        for (const QLineF& leg : controls->detour() + QList<QLineF>{controls->segment()}) {
            const double distance = distanceTo(leg, at);
            if (distance <= best) {
                best = distance;
                nearest = line.get();
            }
        }
    }
    return nearest;
}

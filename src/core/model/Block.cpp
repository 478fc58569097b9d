#include "core/model/Block.h"

#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/OutputList.h"
#include "core/model/VbRounding.h"

#include <algorithm>

void cBck::setCaptionToAction() {
    using namespace BlockKinds;
    if (m_zaction == start || m_zaction == end)
        setSCaption(m_zaction);
    else if (m_zaction == junction)
        setSCaption(QStringLiteral("+"));
    else if (m_zaction == output)
        setSCaption(QStringLiteral("Γράψε ") + OutputList::text(m_zParam1, m_zParam2));
    else if (m_zaction == input)
        setSCaption(QStringLiteral("Διάβασε ") + m_zParam1 + m_zParam2);
    else if (m_zaction == assign)
        setSCaption(m_zParam1 + QStringLiteral(" <-- ") + m_zParam2);
    else if (isCondition(m_zaction))
        setSCaption(m_zParam1);
}

void cBck::shownChanged() {
    if (m_surface)
        m_surface->requestRepaint();
}

void cBck::setT_O_Shape(BlockSurface* surface) {
    m_surface = surface;
    if (!surface)
        return;
    m_left = surface->left();
    m_top = surface->top();
    m_width = surface->width();
    m_height = surface->height();
    m_visible = surface->isVisible();
}

void cBck::setTagid(const QString& v) {
    m_tagid = v;
    if (m_surface)
        m_surface->setTag(m_deleted ? v + QStringLiteral("-DELETED") : v);
}

void cBck::markDeleted() {
    m_deleted = true;
    setVisible(false);
    if (m_surface)
        m_surface->setTag(m_tagid + QStringLiteral("-DELETED"));
}

int cBck::shapeWidth() const {
    return int(roundHalfEven(m_width));
}
void cBck::setShapeWidth(int v) {
    m_width = std::max(0, v);
    if (m_surface)
        m_surface->setWidth(int(m_width)); // the surface shows what the block holds
}
int cBck::shapeHeight() const {
    return int(roundHalfEven(m_height));
}
void cBck::setShapeHeight(int v) {
    m_height = std::max(0, v);
    if (m_surface)
        m_surface->setHeight(int(m_height));
}

bool cBck::Visible() const {
    return m_visible;
}
void cBck::setVisible(bool v) {
    m_visible = v;
    if (m_surface)
        m_surface->setVisible(v);
}

void cBck::setShapeLeft(double v) {
    m_left = v;
    if (m_surface)
        m_surface->setLeft(v);
}
void cBck::setShapeTop(double v) {
    m_top = v;
    if (m_surface)
        m_surface->setTop(v);
}

void cBck::PaintMe() {
    if (m_surface)
        m_surface->paintBlock(*this);
}

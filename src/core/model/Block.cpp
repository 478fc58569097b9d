#include "core/model/Block.h"

#include "core/model/BlockKinds.h"
#include "core/model/BlockSurface.h"
#include "core/model/OutputList.h"
#include "core/model/VbRounding.h"

void cBck::setCaptionToAction() {
    using namespace BlockKinds;
    if (m_zaction == start || m_zaction == end)
        m_sCaption = m_zaction;
    else if (m_zaction == junction)
        m_sCaption = QStringLiteral("+");
    else if (m_zaction == output)
        m_sCaption = QStringLiteral("Γράψε ") + OutputList::text(m_zParam1, m_zParam2);
    else if (m_zaction == input)
        m_sCaption = QStringLiteral("Διάβασε ") + m_zParam1 + m_zParam2;
    else if (m_zaction == assign)
        m_sCaption = m_zParam1 + QStringLiteral(" <-- ") + m_zParam2;
    else if (isCondition(m_zaction))
        m_sCaption = m_zParam1;
}

void cBck::setTagid(const QString& v) {
    m_tagid = v;
    if (m_surface)
        m_surface->setTag(v);
}

int cBck::shapeWidth() const {
    return int(roundHalfEven(m_surface->width()));
}
void cBck::setShapeWidth(int v) {
    m_surface->setWidth(v);
}
int cBck::shapeHeight() const {
    return int(roundHalfEven(m_surface->height()));
}
void cBck::setShapeHeight(int v) {
    m_surface->setHeight(v);
}

bool cBck::Visible() const {
    return m_surface->isVisible();
}
void cBck::setVisible(bool v) {
    m_surface->setVisible(v);
}

double cBck::shapeLeft() const {
    return m_surface->left();
}
void cBck::setShapeLeft(double v) {
    m_surface->setLeft(v);
}
double cBck::shapeTop() const {
    return m_surface->top();
}
void cBck::setShapeTop(double v) {
    m_surface->setTop(v);
}

void cBck::PaintMe() {
    if (m_surface)
        m_surface->paintBlock(*this);
}

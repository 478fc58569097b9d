#include "gui/canvas/WidgetLineControls.h"

#include "gui/canvas/CanvasPlacement.h"

#include <QLabel>

WidgetLineControls::WidgetLineControls(CanvasPlacement& canvas)
    : m_canvas(canvas), m_label(new QLabel(canvas.placementParent())) {
    m_label->setFont(labelFont());
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->hide();
}

WidgetLineControls::~WidgetLineControls() {
    delete m_label;
}

void WidgetLineControls::setLabelText(const QString& text) {
    LineControls::setLabelText(text);
    m_label->setText(text);
    m_label->adjustSize();
}

void WidgetLineControls::setLabelPos(const QPointF& topLeft) {
    LineControls::setLabelPos(topLeft);
    m_canvas.placeAt(m_label, topLeft);
}

void WidgetLineControls::setLabelVisible(bool visible) {
    LineControls::setLabelVisible(visible);
    m_label->setVisible(visible);
}

QSizeF WidgetLineControls::labelSize() const {
    // The label's text follows the zoom; the line centres it in diagram units.
    return QSizeF(m_label->size()) / m_canvas.zoom();
}

void WidgetLineControls::bringLabelToFront() {
    m_label->raise();
}

void WidgetLineControls::changed() {
    m_canvas.repaintLines();
}

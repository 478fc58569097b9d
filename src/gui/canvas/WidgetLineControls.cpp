#include "gui/canvas/WidgetLineControls.h"

#include "gui/canvas/CanvasPlacement.h"

#include <QLabel>

WidgetLineControls::WidgetLineControls(CanvasPlacement& canvas) : m_canvas(canvas) {}

WidgetLineControls::~WidgetLineControls() {
    delete m_label;
}

QLabel* WidgetLineControls::shownLabel() {
    if (m_label)
        return m_label;
    // Most lines never have a caption: the widget is made for the first one shown, as
    // thousands of widgets would slow every change of the canvas's children.
    m_label = new QLabel(m_canvas.placementParent());
    m_label->setFont(labelFont());
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->setText(labelText());
    m_label->adjustSize();
    m_canvas.placeAt(m_label, labelPos());
    m_label->setVisible(labelVisible());
    return m_label;
}

void WidgetLineControls::setLabelText(const QString& text) {
    LineControls::setLabelText(text);
    if (!m_label && text.isEmpty())
        return;
    shownLabel()->setText(text);
    m_label->adjustSize();
}

void WidgetLineControls::setLabelPos(const QPointF& topLeft) {
    LineControls::setLabelPos(topLeft);
    if (m_label)
        m_canvas.placeAt(m_label, topLeft);
}

void WidgetLineControls::setLabelVisible(bool visible) {
    LineControls::setLabelVisible(visible);
    if (m_label || (visible && !labelText().isEmpty()))
        shownLabel()->setVisible(visible);
}

QSizeF WidgetLineControls::labelSize() const {
    if (!m_label)
        return LineControls::labelSize();
    // The label's text follows the zoom; the line centres it in diagram units.
    return QSizeF(m_label->size()) / m_canvas.zoom();
}

void WidgetLineControls::bringLabelToFront() {
    if (m_label)
        m_label->raise();
}

void WidgetLineControls::restyled() {
    if (m_drawn.isNull())
        m_drawn = drawnBounds();
    m_canvas.repaintDiagram(m_drawn);
}

void WidgetLineControls::changed() {
    // Where the line was and where it is now: a run highlights a line at nearly every step,
    // and repainting the whole canvas each time would cost more than the steps.
    const QRectF now = drawnBounds();
    m_canvas.repaintDiagram(m_drawn.isNull() ? now : m_drawn | now);
    m_drawn = now;
}

#include "gui/editor/CommandToolbar.h"

#include "core/drawing/ToolPictures.h"
#include "core/model/BlockKinds.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QToolButton>

const QList<CommandToolbar::Button>& CommandToolbar::buttons() {
    using namespace BlockKinds;
    static const QList<Button> list = {
        {start, QStringLiteral("Εντολή \"Αρχής\"")},
        {endTool, QStringLiteral("Εντολή \"Τέλους\"")},
        {assign, QStringLiteral("Εντολή \"Εκχώρησης τιμής σε μεταβλητή\"")},
        {input, QStringLiteral("Εντολή \"Εισαγωγής δεδομένων\"")},
        {output, QStringLiteral("Εντολή \"Εξόδου Γράψε\"")},
        {decision, QStringLiteral("Εντολή \"Επιλογής Αν..τότε.. Αλλιώς..Τέλος_Αν")},
        {untilTest, QStringLiteral("Δομή Επανάληψης \"Αρχή_Επανάληψης...Μέχρις_Ότου")},
        {whileTest, QStringLiteral("Δομή Επανάληψης \"Όσο..Τέλος_Επανάληψης\"")},
        {junction, QStringLiteral("Σύγκλυση ροών - Κόμβος")},
        {QString(), QStringLiteral("Διαγραφή")},
    };
    return list;
}

CommandToolbar::CommandToolbar(QWidget* canvas) : QFrame(canvas) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setCursor(Qt::SizeAllCursor);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 3, 3);
    layout->setSpacing(1);
    int index = 1;
    for (const Button& b : buttons()) {
        auto* button = new QToolButton(this);
        button->setIcon(ToolPictures::toolIcon(b.tool));
        button->setIconSize(QSize(24, 24));
        button->setToolTip(b.hint);
        button->setAutoRaise(true);
        button->setCursor(Qt::ArrowCursor);
        button->setFocusPolicy(Qt::NoFocus);
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, index] { emit buttonClicked(index); });
        layout->addWidget(button);
        m_buttons.append(button);
        ++index;
    }
    adjustSize();
}

QToolButton* CommandToolbar::button(int index) const {
    return index >= 1 && index <= m_buttons.size() ? m_buttons[index - 1] : nullptr;
}

bool CommandToolbar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
        const int at = m_buttons.indexOf(qobject_cast<QToolButton*>(watched));
        if (at >= 0)
            emit hintChanged(buttons()[at].hint);
    }
    return QFrame::eventFilter(watched, event);
}

void CommandToolbar::mousePressEvent(QMouseEvent* event) {
    m_dragging = event->button() == Qt::LeftButton;
    m_grabOffset = event->position().toPoint();
}

void CommandToolbar::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        move(mapToParent(event->position().toPoint()) - m_grabOffset);
}

void CommandToolbar::mouseReleaseEvent(QMouseEvent*) {
    m_dragging = false;
}

void CommandToolbar::mouseDoubleClickEvent(QMouseEvent*) {
    m_dragging = false;
    hide();
}

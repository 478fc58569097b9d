#include "gui/editor/AppearanceWindows.h"

#include "core/drawing/Colors.h"
#include "core/editor/Linking.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/editor/EditorWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

// --- Size_F ---------------------------------------------------------------------------------

Size_F::Size_F(EditorWindow& window) : QDialog(&window.editorOwner(), Qt::Tool), m_window(window) {
    setWindowTitle(QStringLiteral("Διαγραφές ..."));
    Command3 = new QPushButton(QStringLiteral("Διαγραφή Εντολής"), this);
    Command4 = new QPushButton(QStringLiteral("Διαγραφή Σύνδεσης"), this);
    Command1 = new QPushButton(QStringLiteral("Άκυρο"), this);
    connect(Command3, &QPushButton::clicked, this, &Size_F::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Size_F::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Command3);
    layout->addWidget(Command4);
    layout->addWidget(Command1);
}

void Size_F::openFor(double left, double top) {
    CanvasWidget* canvas = m_window.canvas();
    move(canvas->mapToGlobal(canvas->toView(QPointF(left, top)).toPoint() + QPoint(20, 20)));
    if (m_window.diagram().currentBlockIndex <= 0) {
        hide();
        return;
    }
    show();
    raise();
}

void Size_F::Command3_Click() {
    Diagram& diagram = m_window.diagram();
    if (diagram.currentBlockIndex > 0)
        diagram.the_bl_co().rem_Shape(diagram.currentBlockIndex, false);
    hide();
}

void Size_F::Command4_Click() {
    Diagram& diagram = m_window.diagram();
    const int current = diagram.currentBlockIndex;
    if (cBck* block = current >= 1 ? diagram.blockAt(current) : nullptr) {
        const QString caption = block->sCaption();
        // A decision or loop test has two exits.
        if (caption.startsWith(QStringLiteral("ΑΝ_")) ||
            caption.startsWith(QStringLiteral("ΟΣΟ_")) ||
            caption.startsWith(QStringLiteral("ΜΕΧΡΙΣ_ΟΤΟΥ")))
            Linking::delete_cone(diagram, current);
        Linking::delete_cone(diagram, current);
    }
    hide();
}

void Size_F::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        hide();
    QDialog::changeEvent(event);
}

// --- Sizeshp_F ------------------------------------------------------------------------------

namespace {
QScrollBar* shiftControl(QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setRange(0, 200);
    bar->setMinimumHeight(120);
    return bar;
}
} // namespace

Sizeshp_F::Sizeshp_F(EditorWindow& window)
    : QDialog(&window.editorOwner(), Qt::Tool), m_window(window) {
    setWindowTitle(QStringLiteral("Διαστάσεις ..."));
    UpDownWidth = shiftControl(this);
    UpDownHeight = shiftControl(this);
    txtWidth = new QLineEdit(this);
    txtHeight = new QLineEdit(this);
    for (QLineEdit* box : {txtWidth, txtHeight}) {
        box->setReadOnly(true);
        box->setMaximumWidth(50);
    }
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("Άκυρο"), this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Πάνω-Κάτω"), this), 0, 0);
    grid->addWidget(UpDownWidth, 1, 0, Qt::AlignHCenter);
    grid->addWidget(txtWidth, 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Αριστερά- Δεξιά"), this), 0, 1);
    grid->addWidget(UpDownHeight, 1, 1, Qt::AlignHCenter);
    grid->addWidget(txtHeight, 2, 1);
    grid->addWidget(Command1, 3, 0);
    grid->addWidget(Command2, 3, 1);
    connect(UpDownWidth, &QScrollBar::valueChanged, this, &Sizeshp_F::shift);
    connect(UpDownHeight, &QScrollBar::valueChanged, this, &Sizeshp_F::shift);
    connect(Command1, &QPushButton::clicked, this, [this] { hide(); });
    connect(Command2, &QPushButton::clicked, this, &Sizeshp_F::Command2_Click);
}

void Sizeshp_F::openFor(Diagram& diagram) {
    m_savedTops.clear();
    m_savedLefts.clear();
    for (int i = 1; i <= diagram.shapeCount(); ++i) {
        const BlockSurface* surface = diagram.surface(i);
        m_savedTops.push_back(std::trunc(surface->top()));
        m_savedLefts.push_back(surface->left());
    }
    // Opening moves nothing; the diagram goes as far up and left as its topmost and leftmost
    // blocks allow, never to negative positions, and up to 200 pixels down and right.
    double top = 0, left = 0;
    for (size_t i = 0; i < m_savedTops.size(); ++i) {
        top = i == 0 ? m_savedTops[i] : std::min(top, m_savedTops[i]);
        left = i == 0 ? m_savedLefts[i] : std::min(left, m_savedLefts[i]);
    }
    const QSignalBlocker quietWidth(UpDownWidth), quietHeight(UpDownHeight);
    UpDownWidth->setRange(-int(std::max(0.0, std::floor(top))), 200);
    UpDownHeight->setRange(-int(std::max(0.0, std::floor(left))), 200);
    UpDownWidth->setValue(0);
    UpDownHeight->setValue(0);
    show();
    raise();
    shift();
}

void Sizeshp_F::shift() {
    txtWidth->setText(QString::number(UpDownWidth->value()));
    txtHeight->setText(QString::number(UpDownHeight->value()));
    Diagram& diagram = m_window.diagram();
    for (int i = 1; i <= diagram.shapeCount() && i <= int(m_savedTops.size()); ++i) {
        if (cBck* block = diagram.blockAt(i)) {
            block->setShapeTop(m_savedTops[size_t(i - 1)] + UpDownWidth->value());
            block->setShapeLeft(m_savedLefts[size_t(i - 1)] + UpDownHeight->value());
        }
    }
    diagram.the_li_co().updateAllLines();
}

void Sizeshp_F::Command2_Click() {
    Diagram& diagram = m_window.diagram();
    for (int i = 1; i <= diagram.shapeCount() && i <= int(m_savedTops.size()); ++i) {
        if (cBck* block = diagram.blockAt(i)) {
            block->setShapeTop(m_savedTops[size_t(i - 1)]);
            block->setShapeLeft(m_savedLefts[size_t(i - 1)]);
        }
    }
    diagram.the_li_co().updateAllLines();
    hide();
}

void Sizeshp_F::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        hide();
    QDialog::changeEvent(event);
}

// --- font1 ------------------------------------------------------------------------------------

font1::font1(EditorWindow& window) : QDialog(&window.editorOwner()), m_window(window) {
    setWindowTitle(QStringLiteral("Αλλαγή γραμματοσειράς"));
    Combo1 = new QFontComboBox(this);
    Check1 = new QCheckBox(QStringLiteral("Έντονα"), this);
    Check2 = new QCheckBox(QStringLiteral("Πλάγια"), this);
    Command1 = new QPushButton(QStringLiteral("ΟΚ"), this);
    Command2 = new QPushButton(QStringLiteral("Άκυρο"), this);
    connect(Command1, &QPushButton::clicked, this, &font1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Combo1);
    layout->addWidget(Check1);
    layout->addWidget(Check2);
    layout->addLayout(buttons);
}

void font1::openWindow() {
    Diagram& diagram = m_window.diagram();
    if (BlockSurface* last = diagram.surface(diagram.shapeCount()))
        Combo1->setCurrentFont(last->font());
    show();
    raise();
    m_colour = m_window.questions().color(Qt::black, QStringLiteral("Χρώμα γραμμάτων"));
}

void font1::Command1_Click() {
    Diagram& diagram = m_window.diagram();
    const int current = diagram.currentBlockIndex;
    const int first = current < 1 ? 1 : current;
    const int last = current < 1 ? diagram.shapeCount() : current;
    for (int i = first; i <= last; ++i) {
        cBck* block = diagram.blockAt(i);
        if (!block)
            continue;
        if (m_colour)
            block->setTextColor(bgrFromColor(*m_colour));
        QFont font = block->t_O_Shape()->font();
        font.setFamily(Combo1->currentFont().family());
        font.setBold(Check1->isChecked());
        font.setItalic(Check2->isChecked());
        block->t_O_Shape()->setFont(font);
        block->t_O_Shape()->requestRepaint();
    }
    hide();
}

// --- Appearance -------------------------------------------------------------------------------

std::optional<QColor> Appearance::chooseColour() {
    // A cancelled dialog changes nothing.
    std::optional<QColor> colour =
        m_window.questions().color(m_lastColour, QStringLiteral("Χρώμα"));
    if (colour)
        m_lastColour = *colour;
    return colour;
}

void Appearance::setWindowColour(const QColor& colour) {
    m_window.canvas()->setCanvasColor(colour);
    for (QWidget* w : m_window.framesInCanvasColour()) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, colour);
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
}

void Appearance::ch_color_screen() {
    ModalQuestions& questions = m_window.questions();
    const QString title = QStringLiteral("Αλλαγή ...");
    if (questions.messageBox(QStringLiteral("Θα αλλάξει το χρώμα της επιφάνειας Θα συνεχίσεις"),
                             title, ModalQuestions::Buttons::YesNo) != ModalQuestions::Answer::Yes)
        return;
    const QColor before = m_window.canvas()->canvasColor();
    const std::optional<QColor> colour = chooseColour();
    if (!colour)
        return;
    setWindowColour(*colour);
    if (questions.messageBox(QStringLiteral("Θα αλλάξει το χρώμα τελικά"), title,
                             ModalQuestions::Buttons::YesNo) != ModalQuestions::Answer::Yes)
        setWindowColour(before);
}

void Appearance::mnuChangeBackColor_Click() {
    const std::optional<QColor> colour = chooseColour();
    if (!colour)
        return;
    Diagram& diagram = m_window.diagram();
    const quint32 bgr = bgrFromColor(*colour);
    if (diagram.currentBlockIndex < 1) {
        for (const auto& block : diagram.the_bl_co()) {
            block->setBGColor(bgr);
        }
    } else if (cBck* block = diagram.the_bl_co().Item(diagram.currentBlockIndex)) {
        block->setBGColor(bgr);
    }
}

void Appearance::mnuChangeBorderColor_Click() {
    Diagram& diagram = m_window.diagram();
    if (diagram.shapeCount() == 0)
        return;
    const std::optional<QColor> colour = chooseColour();
    if (!colour)
        return;
    for (int i = 1; i <= diagram.shapeCount(); ++i) {
        cBck* block = diagram.blockAt(i);
        if (!block || Bl_Co::isDeleted(*block))
            continue;
        block->setBorderColor(bgrFromColor(*colour));
    }
}

void Appearance::mnuChangeTextColor_Click() {
    if (m_window.diagram().shapeCount() > 0)
        m_window.fontWindow()->openWindow();
}

void Appearance::mnuChangeSize_Click() {
    if (m_window.diagram().currentBlockIndex > 0)
        return;
    m_window.blockWindow()->openFor(0, 0);
}

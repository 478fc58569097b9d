#include "gui/pictures/CaptureWindows.h"

#include "core/model/ModalQuestions.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

frm_foto::frm_foto(ModalQuestions& questions, QWidget* owner)
    : QWidget(owner, Qt::Window), m_questions(questions) {
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    Picture2 = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Picture2);
}

void frm_foto::setPicture(const QPixmap& picture) {
    m_picture = picture;
    Picture2->setPixmap(picture);
    Picture2->adjustSize();
    adjustSize();
}

void frm_foto::closeEvent(QCloseEvent* event) {
    if (!m_picture.isNull()) {
        QApplication::clipboard()->setPixmap(m_picture);
        m_questions.messageBox(
            QStringLiteral("Η εικόνα έχει αποθηκευθεί στο πρόχειρο των Windows\r\n Με CTL+V "
                           "μπορείτε να την επικολλήσετε σε μια άλλη εφαρμογή."),
            QStringLiteral("Αντιγραφή στο πρόχειρο"), ModalQuestions::Buttons::Ok);
    }
    event->accept();
}

frmCaptureRectangle::frmCaptureRectangle(frm_foto& preview)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_preview(&preview) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::CrossCursor);
}

void frmCaptureRectangle::ShowPicture(const QPixmap& picture) {
    m_picture = picture;
    // The frozen screen covers the whole screen, two pixels beyond each edge.
    QRect area(QPoint(0, 0), picture.deviceIndependentSize().toSize());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->geometry();
    setGeometry(area.adjusted(-2, -2, 2, 2));
    show();
    raise();
    m_dragging = false;
}

void frmCaptureRectangle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawPixmap(QPoint(2, 2), m_picture);
    if (m_linesVisible) {
        painter.setPen(QPen(Qt::red, 1));
        for (const QLineF& line : {Line1, Line2, Line3, Line4})
            painter.drawLine(line);
    }
}

void frmCaptureRectangle::mousePressEvent(QMouseEvent* event) {
    m_dragging = event->button() == Qt::LeftButton;
    const QPointF at = event->position();
    Line1 = Line2 = Line3 = Line4 = QLineF(at, at);
    m_linesVisible = true;
    m_start = at.toPoint();
    update();
}

void frmCaptureRectangle::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    const QPointF p = event->position();
    const QPointF s = m_start;
    Line1 = QLineF(s, QPointF(p.x(), s.y()));
    Line2 = QLineF(s, QPointF(s.x(), p.y()));
    Line3 = QLineF(QPointF(p.x(), s.y()), p);
    Line4 = QLineF(QPointF(s.x(), p.y()), p);
    update();
}

void frmCaptureRectangle::mouseReleaseEvent(QMouseEvent*) {
    const int left = int(std::min({Line1.x1(), Line1.x2(), Line2.x1(), Line2.x2()}));
    int right = int(std::max({Line1.x1(), Line1.x2(), Line2.x1(), Line2.x2()}));
    const int top = int(std::min({Line1.y1(), Line1.y2(), Line2.y1(), Line2.y2()}));
    int bottom = int(std::max({Line1.y1(), Line1.y2(), Line2.y1(), Line2.y2()}));
    if (left == right)
        ++right; // the rectangle is never empty
    if (top == bottom)
        ++bottom;
    m_dragging = false;
    // The picture is drawn two pixels in from the window's corner.
    const qreal ratio = m_picture.devicePixelRatio();
    const QRect source(QPointF((left - 2) * ratio, (top - 2) * ratio).toPoint(),
                       QSizeF((right - left) * ratio, (bottom - top) * ratio).toSize());
    QPixmap cut(source.size());
    cut.fill(Qt::black);
    {
        QPainter painter(&cut);
        painter.drawPixmap(QPoint(0, 0), m_picture, source);
    }
    if (m_preview) {
        m_preview->setPicture(cut);
        m_preview->show();
        m_preview->raise();
    }
    close();
}

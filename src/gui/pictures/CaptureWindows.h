#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class ModalQuestions;
class QLabel;

// "Form1": the cut-out picture; closing it puts the picture on the clipboard.
class frm_foto : public QWidget {
    Q_OBJECT
public:
    frm_foto(ModalQuestions& questions, QWidget* owner);
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return m_picture; }

    QLabel* Picture2;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ModalQuestions& m_questions;
    QPixmap m_picture;
};

// The frozen screen, full-screen, on which a rectangle is dragged out with the mouse.
class frmCaptureRectangle : public QWidget {
    Q_OBJECT
public:
    explicit frmCaptureRectangle(frm_foto& preview);
    void ShowPicture(const QPixmap& picture);

    // The four edges of the rubber band: top, left, right, bottom.
    QLineF Line1, Line2, Line3, Line4;
    bool linesVisible() const { return m_linesVisible; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointer<frm_foto> m_preview;
    QPixmap m_picture;
    bool m_dragging = false;
    bool m_linesVisible = false;
    QPoint m_start;
};

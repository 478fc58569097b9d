#pragma once

#include <QFrame>
#include <QList>

class QToolButton;

// The command toolbar: ten buttons in a frame that the pupil can drag across the canvas
// and hide with a double click.
class CommandToolbar : public QFrame {
    Q_OBJECT
public:
    struct Button {
        QString tool; // kind keyword, "END", or empty for delete
        QString hint;
    };
    static const QList<Button>& buttons();

    explicit CommandToolbar(QWidget* canvas);

    // Button 1 ... 10.
    QToolButton* button(int index) const;

signals:
    void buttonClicked(int index);
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QList<QToolButton*> m_buttons;
    bool m_dragging = false;
    QPoint m_grabOffset;
};

#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

// The run frame "Εκτέλεση": run, stop, next step, pause, variables, comments and the speed.
// It only holds the controls; the main window wires their actions.
class RunControlsFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit RunControlsFrame(QWidget* parent = nullptr);

    QToolButton* cmdRun;
    QToolButton* cmdStop;
    QToolButton* cmdNextStep;
    QToolButton* chkPause;
    QPushButton* cmdVars;
    QPushButton* Command1;
    QSlider* scroll_ExecutionDelay;
    QLabel* lblDelay;

    // The name of a speed position, as the speed label shows it.
    static QString speedLabel(int position);
    // Milliseconds between two steps at a speed position.
    static int speedInterval(int position) { return 600 - 100 * position; }

signals:
    // The first status panel shows the tooltip of the control under the pointer.
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

#pragma once

#include <QByteArray>
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// "Συμπλήρωσε πρώτα εσύ": the frame of the trace table for the first steps, with empty cells
// the pupil fills with what they expect; "Έλεγχος" runs those steps on a copy of the diagram
// and marks each cell right (green) or wrong (red, the right value in its tooltip).
class PredictWindow : public QDialog {
    Q_OBJECT
public:
    // `diagram` gives the diagram as it stands, as the undo history keeps it.
    PredictWindow(std::function<QByteArray()> diagram, QWidget* owner);

    QSpinBox* steps;
    QLineEdit* inputs;
    QTableWidget* table;
    QPushButton* check;
    QLabel* result;

    // A fresh frame of `steps` rows.
    void newFrame();
    // Marks every cell the pupil fills; the number right.
    int checkCells();

private:
    std::function<QByteArray()> m_diagram;
};

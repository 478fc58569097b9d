#pragma once

#include "core/exercise/Exercise.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// "Νέα άσκηση από αυτό το διάγραμμα…": the teacher types the title, the statement and one
// case a line (its inputs separated by commas; a line that begins with "*" is hidden). The
// outputs come from running the diagram.
class NewExerciseDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewExerciseDialog(QWidget* parent = nullptr);

    // The exercise typed so far, without outputs; its cases' lines as typed.
    Exercise exercise() const;

    QLineEdit* title;
    QPlainTextEdit* statement;
    QPlainTextEdit* cases;
    QComboBox* compare;
    QCheckBox* exam;
};

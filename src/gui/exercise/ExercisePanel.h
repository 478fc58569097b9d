#pragma once

#include "core/exercise/Exercise.h"
#include "core/exercise/ExerciseCheck.h"

#include <QDockWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class QTextBrowser;

// The side panel of an open exercise: its title and statement, and after "Έλεγχος" a row
// per case (✓ or ✗, and for a visible wrong case the first difference), the rules and the
// summary. A visible wrong case can be watched step by step.
class ExercisePanel : public QDockWidget {
    Q_OBJECT
public:
    explicit ExercisePanel(QWidget* parent = nullptr);

    void showExercise(const Exercise& exercise);
    void showReport(const Exercise& exercise, const ExerciseCheck::Report& report);

    QTextBrowser* statement() const { return m_statement; }
    QTableWidget* results() const { return m_results; }
    QLabel* summary() const { return m_summary; }
    QPushButton* checkButton() const { return m_check; }
    QPushButton* stepButton() const { return m_step; }
    // The case (0-based) the selected row shows, or -1.
    int selectedCase() const;

signals:
    void checkRequested();
    // "Εκτέλεση βήμα-βήμα" for the selected case.
    void stepRequested(int caseIndex);

private:
    void selectionChanged();

    QTextBrowser* m_statement;
    QTableWidget* m_results;
    QLabel* m_summary;
    QPushButton* m_check;
    QPushButton* m_step;
    std::vector<bool> m_watchable; // visible wrong cases
    int m_caseRows = 0;
};

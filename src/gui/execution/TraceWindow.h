#pragma once

#include <QAbstractTableModel>
#include <QWidget>

class Diagram;
class ModalQuestions;
class QLabel;
class QPrinter;
class QPushButton;
class QTableView;
class QTimer;
class TraceRecorder;

// The rows of the trace table as the window shows them.
class TraceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TraceModel(const TraceRecorder& trace, const Diagram& diagram, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Takes in the rows recorded since; true when there were any.
    bool refresh();

private:
    bool valid() const;

    const TraceRecorder& m_trace;
    const Diagram& m_diagram;
    long long m_shownRows = 0;
    long long m_shownDropped = 0;
};

// "Πίνακας τιμών": the exam's trace table of the run, a row per command executed, filled as
// the run goes (at every speed, while stepping and paused), with its header always in sight.
// It saves the table as CSV and prints it with the header on every page.
class TraceWindow : public QWidget {
    Q_OBJECT
public:
    TraceWindow(const TraceRecorder& trace, const Diagram& diagram, ModalQuestions& questions,
                QWidget* owner);

    TraceModel* model() const { return m_model; }
    QTableView* table() const { return m_table; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* printButton() const { return m_print; }

    // "Αποθήκευση ως CSV…" and "Εκτύπωση…".
    void saveCsv();
    void print();
    // The table on the printer's pages, the header repeated on each.
    void printTo(QPrinter& printer) const;
    // Replaces the preview window (tests print straight to a file).
    std::function<void(QPrinter&)> showPreview;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();

    const TraceRecorder& m_trace;
    ModalQuestions& m_questions;
    TraceModel* m_model;
    QTableView* m_table;
    QLabel* m_dropped;
    QPushButton* m_save;
    QPushButton* m_print;
    QTimer* m_refresh;
};

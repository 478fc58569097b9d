#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <vector>

class Diagram;
class QLabel;
class QPushButton;
class QTableView;
class VariableStore;

// The variables table as a grid. The names are the column headers and the step column the
// row headers, so both stay in sight however far the grid is scrolled: row 0 holds the
// current values ("TEΛΙΚΕΣ"), then one row per recorded value, headed by its step number
// and the block that wrote it. Model cell (r, c) is the store's cell (r + 1, c + 1).
class VariablesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit VariablesModel(const VariableStore& store, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Call after the store changed.
    void refresh();
    // The store's row and column of a cell of the grid.
    static int storeRow(int row) { return row + 1; }
    static int storeColumn(int column) { return column + 1; }

private:
    const VariableStore& m_store;
};

// "Τιμές Μεταβλητών": pointing at a value turns the block that produced it red and shows
// the expression text behind it.
class Vars_F : public QDialog {
    Q_OBJECT
public:
    Vars_F(VariableStore& store, Diagram& diagram, QWidget* parent = nullptr);

    // Keeps every block's background colour, to be given back after highlighting.
    void saveBlockColours();
    void restoreBlockColours();
    // Points at cell (row, column) of the grid.
    void pointAt(int gridRow, int gridColumn, const QPoint& at);

    QTableView* grid;
    QLabel* Tex;
    // Says how many of the oldest rows a very long run dropped; hidden when none.
    QLabel* droppedLine;
    QPushButton* Command1;
    VariablesModel* model;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // The run controls enable "Μεταβλητές" again.
    void left();

private:
    VariableStore& m_store;
    Diagram& m_diagram;
    std::vector<quint32> m_savedColours;
};

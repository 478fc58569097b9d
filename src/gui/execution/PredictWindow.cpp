#include "gui/execution/PredictWindow.h"

#include "core/execution/TracePrediction.h"
#include "core/execution/TraceTable.h"
#include "core/files/DiagramSnapshot.h"
#include "core/files/HeadlessDiagram.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const QColor right(0xC8, 0xF0, 0xC8);
const QColor wrong(0xF8, 0xC0, 0xC0);
} // namespace

PredictWindow::PredictWindow(std::function<QByteArray()> diagram, QWidget* owner)
    : QDialog(owner), steps(new QSpinBox(this)), inputs(new QLineEdit(this)),
      table(new QTableWidget(this)), check(new QPushButton(QStringLiteral("Έλεγχος"), this)),
      result(new QLabel(this)), m_diagram(std::move(diagram)) {
    setWindowTitle(QStringLiteral("Πίνακας τιμών: συμπλήρωσε πρώτα εσύ"));
    steps->setRange(1, 200);
    steps->setValue(10);
    inputs->setPlaceholderText(QStringLiteral("π.χ. 3, 5 — οι τιμές που θα διαβάσει, με τη σειρά"));
    auto* fresh = new QPushButton(QStringLiteral("Νέος πίνακας"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Βήματα:"), steps);
    form->addRow(QStringLiteral("Είσοδοι:"), inputs);
    table->setColumnCount(int(TraceTable::header().size()));
    table->setHorizontalHeaderLabels(TraceTable::header());
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(result, 1);
    buttons->addWidget(fresh);
    buttons->addWidget(check);
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(QStringLiteral("Γράψε τι περιμένεις σε κάθε βήμα: τον αριθμό της "
                                           "εντολής, το αποτέλεσμα της συνθήκης (Αληθής ή "
                                           "Ψευδής), τη μεταβλητή που αλλάζει, τη νέα τιμή της "
                                           "και ό,τι γράφεται."),
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);
    layout->addLayout(form);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);
    resize(760, 460);
    connect(fresh, &QPushButton::clicked, this, &PredictWindow::newFrame);
    connect(check, &QPushButton::clicked, this, &PredictWindow::checkCells);
    newFrame();
}

void PredictWindow::newFrame() {
    table->clearContents();
    table->setRowCount(steps->value());
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column) {
            auto* cell = new QTableWidgetItem(column == 0 ? QString::number(row + 1) : QString());
            if (!TracePrediction::filledByThePupil(column))
                cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
            table->setItem(row, column, cell);
        }
    }
    result->clear();
}

int PredictWindow::checkCells() {
    HeadlessDiagram copy;
    DiagramSnapshot::restore(m_diagram(), copy.diagram());
    QStringList given;
    for (const QString& value : inputs->text().split(QLatin1Char(','), Qt::SkipEmptyParts))
        given << value.trimmed();
    const QList<QStringList> actual =
        TracePrediction::actualRows(copy.diagram(), given, table->rowCount());
    int rightCells = 0, cells = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QStringList wanted = actual.value(row);
        for (int column = 0; column < table->columnCount(); ++column) {
            QTableWidgetItem* cell = table->item(row, column);
            if (column == 2)
                cell->setText(wanted.value(column)); // the command, shown once checked
            if (!TracePrediction::filledByThePupil(column))
                continue;
            const bool ok = TracePrediction::matches(column, cell->text(), wanted.value(column));
            cell->setBackground(ok ? right : wrong);
            cell->setToolTip(ok ? QString() : QStringLiteral("Σωστό: ") + wanted.value(column));
            rightCells += ok;
            ++cells;
        }
    }
    result->setText(QStringLiteral("Σωστά ") + QString::number(rightCells) +
                    QStringLiteral(" από ") + QString::number(cells) + QStringLiteral(" κελιά."));
    return rightCells;
}

#include "gui/execution/VariablesWindow.h"

#include "core/execution/ConditionRecord.h"
#include "core/execution/NumberText.h"
#include "core/execution/VariableStore.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

VariablesModel::VariablesModel(const VariableStore& store, QObject* parent)
    : QAbstractTableModel(parent), m_store(store) {}

int VariablesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_store.rowCount() - 1;
}

int VariablesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_store.columnCount() - 1;
}

QVariant VariablesModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const QString value = m_store.valueCell(storeRow(index.row()), storeColumn(index.column()));
    // An outcome is written in full; the store keeps the design's "Αλ"/"Ψε".
    if (ConditionRecord::isRecord(m_store.valueCell(0, storeColumn(index.column()))))
        return ConditionRecord::shown(value);
    return value;
}

QVariant VariablesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole)
            return m_store.valueCell(0, storeColumn(section));
        return {};
    }
    if (role == Qt::ToolTipRole && section > 0)
        return QStringLiteral("Α/Α της τιμής στον πίνακα και η εντολή που την έγραψε");
    if (role != Qt::DisplayRole)
        return {};
    const QString step = m_store.valueCell(storeRow(section), 0);
    if (section == 0)
        return step; // "TEΛΙΚΕΣ"
    // "Βήμα:007": block 7 wrote it; the step counts the rows a long run dropped too.
    const qint64 number = section + m_store.droppedRows();
    return QString::number(number) + QStringLiteral(" · εντολή ") +
           NumberText::format(NumberText::leadingNumber(step.right(3)));
}

void VariablesModel::refresh() {
    beginResetModel();
    endResetModel();
}

Vars_F::Vars_F(VariableStore& store, Diagram& diagram, QWidget* parent)
    : QDialog(parent), m_store(store), m_diagram(diagram) {
    setWindowTitle(QStringLiteral("Τιμές Μεταβλητών"));
    model = new VariablesModel(store, this);
    grid = new QTableView(this);
    grid->setModel(model);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Tex = new QLabel(grid->viewport());
    Tex->setStyleSheet(QStringLiteral("background: #FFFFE0; border: 1px solid gray;"));
    Tex->hide();
    droppedLine = new QLabel(this);
    droppedLine->setWordWrap(true);
    droppedLine->hide();
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        droppedLine->setText(VariableStore::droppedRowsLine(m_store.droppedRows()));
        droppedLine->setVisible(m_store.droppedRows() > 0);
        grid->scrollToBottom(); // the newest row
    });
    Command1 = new QPushButton(QStringLiteral("Έξοδος"), this);
    connect(grid, &QTableView::pressed, this, [this](const QModelIndex& index) {
        pointAt(index.row(), index.column(), grid->viewport()->mapFromGlobal(QCursor::pos()));
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        restoreBlockColours();
        Tex->hide();
        emit left();
        hide();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(droppedLine);
    layout->addWidget(grid);
    layout->addWidget(Command1, 0, Qt::AlignRight);
    resize(520, 420);
}

void Vars_F::saveBlockColours() {
    m_savedColours.clear();
    for (const auto& block : m_diagram.the_bl_co())
        m_savedColours.push_back(block->BGColor());
}

void Vars_F::restoreBlockColours() {
    const Bl_Co& blocks = m_diagram.the_bl_co();
    for (int i = 1; i <= blocks.Count() && i <= int(m_savedColours.size()); ++i) {
        cBck* block = blocks.Item(i);
        block->setBGColor(m_savedColours[size_t(i - 1)]);
    }
}

void Vars_F::pointAt(int gridRow, int gridColumn, const QPoint& at) {
    const int row = VariablesModel::storeRow(gridRow);
    const int column = VariablesModel::storeColumn(gridColumn);
    Tex->move(at);
    const QString step = m_store.valueCell(row, 0);
    const QString blockId =
        QStringLiteral("id") + NumberText::format(NumberText::leadingNumber(step.right(3)));
    Tex->setText(m_store.textCell(row, column));
    Tex->adjustSize();
    Tex->hide();
    restoreBlockColours();
    if (m_store.valueCell(row, column).isEmpty())
        return;
    Tex->show();
    Tex->raise();
    for (const auto& block : m_diagram.the_bl_co()) {
        if (block->tagid() == blockId) {
            block->setBGColor(255);
        }
    }
}

void Vars_F::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        restoreBlockColours();
    QDialog::changeEvent(event);
}

void Vars_F::closeEvent(QCloseEvent* event) {
    restoreBlockColours();
    emit left();
    event->accept();
}

#include "gui/execution/TraceWindow.h"

#include "core/execution/TraceRecorder.h"
#include "core/execution/TraceTable.h"
#include "core/files/SafeSave.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/windows/PrintPreview.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The table follows a running program this often, whatever its speed.
constexpr int refreshMs = 100;
} // namespace

TraceModel::TraceModel(const TraceRecorder& trace, const Diagram& diagram, QObject* parent)
    : QAbstractTableModel(parent), m_trace(trace), m_diagram(diagram) {}

bool TraceModel::valid() const {
    return m_trace.generation() == m_diagram.generation();
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shownRows);
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(TraceTable::header().size());
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !valid() || index.row() >= m_trace.size())
        return {};
    return m_trace.row(index.row()).value(index.column());
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return TraceTable::header().value(section);
}

bool TraceModel::refresh() {
    const long long rows = valid() ? m_trace.size() : 0;
    const long long dropped = valid() ? m_trace.dropped() : 0;
    if (rows == m_shownRows && dropped == m_shownDropped)
        return false;
    if (dropped == m_shownDropped && rows > m_shownRows) {
        beginInsertRows({}, int(m_shownRows), int(rows - 1));
        m_shownRows = rows;
        endInsertRows();
    } else {
        beginResetModel();
        m_shownRows = rows;
        m_shownDropped = dropped;
        endResetModel();
    }
    return true;
}

TraceWindow::TraceWindow(const TraceRecorder& trace, const Diagram& diagram,
                         ModalQuestions& questions, QWidget* owner)
    : QWidget(owner, Qt::Window), m_trace(trace), m_questions(questions),
      m_model(new TraceModel(trace, diagram, this)), m_table(new QTableView(this)),
      m_dropped(new QLabel(this)),
      m_save(new QPushButton(QStringLiteral("Αποθήκευση ως CSV…"), this)),
      m_print(new QPushButton(QStringLiteral("Εκτύπωση…"), this)), m_refresh(new QTimer(this)) {
    setWindowTitle(QStringLiteral("Πίνακας τιμών"));
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide(); // the step column numbers the rows
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_dropped->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dropped, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(720, 420);
    connect(m_save, &QPushButton::clicked, this, &TraceWindow::saveCsv);
    connect(m_print, &QPushButton::clicked, this, &TraceWindow::print);
    m_refresh->setInterval(refreshMs);
    connect(m_refresh, &QTimer::timeout, this, &TraceWindow::refresh);
    showPreview = [this](QPrinter& printer) {
        PrintPreview::show(printer, this, [this](QPrinter& target) { printTo(target); });
    };
}

void TraceWindow::showEvent(QShowEvent* event) {
    refresh();
    m_refresh->start();
    QWidget::showEvent(event);
}

void TraceWindow::hideEvent(QHideEvent* event) {
    m_refresh->stop();
    QWidget::hideEvent(event);
}

void TraceWindow::refresh() {
    if (!m_model->refresh())
        return;
    m_table->resizeColumnsToContents();
    m_table->scrollToBottom(); // the newest row in sight
    m_dropped->setVisible(m_trace.dropped() > 0);
    m_dropped->setText(QStringLiteral("Οι πρώτες ") + QString::number(m_trace.dropped()) +
                       QStringLiteral(" γραμμές δεν κρατήθηκαν."));
}

void TraceWindow::saveCsv() {
    if (m_model->rowCount() == 0) {
        m_questions.messageBox(
            QStringLiteral("Ο πίνακας τιμών είναι άδειος: εκτελέστε πρώτα το διάγραμμα."),
            windowTitle(), ModalQuestions::Buttons::Ok);
        return;
    }
    const QString path = m_questions.saveFileName(QStringLiteral("Αποθήκευση του πίνακα τιμών"),
                                                  QStringLiteral("πίνακας_τιμών.csv"),
                                                  {QStringLiteral("Πίνακας CSV (*.csv)")});
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!m_trace.writeCsv(buffer) || !SafeSave::writeFile(path, bytes).ok)
        m_questions.messageBox(QStringLiteral("Δεν ήταν δυνατό να γραφτεί ο πίνακας τιμών ") + path,
                               windowTitle(), ModalQuestions::Buttons::Ok);
}

void TraceWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(windowTitle());
    showPreview(printer);
}

void TraceWindow::printTo(QPrinter& printer) const {
    QTextDocument document;
    QFont font = document.defaultFont();
    font.setPointSizeF(9);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    const QStringList header = TraceTable::header();
    QTextTableFormat format;
    format.setHeaderRowCount(1); // repeated at the top of every page
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    const int rows = m_model->rowCount();
    QTextTable* table = cursor.insertTable(rows + 1, int(header.size()), format);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int column = 0; column < header.size(); ++column)
        table->cellAt(0, column).firstCursorPosition().insertText(header[column], bold);
    for (int row = 0; row < rows; ++row) {
        const QStringList cells = m_trace.row(row);
        for (int column = 0; column < cells.size(); ++column)
            table->cellAt(row + 1, column).firstCursorPosition().insertText(cells[column]);
    }
    document.print(&printer);
}

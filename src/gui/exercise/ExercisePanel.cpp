#include "gui/exercise/ExercisePanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

ExercisePanel::ExercisePanel(QWidget* parent) : QDockWidget(QStringLiteral("Άσκηση"), parent) {
    setObjectName(QStringLiteral("exercisePanel"));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    m_statement = new QTextBrowser(body);
    m_statement->setMaximumHeight(170);
    m_check = new QPushButton(QStringLiteral("Έλεγχος (F6)"), body);
    m_results = new QTableWidget(0, 2, body);
    m_results->setHorizontalHeaderLabels(
        {QStringLiteral("Περίπτωση"), QStringLiteral("Αποτέλεσμα")});
    m_results->horizontalHeader()->setStretchLastSection(true);
    m_results->verticalHeader()->hide();
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setWordWrap(true);
    m_summary = new QLabel(body);
    m_summary->setWordWrap(true);
    m_step = new QPushButton(QStringLiteral("Εκτέλεση βήμα-βήμα"), body);
    m_step->setToolTip(QStringLiteral("Εκτελεί την επιλεγμένη περίπτωση βήμα προς βήμα, με τις "
                                      "τιμές της στα πλαίσια εισόδου"));
    m_step->setEnabled(false);
    layout->addWidget(m_statement);
    layout->addWidget(m_check);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_summary);
    layout->addWidget(m_step);
    setWidget(body);
    setMinimumWidth(300);
    connect(m_check, &QPushButton::clicked, this, &ExercisePanel::checkRequested);
    connect(m_step, &QPushButton::clicked, this, [this] {
        if (selectedCase() >= 0)
            emit stepRequested(selectedCase());
    });
    connect(m_results, &QTableWidget::itemSelectionChanged, this, &ExercisePanel::selectionChanged);
}

void ExercisePanel::showExercise(const Exercise& exercise) {
    setWindowTitle(QStringLiteral("Άσκηση: ") + exercise.title);
    QString text = QStringLiteral("<b>") + exercise.title.toHtmlEscaped() + QStringLiteral("</b>");
    if (!exercise.statement.isEmpty())
        text += QStringLiteral("<p>") +
                exercise.statement.toHtmlEscaped().replace('\n', QStringLiteral("<br>")) +
                QStringLiteral("</p>");
    m_statement->setHtml(text);
    m_results->setRowCount(0);
    m_watchable.assign(exercise.cases.size(), false);
    m_caseRows = int(exercise.cases.size());
    for (size_t i = 0; i < exercise.cases.size(); ++i) {
        const Exercise::Case& c = exercise.cases[i];
        m_results->insertRow(int(i));
        m_results->setItem(int(i), 0,
                           new QTableWidgetItem(QString::number(i + 1) +
                                                (c.hidden ? QStringLiteral(" (κρυφή)")
                                                 : c.name.isEmpty() ? QString()
                                                                    : " (" + c.name + ')')));
        m_results->setItem(int(i), 1, new QTableWidgetItem(QStringLiteral("—")));
    }
    m_summary->setText(QStringLiteral("Πατήστε «Έλεγχος» (F6) για να ελέγξετε το διάγραμμα."));
    m_step->setEnabled(false);
    show();
}

void ExercisePanel::showReport(const Exercise& exercise, const ExerciseCheck::Report& report) {
    m_results->setRowCount(int(report.cases.size() + report.rules.size()));
    for (size_t i = 0; i < report.cases.size(); ++i) {
        const bool right = report.cases[i].right();
        QString line = ExerciseCheck::caseLine(exercise, report, i);
        line = line.mid(line.indexOf(QStringLiteral(": ")) + 2);
        auto* item =
            new QTableWidgetItem((right ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + line);
        item->setForeground(right ? QColor(0, 120, 0) : QColor(190, 0, 0));
        if (!right && !exercise.cases[i].hidden)
            item->setToolTip(QStringLiteral("Αναμενόταν:\n") + exercise.cases[i].output +
                             QStringLiteral("\n\nΒγήκε:\n") + report.cases[i].output);
        m_results->setItem(int(i), 1, item);
        m_watchable[i] = !right && !exercise.cases[i].hidden;
    }
    for (size_t r = 0; r < report.rules.size(); ++r) {
        const ExerciseCheck::RuleResult& rule = report.rules[r];
        const int row = int(report.cases.size() + r);
        m_results->setItem(row, 0, new QTableWidgetItem(QStringLiteral("Κανόνας")));
        auto* item = new QTableWidgetItem(
            (rule.kept ? QStringLiteral("✓ ") : QStringLiteral("✗ ")) + rule.rule +
            (rule.kept ? QString() : QStringLiteral(" (") + rule.detail + QLatin1Char(')')));
        item->setForeground(rule.kept ? QColor(0, 120, 0) : QColor(190, 0, 0));
        m_results->setItem(row, 1, item);
    }
    m_results->resizeRowsToContents();
    QString summary = ExerciseCheck::summary(report);
    for (const QString& note : report.notes)
        summary += QStringLiteral("\nΠροσοχή: ") + note;
    m_summary->setText(summary);
    // The first case to watch is ready to be watched.
    for (size_t i = 0; i < m_watchable.size(); ++i)
        if (m_watchable[i]) {
            m_results->selectRow(int(i));
            break;
        }
    selectionChanged();
}

int ExercisePanel::selectedCase() const {
    const QList<QTableWidgetItem*> selected = m_results->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int row = selected.first()->row();
    return row < m_caseRows ? row : -1;
}

void ExercisePanel::selectionChanged() {
    const int index = selectedCase();
    m_step->setEnabled(index >= 0 && size_t(index) < m_watchable.size() &&
                       m_watchable[size_t(index)]);
}

#include "gui/exercise/NewExerciseDialog.h"
#include "gui/windows/PlainTextEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

NewExerciseDialog::NewExerciseDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Νέα άσκηση από αυτό το διάγραμμα"));
    title = new QLineEdit(this);
    statement = new PlainTextEdit(this);
    cases = new PlainTextEdit(this);
    cases->setPlaceholderText(QStringLiteral("5, 3\n7, 2\n*10, 20"));
    compare = new QComboBox(this);
    compare->addItem(QStringLiteral("οι αριθμοί"), int(Exercise::Compare::Numbers));
    compare->addItem(QStringLiteral("οι λέξεις και οι αριθμοί"), int(Exercise::Compare::Words));
    compare->addItem(QStringLiteral("όλο το κείμενο ακριβώς"), int(Exercise::Compare::Exact));
    exam = new QCheckBox(QStringLiteral("Διαγώνισμα: κρύβονται οι μετατροπές"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Αποθήκευση…"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Άκυρο"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Τίτλος:"), title);
    form->addRow(QStringLiteral("Εκφώνηση:"), statement);
    auto* help =
        new QLabel(QStringLiteral("Μία περίπτωση σε κάθε γραμμή: οι τιμές εισόδου με "
                                  "κόμμα ανάμεσα. Με «*» μπροστά η περίπτωση είναι κρυφή."),
                   this);
    help->setWordWrap(true);
    form->addRow(help);
    form->addRow(QStringLiteral("Περιπτώσεις:"), cases);
    form->addRow(QStringLiteral("Συγκρίνονται:"), compare);
    form->addRow(exam);
    form->addRow(buttons);
    resize(520, 460);
}

Exercise NewExerciseDialog::exercise() const {
    Exercise e;
    e.title = title->text().trimmed();
    e.statement = statement->toPlainText().trimmed();
    e.compare = Exercise::Compare(compare->currentData().toInt());
    e.exam = exam->isChecked();
    for (QString line : cases->toPlainText().split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        Exercise::Case c;
        c.hidden = line.startsWith(QLatin1Char('*'));
        if (c.hidden)
            line.remove(0, 1);
        for (const QString& value : line.split(QLatin1Char(','), Qt::SkipEmptyParts))
            if (!value.trimmed().isEmpty())
                c.inputs << value.trimmed();
        e.cases.push_back(c);
    }
    return e;
}

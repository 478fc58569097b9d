#include "gui/windows/QtModalQuestions.h"

#include "gui/windows/GreekQtTexts.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Gives the OK and Cancel buttons of a standard dialog their Greek texts.
void greekButtons(QDialog& dialog) {
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(ModalQuestions::okText());
        if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel))
            cancel->setText(ModalQuestions::cancelText());
    }
}

void greekFileDialog(QFileDialog& dialog, const QString& acceptText) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Αναζήτηση σε:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Όνομα αρχείου:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Τύπος αρχείων:"));
    dialog.setLabelText(QFileDialog::Accept, acceptText);
    dialog.setLabelText(QFileDialog::Reject, ModalQuestions::cancelText());
}

// "kv" for a first filter "Διάγραμμα Ροής (*.kv)"; empty when it names no single extension.
QString defaultSuffixOf(const QStringList& filters) {
    if (filters.isEmpty())
        return {};
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\(\\*\\.(\\w+)\\)")).match(filters.first());
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

void QtModalQuestions::placeClear(QWidget& box) const {
    if (keptClear().isEmpty() || !m_owner)
        return;
    box.adjustSize();
    const QScreen* screen = m_owner->screen();
    const QRect owner(m_owner->mapToGlobal(QPoint(0, 0)), m_owner->size());
    const QSize withTitleBar = box.size() + QSize(0, 32); // the frame is not known before it shows
    box.move(placeClearOf(withTitleBar, owner, keptClear(),
                          screen ? screen->availableGeometry() : QRect()));
}

ModalQuestions::Answer QtModalQuestions::messageBox(const QString& text, const QString& title,
                                                    Buttons buttons) {
    QMessageBox box(m_owner);
    box.setWindowTitle(title);
    box.setText(text);
    if (buttons != Buttons::Ok) {
        box.setIcon(QMessageBox::Question);
        QPushButton* yes = box.addButton(yesText(), QMessageBox::YesRole);
        QPushButton* no = box.addButton(noText(), QMessageBox::NoRole);
        QPushButton* remove = buttons == Buttons::YesNoDelete
                                  ? box.addButton(deleteText(), QMessageBox::DestructiveRole)
                                  : nullptr;
        QPushButton* cancel = buttons == Buttons::YesNoCancel
                                  ? box.addButton(cancelText(), QMessageBox::RejectRole)
                                  : nullptr;
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel ? cancel : no);
        box.exec();
        if (remove && box.clickedButton() == remove)
            return Answer::Delete;
        if (cancel && box.clickedButton() == cancel)
            return Answer::Cancel;
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton* ok = box.addButton(okText(), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    placeClear(box);
    box.exec();
    return Answer::Ok;
}

std::optional<QString> QtModalQuestions::inputBox(const QString& prompt, const QString& title,
                                                  const QString& defaultText) {
    QInputDialog dialog(m_owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(okText());
    dialog.setCancelButtonText(cancelText());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

ModalQuestions::RunInput QtModalQuestions::runInputBox(const QString& text, const QString& title) {
    // A window of its own, not a child: the main window stays usable (its Stop), and a box
    // that outlives it is not destroyed twice.
    QDialog box(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
    box.setWindowTitle(title);
    auto* label = new QLabel(text, &box);
    label->setWordWrap(true);
    auto* edit = new QLineEdit(&box);
    auto* ok = new QPushButton(okText(), &box);
    auto* cancel = new QPushButton(cancelText(), &box);
    auto* stop = new QPushButton(QStringLiteral("Διακοπή εκτέλεσης"), &box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(stop);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addLayout(buttons);
    QEventLoop loop;
    m_runAnswer = {};
    const auto answer = [&](RunInput::Kind kind) {
        m_runAnswer = {kind, kind == RunInput::Kind::Value ? edit->text() : QString()};
        loop.quit();
    };
    QObject::connect(ok, &QPushButton::clicked, &box, [&] { answer(RunInput::Kind::Value); });
    QObject::connect(edit, &QLineEdit::returnPressed, &box, [&] { answer(RunInput::Kind::Value); });
    QObject::connect(cancel, &QPushButton::clicked, &box,
                     [&] { answer(RunInput::Kind::AskAgain); });
    QObject::connect(stop, &QPushButton::clicked, &box, [&] { answer(RunInput::Kind::Stop); });
    QObject::connect(&box, &QDialog::rejected, &box, [&] { answer(RunInput::Kind::AskAgain); });
    if (m_owner)
        QObject::connect(m_owner, &QObject::destroyed, &box, [&] { answer(RunInput::Kind::Stop); });
    m_runInput = &loop;
    box.adjustSize();
    if (m_owner)
        box.move(m_owner->mapToGlobal(m_owner->rect().center()) - box.rect().center());
    box.show();
    box.raise();
    box.activateWindow();
    edit->setFocus();
    loop.exec();
    m_runInput = nullptr;
    return m_runAnswer;
}

void QtModalQuestions::stopRunInput() {
    if (!m_runInput)
        return;
    m_runAnswer = {RunInput::Kind::Stop, {}};
    m_runInput->quit();
}

QString QtModalQuestions::openFileName(const QString& title, const QString& folder,
                                       const QStringList& filters) {
    QFileDialog dialog(m_owner, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    greekFileDialog(dialog, QStringLiteral("Άνοιγμα"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString QtModalQuestions::saveFileName(const QString& title, const QString& suggestedPath,
                                       const QStringList& filters) {
    GreekQtTexts::installOnce();
    QFileDialog dialog(m_owner, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the first filter's, inside the dialog, so that
    // the dialog's question before replacing a file sees the name that will be written.
    dialog.setDefaultSuffix(defaultSuffixOf(filters));
    greekFileDialog(dialog, QStringLiteral("Αποθήκευση"));
    dialog.selectFile(suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

std::optional<QColor> QtModalQuestions::color(const QColor& initial, const QString& title) {
    QColorDialog dialog(initial, m_owner);
    dialog.setWindowTitle(title);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    greekButtons(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<QFont> QtModalQuestions::font(const QFont& initial, const QString& title) {
    QFontDialog dialog(initial, m_owner);
    dialog.setWindowTitle(title);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    greekButtons(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

#include "SetupWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

setup_form::setup_form(Installation& installation, QWidget* parent)
    : QWidget(parent), m_installation(installation) {
    setWindowTitle(QStringLiteral("version ") + QStringLiteral(KELVRA_VERSION));
    Label1 = new QLabel(QStringLiteral("Εγκατάσταση αρχείων εφαρμογής"), this);
    QFont title = Label1->font();
    title.setPointSize(title.pointSize() + 4);
    title.setBold(true);
    Label1->setFont(title);
    Label3 = new QLabel(QStringLiteral("Το πρόγραμμα θα εγκατασταθεί στον φάκελο ") +
                            installation.path(38) +
                            QStringLiteral("/Kelvra\n"
                                           "Δεν πειράζει το μητρώο των Windows "
                                           "ούτε τα αρχεία του συστήματος.\n"
                                           "Θα γίνουν συντομεύσεις στο μενού "
                                           "εφαρμογών και στην επιφάνεια "
                                           "εργασίας."),
                        this);
    Label3->setWordWrap(true);
    Label2 = new QLabel(this);
    Command1 = new QPushButton(QStringLiteral("Εγκατάσταση"), this);
    Command2 = new QPushButton(QStringLiteral("Τέλος"), this);
    Command3 = new QPushButton(QStringLiteral("Απεγκατάσταση"), this);
    Command3->setVisible(installation.isInstalled());
    connect(Command1, &QPushButton::clicked, this, &setup_form::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &setup_form::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    showMessage = [this](const QString& text, bool error) {
        QMessageBox box(error ? QMessageBox::Warning : QMessageBox::Information, windowTitle(),
                        text, QMessageBox::NoButton, this);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
    };
    confirm = [this](const QString& question) {
        QMessageBox box(QMessageBox::Question, windowTitle(), question, QMessageBox::NoButton,
                        this);
        QPushButton* yes = box.addButton(QStringLiteral("Ναι"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Όχι"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 120, 16); // the right edge shows the drawn picture
    layout->addWidget(Label1);
    layout->addSpacing(12);
    layout->addWidget(Label3);
    layout->addStretch();
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    resize(600, 320);
}

void setup_form::progress(const QString& line) {
    Label2->setText(line);
    QApplication::processEvents(); // the line is seen while the files are copied
}

void setup_form::Command1_Click() {
    Command2->setEnabled(false);
    Command1->setEnabled(false);
    Command3->setEnabled(false);
    const bool installed = m_installation.install([this](const QString& line) { progress(line); });
    if (!installed && !m_installation.error().isEmpty())
        Label2->setText(m_installation.error());
    showMessage(m_installation.finalMessage(), !installed);
    Command2->setEnabled(true); // the installation is not started twice
}

void setup_form::Command3_Click() {
    if (!confirm(QStringLiteral("Να αφαιρεθεί το Kelvra από τον υπολογιστή; Τα διαγράμματα που "
                                "αποθηκεύσατε μένουν.")))
        return;
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    const bool removed = m_installation.uninstall([this](const QString& line) { progress(line); });
    showMessage(m_installation.uninstallMessage(), !removed);
    Command3->setVisible(m_installation.isInstalled());
    Command3->setEnabled(true);
    Command1->setEnabled(true);
    Command2->setEnabled(true);
}

void setup_form::paintEvent(QPaintEvent*) {
    // The background: a soft gradient with flowchart shapes along its right edge.
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(0xE8, 0xF0, 0xFF));
    gradient.setColorAt(1, QColor(0xFF, 0xFF, 0xFF));
    painter.fillRect(rect(), gradient);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xB0, 0xC0, 0xE0), 2));
    painter.setBrush(Qt::NoBrush);
    const int x = width() - 90;
    painter.drawEllipse(QRectF(x, 20, 60, 24));
    painter.drawLine(QPointF(x + 30, 44), QPointF(x + 30, 64));
    painter.drawRect(QRectF(x - 5, 64, 70, 24));
    painter.drawLine(QPointF(x + 30, 88), QPointF(x + 30, 108));
    painter.drawPolygon(
        QPolygonF({{x + 30.0, 108}, {x + 70.0, 134}, {x + 30.0, 160}, {x - 10.0, 134}}));
}

#include "gui/execution/RunControlsFrame.h"

#include "core/drawing/ToolPictures.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>

namespace {
QToolButton* pictureButton(QWidget* parent, const QIcon& icon, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setToolTip(tip);
    return button;
}
} // namespace

RunControlsFrame::RunControlsFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Εκτέλεση"), parent) {
    cmdRun = pictureButton(this, ToolPictures::runIcon(), QStringLiteral("Εκτέλεση Κώδικα"));
    cmdStop = pictureButton(this, ToolPictures::stopIcon(), QStringLiteral("Διακοπή"));
    cmdNextStep =
        pictureButton(this, ToolPictures::nextStepIcon(), QStringLiteral("Βηματική Εκτέλεση"));
    chkPause = pictureButton(this, ToolPictures::pauseIcon(), QStringLiteral("Παύση"));
    chkPause->setText(QStringLiteral("Παύση"));
    chkPause->setCheckable(true);
    chkPause->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    chkPause->setEnabled(false);
    // Run and stop act on a mouse press; the keyboard must not start or stop a run.
    cmdRun->setFocusPolicy(Qt::NoFocus);
    cmdStop->setFocusPolicy(Qt::NoFocus);

    cmdVars = new QPushButton(QStringLiteral("Μεταβλητές"), this);
    cmdVars->setToolTip(QStringLiteral("Παράθυρο μεταβλητών"));
    Command1 = new QPushButton(QStringLiteral("Σχόλια"), this);
    Command1->setToolTip(QStringLiteral("Σχόλια του διαγράμματος"));

    scroll_ExecutionDelay = new QSlider(Qt::Vertical, this);
    scroll_ExecutionDelay->setRange(0, 5);
    scroll_ExecutionDelay->setPageStep(1);
    scroll_ExecutionDelay->setTickPosition(QSlider::TicksRight);
    scroll_ExecutionDelay->setToolTip(QStringLiteral("Ταχύτητα εκτέλεσης"));
    scroll_ExecutionDelay->setValue(4);

    lblDelay = new QLabel(this);
    lblDelay->setWordWrap(true);
    lblDelay->setAlignment(Qt::AlignCenter);

    auto* layout = new QGridLayout(this);
    layout->addWidget(cmdRun, 0, 0);
    layout->addWidget(cmdStop, 0, 1);
    layout->addWidget(cmdNextStep, 1, 0);
    layout->addWidget(chkPause, 1, 1);
    layout->addWidget(scroll_ExecutionDelay, 0, 2, 3, 1, Qt::AlignHCenter);
    layout->addWidget(lblDelay, 3, 0, 1, 3);
    layout->addWidget(cmdVars, 4, 0, 1, 3);
    layout->addWidget(Command1, 5, 0, 1, 3);
    layout->setRowStretch(6, 1);

    for (QWidget* w : {static_cast<QWidget*>(cmdRun), static_cast<QWidget*>(cmdStop),
                       static_cast<QWidget*>(cmdNextStep), static_cast<QWidget*>(chkPause),
                       static_cast<QWidget*>(cmdVars), static_cast<QWidget*>(Command1),
                       static_cast<QWidget*>(scroll_ExecutionDelay)}) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }
    setFixedWidth(130);
}

QString RunControlsFrame::speedLabel(int position) {
    static const char* const names[] = {
        "Bηματική εκτέλεση", "Πολύ Μικρή", "Μικρή", "Μέτρια", "Μεγάλη", "Πολύ Μεγάλη"};
    if (position <= 0)
        return QString::fromUtf8(names[0]);
    return QString::fromUtf8(names[std::min(position, 5)]) + QStringLiteral(" Ταχύτητα εκτέλεσης");
}

bool RunControlsFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) {
        if (auto* w = qobject_cast<QWidget*>(watched))
            emit hintChanged(w->toolTip());
    }
    return QGroupBox::eventFilter(watched, event);
}

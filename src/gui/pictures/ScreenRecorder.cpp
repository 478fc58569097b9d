#include "gui/pictures/ScreenRecorder.h"

#include "core/files/PathHelpers.h"
#include "core/model/ModalQuestions.h"
#include "gui/pictures/RecorderWindow.h"
#include "gui/pictures/ScreenPictures.h"
#include "gui/windows/MainMenus.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QWidget>

ScreenRecorder::ScreenRecorder(RecorderWindow& window, QObject* parent)
    : QObject(parent), m_window(window) {}

bool ScreenRecorder::recording() const {
    return m_window.menus().recordingShown();
}

QString ScreenRecorder::frameFolder() const {
    return m_userFolder.isEmpty() ? programFrameFolder() : m_userFolder;
}

QString ScreenRecorder::userFrameFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty())
        return pictures + QStringLiteral("/Kelvra");
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/frames");
}

namespace {
// True when a picture can be written into `folder` (made when missing).
bool acceptsFrames(const QString& folder) {
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}
} // namespace

QString ScreenRecorder::programFrameFolder() const {
    const QString program = withTrailingBackslash(m_window.programFolder());
    if (!QFileInfo(program + QStringLiteral("Temp")).isDir() &&
        QFileInfo(program + QStringLiteral("temp")).isDir())
        return program + QStringLiteral("temp");
    return program + QStringLiteral("Temp");
}

void ScreenRecorder::save_screen_Click() {
    m_counter = 0;
    QAction* item = m_window.menus().save_screen;
    m_window.menus().showRecording(item->text() == offCaption());
    if (item->text() != onCaption())
        return;
    // After an installation for all users the program folder is read-only: the frames then
    // go to the user's own pictures, and the message window says where, once.
    m_userFolder.clear();
    if (!acceptsFrames(programFrameFolder())) {
        const QString own = userFrameFolder();
        if (acceptsFrames(own)) {
            m_userFolder = own;
            m_window.showMessage(QStringLiteral("Ο φάκελος ") + programFrameFolder() +
                                 QStringLiteral(" δεν δέχεται εικόνες: η καταγραφή γράφει "
                                                "στον φάκελο ") +
                                 own + QLatin1Char('.'));
        }
    }
    m_window.questions().messageBox(QStringLiteral("Καταγραφή οθόνης σε αρχεία είναι ενεργή"),
                                    QStringLiteral("Προσοχή"), ModalQuestions::Buttons::Ok);
}

void ScreenRecorder::recordStep() {
    if (!recording())
        return;
    // The picture shows this step: its widgets set and painted, the input box answered
    // gone from under them.
    m_window.showRunOnScreen();
    const QStorageInfo storage(frameFolder());
    if (storage.isValid() && storage.bytesAvailable() < m_minimumFreeBytes) {
        stopRecording(QStringLiteral("ο ελεύθερος χώρος στο ") + storage.rootPath() +
                      QStringLiteral(" είναι λιγότερος από ") +
                      QString::number(m_minimumFreeBytes / (1024 * 1024)) + QStringLiteral(" MB"));
        return;
    }
    if (m_counter < 32767)
        ++m_counter;
    const QString path = frameFolder() + QStringLiteral("/ttt") + QString::number(m_counter) +
                         QStringLiteral(".bmp");
    if (!ScreenPictures::saveScreenFrame(path, &m_window.recordedWindow(), m_window.questions()) &&
        !QFile::exists(path))
        stopRecording(QStringLiteral("η εικόνα ") + path + QStringLiteral(" δεν γράφτηκε"));
}

void ScreenRecorder::stopRecording(const QString& reason) {
    // One failure is enough: a message per step would keep the pupil from reaching Stop.
    m_window.menus().showRecording(false);
    m_window.showMessage(QStringLiteral("Η καταγραφή οθονών σταμάτησε: ") + reason +
                         QLatin1Char('.'));
}

void ScreenRecorder::runEnded() {
    m_window.menus().showRecording(false);
    m_counter = 0;
}

#pragma once

#include "gui/windows/MainMenus.h"

#include <QObject>
#include <QString>

class RecorderWindow;

// "Καταγραφή οθονών": while on, a run saves one picture of the screen per step into the
// program folder's Temp folder, as ttt1.bmp, ttt2.bmp, ...
class ScreenRecorder : public QObject {
    Q_OBJECT
public:
    ScreenRecorder(RecorderWindow& window, QObject* parent);

    static QString offCaption() { return MainMenus::recordingCaption(false); }
    static QString onCaption() { return MainMenus::recordingCaption(true); }

    bool recording() const;
    int counter() const { return m_counter; }
    // The folder of the frames: the program folder's "Temp", or "temp" when only that
    // spelling exists, so that both spellings lead to one folder; the user's own folder
    // (userFrameFolder) when the program folder takes no pictures.
    QString frameFolder() const;
    QString programFrameFolder() const;
    // $XDG_PICTURES_DIR/Kelvra, or the user's cache when there is no pictures folder.
    static QString userFrameFolder();

    void save_screen_Click();
    // After a step: one more frame while recording is on.
    void recordStep();
    // A run ended: recording is off and the counter starts again.
    void runEnded();

    // Recording stops before the frames fill the disk.
    static constexpr qint64 defaultMinimumFreeBytes = 100LL * 1024 * 1024;
    void setMinimumFreeBytes(qint64 bytes) { m_minimumFreeBytes = bytes; }

private:
    // Switches recording off and says why, once; the run goes on.
    void stopRecording(const QString& reason);

    RecorderWindow& m_window;
    QString m_userFolder; // set while recording goes to the user's own folder
    int m_counter = 0;
    qint64 m_minimumFreeBytes = defaultMinimumFreeBytes;
};

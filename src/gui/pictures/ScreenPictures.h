#pragma once

#include <QPixmap>
#include <QString>

#include <functional>

class ModalQuestions;
class QWidget;

namespace ScreenPictures {

// A picture of the whole screen; where the platform gives none (a Wayland session, say),
// a picture of `fallback`, the main window, so that the diagram is still in it.
QPixmap grabScreen(QWidget* fallback);

// Called just before every picture is taken; lets tests see what was on the screen then.
using GrabObserver = std::function<void()>;
void setGrabObserver(const GrabObserver* observer);

// Saves a picture of the screen as a Windows bitmap file at `path`, never over an existing
// file. A failure is reported with its number and description; false when nothing was
// written.
bool saveScreenFrame(const QString& path, QWidget* fallback, ModalQuestions& questions);

} // namespace ScreenPictures

#pragma once

#include <QString>

class ModalQuestions;
class QWidget;
struct MainMenus;

// What screen recording needs of the main window: the menu item that switches it, the
// program folder, and a window whose last step is on the screen before a picture.
class RecorderWindow {
public:
    virtual ~RecorderWindow() = default;

    virtual MainMenus& menus() = 0;
    virtual ModalQuestions& questions() = 0;
    virtual void showMessage(const QString& text) = 0;
    virtual QString programFolder() const = 0;
    // Puts what the run has done so far on the widgets and paints the window.
    virtual void showRunOnScreen() = 0;
    // The window the pictures are taken of.
    virtual QWidget& recordedWindow() = 0;
};

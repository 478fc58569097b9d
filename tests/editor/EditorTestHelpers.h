#pragma once

#include "core/model/Block.h"
#include "core/model/Diagram.h"
#include "core/windows/ScriptedQuestions.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/canvas/ShapeWidget.h"
#include "gui/editor/CommandToolbar.h"
#include "gui/editor/MainWindow.h"
#include "gui/files/FileCommands.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>

// A main window shown offscreen, with scripted questions, driven by real mouse events.
struct EditorFixture {
    ScriptedQuestions questions;
    Main_F window{&questions};

    EditorFixture() {
        window.resize(1000, 700);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the main window was not exposed");
    }

    Diagram& diagram() { return window.diagram(); }
    CanvasWidget* canvas() { return window.canvas(); }

    void clickToolButton(int index) {
        QToolButton* button = window.fraToolBar1()->button(index);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void clickCanvas(QPoint at, Qt::MouseButton button = Qt::LeftButton,
                     Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(canvas(), button, modifiers, at);
    }
    // Presses the left button at `from` on `widget`, moves with it held to `to`, releases:
    // a drag as the pupil makes it (QTest's own move carries no held button).
    static void drag(QWidget* widget, QPoint from, QPoint to) {
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), widget->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
    }
    // Lets pending repaints run, so that blocks fit their sizes.
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QTest::qWait(20);
    }
    cBck* lastBlock() { return diagram().the_bl_co().Item(diagram().the_bl_co().Count()); }
};

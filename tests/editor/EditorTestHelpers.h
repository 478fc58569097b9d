#pragma once

#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Diagram.h"
#include "core/windows/ScriptedQuestions.h"
#include "gui/canvas/CanvasWidget.h"
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
    // A point of block n (its surface index), counted from the block's corner, in the
    // canvas's pixels: where the pupil points.
    QPoint onBlock(int n, QPoint local) { return canvas()->blockViewRect(n).topLeft() + local; }
    QPoint blockCentre(int n) { return canvas()->blockViewRect(n).center(); }
    QPoint blockCorner(int n) { return canvas()->blockViewRect(n).topLeft(); }
    void clickBlock(int n, Qt::MouseButton button = Qt::LeftButton,
                    Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(canvas(), button, modifiers, blockCentre(n));
    }
    void dragBlock(int n, QPoint from, QPoint to) {
        drag(canvas(), onBlock(n, from), onBlock(n, to));
    }
    // Keys reach block n as they do after a click on it.
    void keyClickBlock(int n, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        canvas()->setFocusBlock(n);
        QTest::keyClick(canvas(), key, modifiers);
    }
    void keyReleaseBlock(int n, Qt::Key key) {
        canvas()->setFocusBlock(n);
        QTest::keyRelease(canvas(), key);
    }
    // Lets pending repaints run, so that blocks fit their sizes.
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QTest::qWait(20);
    }
    cBck* lastBlock() { return diagram().the_bl_co().Item(diagram().the_bl_co().Count()); }
};

#pragma once

#include "core/model/Block.h"
#include "core/model/Diagram.h"
#include "core/windows/ScriptedQuestions.h"
#include "gui/canvas/CanvasWidget.h"
#include "gui/canvas/ShapeWidget.h"
#include "gui/editor/CommandToolbar.h"
#include "gui/editor/MainWindow.h"
#include "gui/files/FileCommands.h"

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
    // Lets pending repaints run, so that blocks fit their sizes.
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QTest::qWait(20);
    }
    cBck* lastBlock() { return diagram().the_bl_co().Item(diagram().the_bl_co().Count()); }
};

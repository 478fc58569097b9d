#pragma once

#include "core/exercise/Exercise.h"

#include <QObject>
#include <functional>
#include <optional>

class Diagram;
class ExercisePanel;
class ModalQuestions;
class QAction;
class QMainWindow;
class QMenu;
class RunController;
struct MainMenus;

// The "Άσκηση" menu and what it acts on: the open exercise, its panel, the check of the
// diagram (F6), watching a case step by step, and a new exercise made from the diagram. An
// exam exercise hides the conversions while it is open.
class ExerciseActions : public QObject {
    Q_OBJECT
public:
    ExerciseActions(QMainWindow& window, MainMenus& menus, Diagram& diagram,
                    ModalQuestions& questions, RunController& runs);

    QMenu* menu() const { return m_menu; }
    QAction* openAction() const { return m_open; }
    QAction* checkAction() const { return m_check; }
    QAction* newAction() const { return m_new; }
    QAction* closeAction() const { return m_close; }
    ExercisePanel* panel() const { return m_panel; }
    const std::optional<Exercise>& exercise() const { return m_exercise; }

    // Opens an exercise file; false with a message when it cannot be used.
    bool open(const QString& path);
    void check();
    void watchCase(int index);
    void makeFromDiagram();
    void close();
    // Where the file dialogs begin, until an exercise is opened: then in its folder.
    void setFolderSource(std::function<QString()> source) { m_folderSource = std::move(source); }

private:
    void showConversions(bool shown);

    QMainWindow& m_window;
    MainMenus& m_menus;
    Diagram& m_diagram;
    ModalQuestions& m_questions;
    RunController& m_runs;
    QMenu* m_menu;
    QAction* m_open;
    QAction* m_check;
    QAction* m_new;
    QAction* m_close;
    ExercisePanel* m_panel;
    std::optional<Exercise> m_exercise;
    QStringList m_notes;
    QString folder() const;

    QString m_folder; // the open exercise's
    std::function<QString()> m_folderSource;
};

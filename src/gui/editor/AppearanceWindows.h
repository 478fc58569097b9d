#pragma once

#include <QColor>
#include <QDialog>
#include <optional>
#include <vector>

class Diagram;
class EditorWindow;
class QCheckBox;
class QFontComboBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

// "Διαγραφές ...": the block window a right click opens.
class Size_F : public QDialog {
    Q_OBJECT
public:
    explicit Size_F(EditorWindow& window);
    // Shows the window beside the block at (left, top); it hides itself at once when no block
    // is current.
    void openFor(double left, double top);

    QPushButton* Command3;
    QPushButton* Command4;
    QPushButton* Command1;

protected:
    void changeEvent(QEvent* event) override;

private:
    void Command3_Click();
    void Command4_Click();
    EditorWindow& m_window;
};

// "Διαστάσεις ...": shifts the whole diagram.
class Sizeshp_F : public QDialog {
    Q_OBJECT
public:
    explicit Sizeshp_F(EditorWindow& window);
    // Records where every block is, then shows the window with both shifts at 100.
    void openFor(Diagram& diagram);

    QScrollBar* UpDownWidth;  // down
    QScrollBar* UpDownHeight; // right
    QLineEdit* txtWidth;
    QLineEdit* txtHeight;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void changeEvent(QEvent* event) override;

private:
    void shift();
    void Command2_Click();
    EditorWindow& m_window;
    std::vector<double> m_savedTops;
    std::vector<double> m_savedLefts;
};

// "Αλλαγή γραμματοσειράς": the text colour, font, bold and italic of block texts.
class font1 : public QDialog {
    Q_OBJECT
public:
    explicit font1(EditorWindow& window);
    // Shows the window with the font of the last block, and asks for the text colour at once.
    void openWindow();

    QFontComboBox* Combo1;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void Command1_Click();
    EditorWindow& m_window;
    std::optional<QColor> m_colour;
};

// The colour commands of the "Επεξεργασία" menu.
class Appearance {
public:
    explicit Appearance(EditorWindow& window) : m_window(window) {}
    void ch_color_screen();
    void mnuChangeBackColor_Click();
    void mnuChangeBorderColor_Click();
    void mnuChangeTextColor_Click();
    void mnuChangeSize_Click();

private:
    std::optional<QColor> chooseColour();
    void setWindowColour(const QColor& colour);
    EditorWindow& m_window;
    QColor m_lastColour = Qt::black;
};

#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The help window opened from "Βοήθεια".
class frm_h : public QWidget {
    Q_OBJECT
public:
    explicit frm_h(QWidget* owner);

    static QString helpText();

    QLabel* picture;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
};

#pragma once

#include "Installation.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

// "version 2.70": one button installs, the other ends the installer.
class setup_form : public QWidget {
    Q_OBJECT
public:
    explicit setup_form(Installation& installation, QWidget* parent = nullptr);

    // Shows the final message or an error; replaceable so that tests answer it.
    std::function<void(const QString& text, bool error)> showMessage;
    // "Να αφαιρεθεί το Kelvra;": true to go on (replaced by tests).
    std::function<bool(const QString& question)> confirm;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Command1;
    QPushButton* Command2;
    // "Απεγκατάσταση", shown when an installation is found.
    QPushButton* Command3;

    void Command1_Click();
    void Command3_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void progress(const QString& line);

    Installation& m_installation;
};

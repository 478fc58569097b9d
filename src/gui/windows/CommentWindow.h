#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The comment window: the free comment text of the open diagram, saved with it.
// Its tag records whether it is hidden ("1") or shown ("0").
class frm_comm : public QWidget {
    Q_OBJECT
public:
    explicit frm_comm(QWidget* owner);

    QString commentText() const;
    void setCommentText(const QString& text);

    QString tag() const { return m_tag; }
    // The "Σχόλια" button: shows the window under `title` or hides it, by the tag.
    void toggle(const QString& title);

    QPlainTextEdit* text1;
    QPushButton* Command1;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillBox();

    QString m_tag = QStringLiteral("1");
    // A loaded comment waits here until the window is first shown: laying out a long
    // comment in the text box is slow, and most comments are never opened.
    QString m_text;
    bool m_boxHoldsText = true;
};

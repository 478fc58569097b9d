#pragma once

#include "core/model/ModalQuestions.h"

#include <QList>
#include <QVariant>
#include <deque>
#include <functional>

// Answers modal questions from a script and records what was asked.
// With the script exhausted: message boxes answer OK or No, everything else cancels.
class ScriptedQuestions : public ModalQuestions {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, Color, Font };

    struct Asked {
        Kind kind;
        QString text; // message text or prompt
        QString title;
        Buttons buttons = Buttons::Ok;
        QString detail;  // default text, folder or suggested path
        QRect keptClear; // where a message box was asked to stay clear of
    };

    // Called while a message box is "up", before it is answered: the screen as the pupil
    // would see it behind the box.
    std::function<void(const Asked&)> whileAsking;

    // Queue answers in the order the questions will come.
    void answerMessage(Answer answer) { m_answers.push_back(QVariant::fromValue(int(answer))); }
    void answerText(const QString& text) { m_answers.push_back(text); }
    void answerCancel() { m_answers.push_back(QVariant()); }
    // "Διακοπή εκτέλεσης" in a run's input box.
    void answerStopRun() { m_answers.push_back(QVariant::fromValue(QStringList{"stop"})); }
    void answerColor(const QColor& color) { m_answers.push_back(color); }
    void answerFont(const QFont& font) { m_answers.push_back(font); }

    const QList<Asked>& asked() const { return m_asked; }
    int pendingAnswers() const { return int(m_answers.size()); }
    void clear();

    Answer messageBox(const QString& text, const QString& title, Buttons buttons) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QStringList& filters) override;
    QString saveFileName(const QString& title, const QString& suggestedPath,
                         const QStringList& filters) override;
    std::optional<QColor> color(const QColor& initial, const QString& title) override;
    std::optional<QFont> font(const QFont& initial, const QString& title) override;
    bool canAskAgain() const override { return !m_answers.empty(); }
    RunInput runInputBox(const QString& text, const QString& title) override;

private:
    QVariant nextAnswer();

    std::deque<QVariant> m_answers;
    QList<Asked> m_asked;
};

#pragma once

#include <QEventLoop>

#include "core/model/ModalQuestions.h"

#include <QPointer>
#include <QWidget>

// The real dialogs, with Greek buttons and labels (Qt itself ships no Greek texts here).
class QtModalQuestions : public ModalQuestions {
public:
    explicit QtModalQuestions(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    Answer messageBox(const QString& text, const QString& title, Buttons buttons) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QStringList& filters) override;
    QString saveFileName(const QString& title, const QString& suggestedPath,
                         const QStringList& filters) override;
    std::optional<QColor> color(const QColor& initial, const QString& title) override;
    std::optional<QFont> font(const QFont& initial, const QString& title) override;
    // Not modal: the run panel's Stop stays within reach while the box waits.
    RunInput runInputBox(const QString& text, const QString& title) override;
    bool runInputOpen() const override { return m_runInput != nullptr; }
    void stopRunInput() override;

private:
    // Moves a box clear of keptClear(), when that is set.
    void placeClear(QWidget& box) const;

    QPointer<QWidget> m_owner;
    // The open input box of a run and how it ended.
    QEventLoop* m_runInput = nullptr;
    RunInput m_runAnswer;
};

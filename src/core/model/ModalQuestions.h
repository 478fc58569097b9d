#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

// Every modal question the program asks goes through this seam, so that tests and the
// headless tool can answer by script and no test ever blocks on a real modal window.
class ModalQuestions {
public:
    enum class Buttons {
        Ok,
        YesNo,
        YesNoDelete, // "Ναι", "Όχι" and "Διαγραφή", for a recovered diagram
        YesNoCancel  // "Ναι", "Όχι" and "Άκυρο", which goes back to the diagram
    };
    enum class Answer { Ok, Yes, No, Delete, Cancel };

    virtual ~ModalQuestions() = default;

    virtual Answer messageBox(const QString& text, const QString& title, Buttons buttons) = 0;
    // An input box: nullopt when cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // File dialogs: an empty text when cancelled. Filters are "Name (*.ext)" entries.
    virtual QString openFileName(const QString& title, const QString& folder,
                                 const QStringList& filters) = 0;
    virtual QString saveFileName(const QString& title, const QString& suggestedPath,
                                 const QStringList& filters) = 0;
    virtual std::optional<QColor> color(const QColor& initial, const QString& title) = 0;
    virtual std::optional<QFont> font(const QFont& initial, const QString& title) = 0;

    // The input box of a run: a value, or nothing (empty, "Άκυρο", Esc: asked again), or the
    // run stopped ("Διακοπή εκτέλεσης" in the box, or Stop on the run panel while it is open).
    struct RunInput {
        enum class Kind { Value, AskAgain, Stop };
        Kind kind = Kind::AskAgain;
        QString text;
    };
    virtual RunInput runInputBox(const QString& text, const QString& title) {
        const std::optional<QString> given = inputBox(text, title, QString());
        return given ? RunInput{RunInput::Kind::Value, *given} : RunInput{};
    }
    // The run panel's Stop while a run's input box is open: the box answers Stop.
    virtual bool runInputOpen() const { return false; }
    virtual void stopRunInput() {}

    // False once no further answer can come (a script that ran out): a question that must
    // be asked again until answered then gives up instead of asking for ever.
    virtual bool canAskAgain() const { return true; }

    // Message boxes shown from now on stay clear of this screen rectangle (an explanation
    // the pupil must be able to read beside the box); an empty rectangle ends that.
    virtual void keepClearOf(const QRect& screenRect) { m_keepClear = screenRect; }
    QRect keptClear() const { return m_keepClear; }

    // Where a box of `size`, normally centred on `owner`, goes so as not to cover `avoid`,
    // staying on `screen` when it can.
    static QPoint placeClearOf(const QSize& size, const QRect& owner, const QRect& avoid,
                               const QRect& screen);

    // The Greek texts of the standard buttons, shared by the Qt dialogs.
    static QString yesText();
    static QString noText();
    static QString okText();
    static QString cancelText();
    static QString deleteText();

private:
    QRect m_keepClear;
};

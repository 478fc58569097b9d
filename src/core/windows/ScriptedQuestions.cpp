#include "core/windows/ScriptedQuestions.h"

void ScriptedQuestions::clear() {
    m_answers.clear();
    m_asked.clear();
}

QVariant ScriptedQuestions::nextAnswer() {
    if (m_answers.empty())
        return {};
    QVariant answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

ModalQuestions::Answer ScriptedQuestions::messageBox(const QString& text, const QString& title,
                                                     Buttons buttons) {
    m_asked.append({Kind::Message, text, title, buttons, {}, keptClear()});
    if (whileAsking)
        whileAsking(m_asked.last());
    const QVariant answer = nextAnswer();
    if (answer.typeId() == QMetaType::Int)
        return Answer(answer.toInt());
    return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
}

ModalQuestions::RunInput ScriptedQuestions::runInputBox(const QString& text, const QString& title) {
    if (!m_answers.empty() && m_answers.front().typeId() == QMetaType::QStringList) {
        m_asked.append({Kind::Input, text, title, Buttons::Ok, {}, {}});
        nextAnswer();
        return {RunInput::Kind::Stop, {}};
    }
    return ModalQuestions::runInputBox(text, title);
}

std::optional<QString> ScriptedQuestions::inputBox(const QString& prompt, const QString& title,
                                                   const QString& defaultText) {
    m_asked.append({Kind::Input, prompt, title, Buttons::Ok, defaultText, {}});
    const QVariant answer = nextAnswer();
    if (answer.typeId() == QMetaType::QString)
        return answer.toString();
    return std::nullopt;
}

QString ScriptedQuestions::openFileName(const QString& title, const QString& folder,
                                        const QStringList&) {
    m_asked.append({Kind::OpenFile, {}, title, Buttons::Ok, folder, {}});
    const QVariant answer = nextAnswer();
    return answer.typeId() == QMetaType::QString ? answer.toString() : QString();
}

QString ScriptedQuestions::saveFileName(const QString& title, const QString& suggestedPath,
                                        const QStringList&) {
    m_asked.append({Kind::SaveFile, {}, title, Buttons::Ok, suggestedPath, {}});
    const QVariant answer = nextAnswer();
    return answer.typeId() == QMetaType::QString ? answer.toString() : QString();
}

std::optional<QColor> ScriptedQuestions::color(const QColor&, const QString& title) {
    m_asked.append({Kind::Color, {}, title, Buttons::Ok, {}, {}});
    const QVariant answer = nextAnswer();
    if (answer.typeId() == QMetaType::QColor)
        return answer.value<QColor>();
    return std::nullopt;
}

std::optional<QFont> ScriptedQuestions::font(const QFont&, const QString& title) {
    m_asked.append({Kind::Font, {}, title, Buttons::Ok, {}, {}});
    const QVariant answer = nextAnswer();
    if (answer.typeId() == QMetaType::QFont)
        return answer.value<QFont>();
    return std::nullopt;
}

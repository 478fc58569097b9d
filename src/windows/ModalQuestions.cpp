#include "windows/ModalQuestions.h"

QString ModalQuestions::yesText() {
    return QStringLiteral("Ναι");
}
QString ModalQuestions::noText() {
    return QStringLiteral("Όχι");
}
QString ModalQuestions::okText() {
    return QStringLiteral("OK");
}
QString ModalQuestions::cancelText() {
    return QStringLiteral("Άκυρο");
}

#include "core/model/ModalQuestions.h"

#include <algorithm>

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

QString ModalQuestions::deleteText() {
    return QStringLiteral("Διαγραφή");
}

QPoint ModalQuestions::placeClearOf(const QSize& size, const QRect& owner, const QRect& avoid,
                                    const QRect& screen) {
    const QPoint centred(owner.center().x() - size.width() / 2,
                         owner.center().y() - size.height() / 2);
    if (avoid.isEmpty() || !QRect(centred, size).intersects(avoid))
        return centred;
    constexpr int gap = 12;
    const QPoint candidates[] = {
        {centred.x(), avoid.bottom() + gap},              // below
        {centred.x(), avoid.top() - gap - size.height()}, // above
        {avoid.right() + gap, centred.y()},               // to the right
        {avoid.left() - gap - size.width(), centred.y()}, // to the left
    };
    for (QPoint at : candidates) {
        // Slide along the screen's edge when only part of the box would leave it.
        if (!screen.isEmpty()) {
            at.setX(std::clamp(at.x(), screen.left(),
                               std::max(screen.left(), screen.right() + 1 - size.width())));
            at.setY(std::clamp(at.y(), screen.top(),
                               std::max(screen.top(), screen.bottom() + 1 - size.height())));
        }
        if (!QRect(at, size).intersects(avoid))
            return at;
    }
    return centred;
}

#include "gui/pictures/ScreenPictures.h"

#include "core/model/ModalQuestions.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ScreenPictures {

namespace {
const GrabObserver* grabObserver = nullptr;
} // namespace

void setGrabObserver(const GrabObserver* observer) {
    grabObserver = observer;
}

QPixmap grabScreen(QWidget* fallback) {
    if (grabObserver && *grabObserver)
        (*grabObserver)();
    QPixmap picture;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        picture = screen->grabWindow(0);
    if (picture.isNull() && fallback)
        picture = fallback->grab();
    return picture;
}

bool saveScreenFrame(const QString& path, QWidget* fallback, ModalQuestions& questions) {
    if (QFile::exists(path))
        return false; // an existing frame is never overwritten
    auto fail = [&questions](int number, const QString& description) {
        questions.messageBox(QStringLiteral("La8os #: ") + QString::number(number) +
                                 QStringLiteral(", ") + description,
                             QString(), ModalQuestions::Buttons::Ok);
        return false;
    };
    const QPixmap picture = grabScreen(fallback);
    if (picture.isNull())
        return fail(1, QStringLiteral("Δεν υπάρχει εικόνα της οθόνης"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.toImage().save(&buffer, "BMP"))
        return fail(2, QStringLiteral("Η εικόνα δεν μετατράπηκε σε bitmap"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(int(file.error()), file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int number = int(file.error());
        const QString description = file.errorString();
        file.close();
        file.remove(); // a half-written frame is no frame
        return fail(number, description);
    }
    return true;
}

} // namespace ScreenPictures

#include "files/HeadlessDiagram.h"

#include "files/DiagramFormat.h"

#include <QFile>
#include <QSaveFile>

bool HeadlessDiagram::load(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        m_sink.showMessage(QStringLiteral("Δεν υπάρχει το αρχείο: ") + path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_sink.showMessage(QStringLiteral("Δεν είναι δυνατό να διαβαστεί το αρχείο ") + path +
                           QStringLiteral(": ") + file.errorString());
        return false;
    }
    const DiagramFormat::ReadResult result = DiagramFormat::read(file.readAll(), m_diagram);
    switch (result.status) {
    case DiagramFormat::ReadResult::Status::NotReadable:
        m_sink.showMessage(QStringLiteral("Δεν είναι αρχείο αναγνώσιμο !"));
        return false;
    case DiagramFormat::ReadResult::Status::ReadError:
        m_sink.showMessage(QStringLiteral("Σφάλμα ανάγνωσης στο αρχείο ") + path +
                           QStringLiteral(", γραμμή ") + QString::number(result.errorLine) +
                           QStringLiteral(": ") + result.error);
        return false;
    case DiagramFormat::ReadResult::Status::Ok:
        break;
    }
    m_comment = result.comment;
    return true;
}

bool HeadlessDiagram::save(const QString& path) {
    const DiagramFormat::WriteResult written = DiagramFormat::write(m_diagram, m_comment);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(written.bytes) != written.bytes.size() ||
        !file.commit()) {
        m_sink.showMessage(QStringLiteral("Error on SAVE_FILE: ") + file.errorString());
        return false;
    }
    if (!written.unstorable.isEmpty())
        m_sink.showMessage(QStringLiteral("Οι χαρακτήρες «") + written.unstorable +
                           QStringLiteral("» δεν χωρούν σε αρχείο διαγράμματος και "
                                          "αποθηκεύτηκαν ως «?»."));
    return true;
}

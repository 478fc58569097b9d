#include "core/files/DiagramFile.h"

#include "core/files/DiagramFormat.h"
#include "core/files/SafeSave.h"
#include "core/model/Block.h"
#include "core/model/BlockCollection.h"
#include "core/model/Diagram.h"
#include "core/model/LineCollection.h"

#include <QFile>
#include <QFileInfo>

namespace DiagramFile {

namespace {

LoadResult refused(LoadResult::Status status, const QString& message) {
    LoadResult result;
    result.status = status;
    result.messages << message;
    return result;
}

QString unreadableMessage(const QString& path, const QString& reason) {
    return QStringLiteral("Δεν είναι δυνατό να διαβαστεί το αρχείο ") + path +
           QStringLiteral(": ") + reason;
}

} // namespace

void fitBlocks(Diagram& diagram) {
    // A block fits its caption when it is painted; a second painting lays the caption out in
    // the size the first one gave, when that size is new. A file saved by the editor holds
    // fitted sizes already, and its lines, laid out as it was read, stay as they are.
    bool resized = false;
    for (const auto& block : diagram.the_bl_co()) {
        const int width = block->shapeWidth();
        const int height = block->shapeHeight();
        block->PaintMe();
        if (block->shapeWidth() != width || block->shapeHeight() != height) {
            block->PaintMe();
            resized = true;
        }
    }
    if (resized)
        diagram.the_li_co().updateAllLines();
}

QString missingFileMessage(const QString& path) {
    return QStringLiteral("Δεν υπάρχει το αρχείο: ") + path;
}

QString notADiagramMessage(const QString& path) {
    return QStringLiteral("Το αρχείο ") + path + QStringLiteral(" δεν είναι διάγραμμα.");
}

QString saveFailedMessage(const QString& reason) {
    return QStringLiteral("Error on SAVE_FILE: ") + reason;
}

LoadResult load(const QString& path, Diagram& diagram) {
    const QFileInfo info(path);
    if (!info.exists()) {
        // A link that leads nowhere is no missing file: say what is wrong with it.
        QString loop;
        if (info.isSymLink() && SafeSave::finalTarget(path, &loop).isEmpty())
            return refused(LoadResult::Status::Unopenable, unreadableMessage(path, loop));
        return {};
    }
    // A device or a pipe may never end (opening a pipe even waits for a writer): only
    // regular files load.
    if (!info.isFile())
        return refused(LoadResult::Status::Unopenable,
                       unreadableMessage(path, info.isDir()
                                                   ? QStringLiteral("είναι φάκελος")
                                                   : QStringLiteral("δεν είναι κανονικό αρχείο")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(LoadResult::Status::Unopenable, unreadableMessage(path, file.errorString()));
    if (file.size() > maxFileSize)
        return refused(LoadResult::Status::Unopenable,
                       unreadableMessage(path, QStringLiteral("είναι πολύ μεγάλο για διάγραμμα")));
    const DiagramFormat::ReadResult read = DiagramFormat::read(file.read(maxFileSize), diagram);
    LoadResult result;
    if (read.utf8)
        result.messages << QStringLiteral("Το αρχείο ") + path +
                               QStringLiteral(" είναι γραμμένο σε UTF-8 και διαβάστηκε έτσι· "
                                              "θα αποθηκευτεί σε Windows-1253.");
    switch (read.status) {
    case DiagramFormat::ReadResult::Status::NotReadable:
        result.status = LoadResult::Status::NotReadable;
        result.messages << QStringLiteral("Δεν είναι αρχείο αναγνώσιμο !");
        break;
    case DiagramFormat::ReadResult::Status::ReadError:
        result.status = LoadResult::Status::ReadError;
        result.messages << QStringLiteral("Σφάλμα ανάγνωσης στο αρχείο ") + path +
                               QStringLiteral(", γραμμή ") + QString::number(read.errorLine) +
                               QStringLiteral(": ") + read.error;
        break;
    case DiagramFormat::ReadResult::Status::Ok:
        result.status = LoadResult::Status::Loaded;
        result.comment = read.comment;
        fitBlocks(diagram);
        break;
    }
    return result;
}

SaveResult save(const QString& path, const Diagram& diagram, const QString& comment) {
    const DiagramFormat::WriteResult written = DiagramFormat::write(diagram, comment);
    const SafeSave::Result result = SafeSave::writeFile(path, written.bytes);
    if (!result.ok)
        return {false, saveFailedMessage(result.error + QStringLiteral(" — ") + path)};
    if (written.unstorable.isEmpty())
        return {true, {}};
    return {true, QStringLiteral("Οι χαρακτήρες «") + written.unstorable +
                      QStringLiteral("» δεν χωρούν σε αρχείο διαγράμματος και "
                                     "αποθηκεύτηκαν ως «?».")};
}

} // namespace DiagramFile

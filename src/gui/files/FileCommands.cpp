#include "gui/files/FileCommands.h"

#include "core/files/DiagramFile.h"
#include "core/files/DiagramSnapshot.h"
#include "core/files/PathHelpers.h"
#include "core/files/RecentFiles.h"
#include "core/model/Block.h"
#include "core/model/BlockSurface.h"
#include "core/model/Canvas.h"
#include "core/model/Diagram.h"
#include "core/model/ModalQuestions.h"
#include "gui/files/FileWindow.h"
#include "gui/windows/CommentWindow.h"
#include "gui/windows/MainMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace {
const QString openTitle = QStringLiteral("Άνοιγμα διαγράμματος");
const QString saveTitle = QStringLiteral("Αποθήκευση διαγράμματος");
const QString lastFolderKey = QStringLiteral("files/lastFolder");
} // namespace

FileCommands::FileCommands(FileWindow& window, QObject* parent)
    : QObject(parent), m_window(window), m_programFolder(QCoreApplication::applicationDirPath()) {}

const QStringList& FileCommands::exampleFiles() {
    static const QStringList files = {
        QStringLiteral("artios-peritos.kv"), QStringLiteral("tpsifio.kv"),
        QStringLiteral("alarosika.kv"),      QStringLiteral("parago.kv"),
        QStringLiteral("fibo.kv"),           QStringLiteral("dynami.kv"),
        QStringLiteral("psifia.kv"),         QStringLiteral("minP.kv"),
        QStringLiteral("maxP.kv"),           QStringLiteral("maxabc.kv")};
    return files;
}

const QStringList& FileCommands::exampleFiles2D() {
    static const QStringList files = {QStringLiteral("min_ar_2.kv"), QStringLiteral("max_ar_2.kv")};
    return files;
}

void FileCommands::recordingOff() {
    m_window.menus().showRecording(false);
}

void FileCommands::nameFile(const QString& path) {
    m_currentFile = path;
    m_window.fileOwner().setWindowTitle(m_window.baseTitle() + QStringLiteral(" - ") +
                                        fileNameOf(path));
}

void FileCommands::unnameFile() {
    m_currentFile.clear();
    m_window.fileOwner().setWindowTitle(m_window.baseTitle());
}

bool FileCommands::load_FILE(const QString& path) {
    recordingOff();
    m_lastLoad = LoadOutcome::Missing;
    if (path == QStringLiteral("\\") || path == QStringLiteral("/") || !fileExists(path))
        return false;
    nameFile(path);
    Diagram& diagram = m_window.diagram();
    m_window.diagram().canvas().hideSelector();

    const DiagramFile::LoadResult result = DiagramFile::load(path, diagram);
    for (const QString& message : result.messages)
        m_window.showMessage(message);
    switch (result.status) {
    case DiagramFile::LoadResult::Status::Loaded:
        break;
    case DiagramFile::LoadResult::Status::NotReadable:
        m_lastLoad = LoadOutcome::NotReadable;
        // The examples name the file in their own message.
        if (!m_loadingExample)
            m_window.showMessage(DiagramFile::notADiagramMessage(path));
        markSaved(); // the diagram was cleared before the header was found missing
        unnameFile();
        emit diagramReplaced();
        return false;
    case DiagramFile::LoadResult::Status::Missing:
    case DiagramFile::LoadResult::Status::Unopenable:
        diagram.clear();
        [[fallthrough]];
    case DiagramFile::LoadResult::Status::ReadError:
        m_lastLoad = LoadOutcome::ReadError;
        unnameFile();
        emit diagramReplaced();
        return false;
    }
    m_lastLoad = LoadOutcome::Loaded;
    if (!m_loadingExample)
        RecentFiles::add(path);
    m_window.commentWindow()->setCommentText(result.comment);
    markSaved();
    emit diagramReplaced();
    return true;
}

QByteArray FileCommands::snapshot() const {
    return DiagramSnapshot::take(m_window.diagram(), m_window.commentWindow()->commentText());
}

void FileCommands::restoreSnapshot(const QByteArray& snapshot) {
    m_window.NEO();
    Diagram& diagram = m_window.diagram();
    diagram.canvas().hideSelector();
    const std::optional<QString> comment = DiagramSnapshot::restore(snapshot, diagram);
    m_window.commentWindow()->setCommentText(comment.value_or(QString()));
    diagram.currentBlockIndex = -1;
    diagram.previousBlockIndex = -1;
}

bool FileCommands::saveDiagram(const QString& path) {
    recordingOff();
    Diagram& diagram = m_window.diagram();
    const DiagramFile::SaveResult result =
        DiagramFile::save(path, diagram, m_window.commentWindow()->commentText());
    if (!result.saved) {
        m_window.questions().messageBox(result.message, QString(), ModalQuestions::Buttons::Ok);
        return false;
    }
    if (!result.message.isEmpty())
        m_window.showMessage(result.message);
    markSaved();
    rememberFolder(path);
    RecentFiles::add(path);
    return true;
}

bool FileCommands::hasUnsavedChanges() const {
    return m_changes.hasChanged(m_window.diagram(), m_window.commentWindow()->commentText());
}

void FileCommands::markSaved() {
    m_changes.markSaved(m_window.diagram(), m_window.commentWindow()->commentText());
    emit markedSaved();
}

bool FileCommands::openImported(const QByteArray& snapshot) {
    recordingOff();
    if (!askSaveChanges())
        return false;
    m_window.NEO1();
    markSaved();
    emit diagramReplaced();
    unnameFile();
    restoreSnapshot(snapshot);
    return true;
}

void FileCommands::openRecovered(const QByteArray& snapshot, const QString& originalPath) {
    restoreSnapshot(snapshot);
    if (originalPath.isEmpty())
        unnameFile();
    else
        nameFile(originalPath);
    emit diagramReplaced();
}

void FileCommands::askSaveChangesBeforeRun() {
    const QString comment = m_window.commentWindow()->commentText();
    if (m_changes.declinedBeforeRun(m_window.diagram(), comment))
        return;
    // A run goes on whatever the answer: there is nothing to cancel.
    if (!askSaveChanges(false))
        return;
    if (hasUnsavedChanges())
        m_changes.markDeclinedBeforeRun(m_window.diagram(), comment);
}

bool FileCommands::askSaveChanges(bool cancellable) {
    if (!hasUnsavedChanges())
        return true;
    const ModalQuestions::Answer answer = m_window.questions().messageBox(
        QStringLiteral("Το αρχείο ") + fileNameOf(m_currentFile) +
            QStringLiteral(" Δεν έχει αποθηκευθεί!\r\n\r\nΝα αποθηκευθεί?"),
        QStringLiteral("Αποθήκευση Αλλαγών"),
        cancellable ? ModalQuestions::Buttons::YesNoCancel : ModalQuestions::Buttons::YesNo);
    if (answer == ModalQuestions::Answer::Cancel)
        return false; // back to the diagram
    if (answer != ModalQuestions::Answer::Yes)
        return true;
    return mnuSave_Click();
}

void FileCommands::mnuNew_Click() {
    recordingOff();
    if (!askSaveChanges())
        return;
    m_window.NEO1();
    markSaved();
    emit diagramReplaced();
    m_window.text1()->hide();
    unnameFile();
    m_window.diagram().canvas().hideSelector();
    m_window.diagram().previousBlockIndex = -1;
}

void FileCommands::mnuLoad_Click() {
    recordingOff();
    if (!askSaveChanges())
        return;
    m_window.NEO();
    m_window.text1()->hide();
    const QString path = m_window.questions().openFileName(
        openTitle, startFolder(),
        {QStringLiteral("Διάγραμμα ροής (*.kv)"), QStringLiteral("όλα τα αρχεία (*)")});
    if (path.isEmpty())
        return;
    m_window.diagram().canvas().hideSelector();
    if (load_FILE(path))
        rememberFolder(path);
    m_window.diagram().currentBlockIndex = -1;
    m_window.diagram().previousBlockIndex = -1;
}

void FileCommands::fillRecentMenu() {
    QMenu* menu = m_window.menus().mnuRecent;
    menu->clear();
    const QStringList paths = RecentFiles::list();
    if (paths.isEmpty())
        menu->addAction(QStringLiteral("(κανένα αρχείο ακόμα)"))->setEnabled(false);
    int number = 0;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        QAction* entry = menu->addAction(
            QLatin1Char('&') + QString::number(++number) + QLatin1Char(' ') + info.fileName() +
            QStringLiteral("   (") + info.absolutePath() + QLatin1Char(')'));
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
}

void FileCommands::openRecent(const QString& path) {
    recordingOff();
    if (!askSaveChanges())
        return;
    m_window.NEO();
    m_window.text1()->hide();
    if (!load_FILE(path) && m_lastLoad == LoadOutcome::Missing) {
        m_window.questions().messageBox(DiagramFile::missingFileMessage(path), QString(),
                                        ModalQuestions::Buttons::Ok);
        RecentFiles::remove(path);
    }
    m_window.diagram().currentBlockIndex = -1;
    m_window.diagram().previousBlockIndex = -1;
}

void FileCommands::openExample(const QString& fileName) {
    if (!askSaveChanges())
        return;
    m_window.NEO();
    m_window.diagram().canvas().hideSelector();
    const QString path = withTrailingBackslash(m_programFolder) + fileName;
    m_loadingExample = true;
    const bool loaded = load_FILE(path);
    m_loadingExample = false;
    if (!loaded && m_lastLoad != LoadOutcome::ReadError)
        m_window.showMessage(DiagramFile::missingFileMessage(path));
    m_window.diagram().currentBlockIndex = -1;
    m_window.diagram().previousBlockIndex = -1;
}

void FileCommands::mnuExample_Click(int index) {
    if (index >= 0 && index < exampleFiles().size())
        openExample(exampleFiles()[index]);
}

void FileCommands::mnuExample2_Click(int index) {
    if (index >= 1 && index <= exampleFiles2D().size())
        openExample(exampleFiles2D()[index - 1]);
}

bool FileCommands::mnuSave_Click() {
    if (!m_currentFile.isEmpty())
        return saveDiagram(m_currentFile);
    return mnuSaveAs_Click();
}

QString FileCommands::freeDefaultName(const QString& folder) {
    const QString base = QStringLiteral("Διαγραμμα");
    for (int n = 0;; ++n) {
        const QString name =
            base + (n == 0 ? QString() : QString::number(n)) + QStringLiteral(".kv");
        if (!fileExists(withTrailingBackslash(folder) + name))
            return name;
    }
}

bool FileCommands::mnuSaveAs_Click() {
    const QString folder = startFolder();
    const QString suggested = m_currentFile.isEmpty()
                                  ? withTrailingBackslash(folder) + freeDefaultName(folder)
                                  : m_currentFile;
    QString path = m_window.questions().saveFileName(
        saveTitle, suggested,
        {QStringLiteral("Διάγραμμα Ροής (*.kv)"), QStringLiteral("All Files (*)")});
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kv");
    // The title and the file change only once the diagram is there.
    if (!saveDiagram(path))
        return false;
    nameFile(path);
    return true;
}

// Where Open and Save As begin: beside the open diagram, else where the pupil last opened or
// saved one, else the documents folder (never the program's own folder, hidden or read-only
// after an installation).
QString FileCommands::startFolder() const {
    if (!m_currentFile.isEmpty())
        return QFileInfo(m_currentFile).absolutePath();
    const QString last = QSettings().value(lastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void FileCommands::rememberFolder(const QString& path) {
    QSettings().setValue(lastFolderKey, QFileInfo(path).absolutePath());
}

void FileCommands::mnuExit_Click() {
    if (m_window.questions().messageBox(
            QStringLiteral("Να τερματισθεί το πρόγραμμα"), QStringLiteral("Προσοχή"),
            ModalQuestions::Buttons::YesNo) == ModalQuestions::Answer::Yes)
        m_window.fileOwner().close();
}

void FileCommands::openFromCommandLine(const QString& path) {
    if (!load_FILE(path) && m_lastLoad == LoadOutcome::Missing)
        m_window.showMessage(DiagramFile::missingFileMessage(path));
    m_window.diagram().currentBlockIndex = -1;
    m_window.diagram().previousBlockIndex = -1;
}

void FileCommands::Form_OLEDragDrop(const QStringList& files) {
    if (files.isEmpty() || !m_window.menus().mnuFile->isEnabled())
        return;
    // A dropped file replaces the diagram like Open does, so unsaved work is offered first.
    if (!askSaveChanges())
        return;
    m_window.diagram().canvas().hideSelector();
    load_FILE(files.first());
    m_window.diagram().currentBlockIndex = -1;
    m_window.diagram().previousBlockIndex = -1;
}

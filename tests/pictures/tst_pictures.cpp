#include "TestDiagram.h"
#include "core/drawing/DiagramRenderer.h"
#include "core/files/DiagramExport.h"
#include "core/files/HeadlessDiagram.h"
#include "core/model/DiagramBuilder.h"
#include "editor/EditorTestHelpers.h"
#include "gui/execution/RunController.h"
#include "gui/execution/RunControlsFrame.h"
#include "gui/files/FileCommands.h"
#include "gui/pictures/CaptureWindows.h"
#include "gui/pictures/ScreenPictures.h"
#include "gui/pictures/ScreenRecorder.h"
#include "gui/windows/MainMenus.h"
#include "gui/windows/MessageWindow.h"

#include "gui/files/PictureCommands.h"
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QSlider>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <limits>

namespace {

// A picture whose every pixel differs, so that any misplaced cut shows.
QPixmap patterned(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
    }
    return QPixmap::fromImage(image);
}

QImage cut(const QPixmap& screen, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
    ScriptedQuestions questions;
    auto* preview = new frm_foto(questions, nullptr);
    auto* capture = new frmCaptureRectangle(*preview);
    capture->ShowPicture(screen);
    QTest::mousePress(capture, button, {}, from);
    QTest::mouseMove(capture, to);
    QMouseEvent move(QEvent::MouseMove, to, capture->mapToGlobal(to), Qt::NoButton, button, {});
    QApplication::sendEvent(capture, &move);
    QTest::mouseRelease(capture, button, {}, to);
    const QImage picture = preview->picture().toImage();
    preview->setPicture(QPixmap()); // close without touching the clipboard
    preview->close();
    return picture;
}

struct RecordingFixture : EditorFixture {
    QTemporaryDir folder;
    DiagramBuilder b{diagram()};
    RecordingFixture() {
        window.files().setProgramFolder(folder.path());
        QStringList chain{b.start()};
        for (int i = 1; i <= 4; ++i)
            chain << b.assign("Χ", QString::number(i));
        chain << b.end();
        b.chain(chain);
        window.files().markSaved();
        window.fraDebug()->scroll_ExecutionDelay->setValue(5);
    }
    QString frame(int n) { return folder.filePath("Temp/ttt" + QString::number(n) + ".bmp"); }
    void runToTheEnd() {
        const qsizetype asked = questions.asked().size();
        QTest::mousePress(window.fraDebug()->cmdRun, Qt::LeftButton);
        QTest::mouseRelease(window.fraDebug()->cmdRun, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(questions.asked().size() > asked &&
                                     questions.asked().last().title == "Τερματισμός",
                                 5000);
    }
};

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void pngDrawnInBandsIsTheWholePicture();
    void dragDirectionDoesNotMatter();
    void clickGivesOnePixel();
    void clipboardOnlyAfterThePreviewCloses();
    void captureCommandYieldsAPicture();
    void recordingWritesOneFramePerStep();
    void recordingStopsWhenTheDiskFillsUp();
    void recordingSwitchAndFolder();
    void unwritableFolderReported();
    void exportedByExtension_data();
    void exportedByExtension();
    void printedPages_data();
    void printedPages();
};

void TestPictures::dragDirectionDoesNotMatter() {
    const QPixmap screen = patterned(300, 200);
    const QImage downRight = cut(screen, {52, 42}, {102, 82});
    const QImage upLeft = cut(screen, {102, 82}, {52, 42});
    QCOMPARE(downRight.size(), QSize(50, 40));
    QCOMPARE(downRight, upLeft);
    QCOMPARE(downRight.pixel(0, 0), screen.toImage().pixel(50, 40));
}

void TestPictures::clickGivesOnePixel() {
    const QPixmap screen = patterned(300, 200);
    QCOMPARE(cut(screen, {60, 60}, {60, 60}).size(), QSize(1, 1));
    QCOMPARE(cut(screen, {60, 60}, {90, 90}, Qt::RightButton).size(), QSize(1, 1));
}

void TestPictures::clipboardOnlyAfterThePreviewCloses() {
    QApplication::clipboard()->setText(QStringLiteral("πριν"));
    ScriptedQuestions questions;
    auto* preview = new frm_foto(questions, nullptr);
    auto* capture = new frmCaptureRectangle(*preview);
    capture->ShowPicture(patterned(200, 200));
    QTest::mousePress(capture, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 30), capture->mapToGlobal(QPointF(40, 30)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(capture, &move);
    QTest::mouseRelease(capture, Qt::LeftButton, {}, QPoint(40, 30));
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("πριν"));
    const QImage picture = preview->picture().toImage();
    preview->close();
    QCOMPARE(QApplication::clipboard()->image().convertToFormat(picture.format()), picture);
    QCOMPARE(questions.asked().size(), 1);
    QCOMPARE(questions.asked()[0].title, QStringLiteral("Αντιγραφή στο πρόχειρο"));
    QCOMPARE(questions.asked()[0].text,
             QStringLiteral("Η εικόνα έχει αποθηκευθεί στο πρόχειρο των Windows\r\n Με CTL+V "
                            "μπορείτε να την επικολλήσετε σε μια άλλη εφαρμογή."));
}

void TestPictures::captureCommandYieldsAPicture() {
    EditorFixture f;
    // Chosen from the open "Αρχείο" menu: the picture is taken once the menu has closed.
    QMenu* menu = f.window.menus().mnuFile;
    menu->popup(f.window.mapToGlobal(QPoint(0, 20)));
    QTRY_VERIFY(menu->isVisible());
    bool menuOpenAtCapture = true;
    ScreenPictures::GrabObserver observer = [&] { menuOpenAtCapture = menu->isVisible(); };
    ScreenPictures::setGrabObserver(&observer);
    f.window.menus().mnuRectangle->trigger();
    QTRY_VERIFY(f.window.captureWindow() && f.window.captureWindow()->isVisible());
    ScreenPictures::setGrabObserver(nullptr);
    QVERIFY(!menuOpenAtCapture);
    QTest::mousePress(f.window.captureWindow(), Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseRelease(f.window.captureWindow(), Qt::LeftButton, {}, QPoint(12, 12));
    QVERIFY(f.window.previewWindow()->isVisible());
    QVERIFY(!f.window.previewWindow()->picture().isNull());
    QVERIFY(!ScreenPictures::grabScreen(&f.window).isNull());
}

void TestPictures::recordingWritesOneFramePerStep() {
    RecordingFixture f;
    f.window.menus().save_screen->trigger();
    QCOMPARE(f.window.menus().save_screen->text(), ScreenRecorder::onCaption());
    f.runToTheEnd();
    for (int n = 1; n <= 5; ++n) {
        QImageReader reader(f.frame(n));
        QCOMPARE(reader.format(), QByteArray("bmp"));
        QVERIFY(!reader.read().isNull());
    }
    QVERIFY(!QFile::exists(f.frame(6)));
    QCOMPARE(f.window.menus().save_screen->text(), ScreenRecorder::offCaption());
    QCOMPARE(f.window.recorder().counter(), 0);

    // A second recording leaves the first frames alone.
    QFile first(f.frame(1));
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray before = first.readAll();
    first.close();
    QVERIFY(QFile::remove(f.frame(3)));
    f.window.menus().save_screen->trigger();
    f.runToTheEnd();
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), before);
    QVERIFY(QFile::exists(f.frame(3))); // only the missing number is written again
    QVERIFY(!QFile::exists(f.frame(6)));
}

void TestPictures::recordingSwitchAndFolder() {
    RecordingFixture f;
    QVERIFY(QDir(f.folder.path()).mkdir("temp"));
    f.window.menus().save_screen->trigger();
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("Καταγραφή οθόνης σε αρχεία είναι ενεργή"));
    QCOMPARE(f.questions.asked().last().title, QStringLiteral("Προσοχή"));
    QCOMPARE(f.window.recorder().frameFolder(), f.folder.filePath("temp"));
    QVERIFY(!QFileInfo::exists(f.folder.filePath("Temp")));
    const qsizetype asked = f.questions.asked().size();
    f.window.menus().save_screen->trigger();
    QCOMPARE(f.window.menus().save_screen->text(), ScreenRecorder::offCaption());
    QCOMPARE(f.questions.asked().size(), asked); // switching off says nothing
}

// The program folder takes no pictures (an installation for all users): the frames go to
// the user's own pictures folder, said once in the message window.
void TestPictures::unwritableFolderReported() {
    RecordingFixture f;
    QFile blocker(f.folder.filePath("Temp"));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    QTemporaryDir config;
    QTemporaryDir pictures;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QFile dirs(config.filePath("user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_PICTURES_DIR=\"" + pictures.path().toUtf8() + "\"\n");
    dirs.close();
    f.window.menus().save_screen->trigger();
    QCOMPARE(f.window.recorder().frameFolder(), pictures.filePath("Kelvra"));
    QVERIFY(f.window.messageSink().window() &&
            f.window.messageSink().window()->text().contains(pictures.filePath("Kelvra")));
    f.runToTheEnd();
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QVERIFY(QFile::exists(pictures.filePath("Kelvra/ttt1.bmp")));
    QVERIFY(QFile::exists(pictures.filePath("Kelvra/ttt5.bmp")));
    for (const auto& asked : f.questions.asked())
        QVERIFY(!asked.text.startsWith(QStringLiteral("La8os #: ")));
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("To πρόγραμμα τερματίστικε  επιτυχώς")); // the run went on
}

void TestPictures::recordingStopsWhenTheDiskFillsUp() {
    RecordingFixture f;
    f.window.menus().save_screen->trigger();
    f.window.recorder().setMinimumFreeBytes(std::numeric_limits<qint64>::max());
    f.runToTheEnd();
    QVERIFY(!QFile::exists(f.frame(1)));
    QCOMPARE(f.window.menus().save_screen->text(), ScreenRecorder::offCaption());
    const QString messages = f.window.messageSink().window()->text();
    QCOMPARE(messages.count(QStringLiteral("Η καταγραφή οθονών σταμάτησε")), 1);
    QCOMPARE(f.questions.asked().last().text,
             QStringLiteral("To πρόγραμμα τερματίστικε  επιτυχώς"));
}

// A picture taller than the bands it is drawn in is the diagram drawn whole: every band in
// its place (only a diagonal line may step a pixel differently where two bands meet).
void TestPictures::pngDrawnInBandsIsTheWholePicture() {
    HeadlessDiagram headless;
    DiagramBuilder b(headless.diagram());
    QStringList chain{b.start()};
    for (int i = 0; i < 20; ++i)
        chain << b.assign("Χ", QString::number(i));
    chain << b.end();
    b.chain(chain);
    b.link(chain[15], chain[3]); // a line going back up across several bands
    QTemporaryDir dir;
    const QString path = dir.filePath("long.png");
    QCOMPARE(DiagramExport::write(headless.diagram(), headless.canvas(), path, "long"), QString());
    const QImage written(path);
    QVERIFY(written.height() > 3 * 256);

    QString error;
    const QRectF bounds = DiagramRenderer::prepare(headless.diagram(), headless.canvas(), &error);
    QImage whole(written.size(), QImage::Format_RGB32);
    whole.fill(Qt::white);
    QPainter painter(&whole);
    painter.translate(-bounds.topLeft());
    DiagramRenderer::draw(painter, headless.diagram());
    painter.end();
    int differing = 0;
    const QImage same = written.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x)
            differing += same.pixel(x, y) != whole.pixel(x, y) ? 1 : 0;
    }
    QVERIFY2(differing <= 8, qPrintable(QString::number(differing)));
}

QTEST_MAIN(TestPictures)
// "Εξαγωγή ως…" writes what the extension names: SVG text elements hold every caption.
void TestPictures::exportedByExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("starts");
    QTest::newRow("svg") << "d.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "d.pdf" << QByteArray("%PDF");
    QTest::newRow("png") << "d.png" << QByteArray("\x89PNG");
}

void TestPictures::exportedByExtension() {
    QFETCH(QString, name);
    QFETCH(QByteArray, starts);
    EditorFixture f;
    DiagramBuilder b(f.diagram());
    b.chain({b.start(), b.assign("Σ", "0"), b.decision("Σ>1"), b.end()});
    QTemporaryDir dir;
    f.questions.answerText(dir.filePath(name));
    f.window.pictures().exportAction()->trigger();
    QFile file(dir.filePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith(starts));
    if (!name.endsWith("svg"))
        return;
    QXmlStreamReader xml(bytes);
    QString texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts += xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    for (const QString caption : {"Αρχή", "Σ <-- 0", "Σ>1", "Τότε", "Τέλος"})
        QVERIFY2(texts.contains(caption), qPrintable(caption + " in " + texts));
}

// Printing fits the whole diagram, however long, on one page under a header; at its own
// size a long diagram goes over several pages, a short one on one.
void TestPictures::printedPages_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("commands");
    QTest::addColumn<bool>("severalPages");
    const int fitted = int(PictureCommands::Layout::OnePage);
    const int actual = int(PictureCommands::Layout::ActualSize);
    QTest::newRow("long, fitted") << fitted << 40 << false;
    QTest::newRow("long, 100 %") << actual << 40 << true;
    QTest::newRow("short, 100 %") << actual << 2 << false;
}

void TestPictures::printedPages() {
    QFETCH(int, layout);
    QFETCH(int, commands);
    QFETCH(bool, severalPages);
    EditorFixture f;
    DiagramBuilder b(f.diagram());
    QStringList chain{b.start()};
    for (int i = 0; i < commands; ++i)
        chain << b.assign("Χ", QString::number(i));
    chain << b.end();
    b.chain(chain);
    QTemporaryDir dir;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("p.pdf"));
    f.window.pictures().setLayout(PictureCommands::Layout(layout));
    f.window.pictures().showPreview = [&f](QPrinter& target) {
        QVERIFY(f.window.pictures().printTo(target));
    };
    f.window.pictures().showPreview(printer);
    QFile file(dir.filePath("p.pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    const qsizetype pages =
        pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ");
    QCOMPARE(pages > 1, severalPages);
    QVERIFY(pages >= 1);
}

#include "tst_pictures.moc"

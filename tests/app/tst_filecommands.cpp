#include "app/actionset.h"
#include "app/filecommands.h"
#include "app/mainwindow.h"
#include "canvas/designview.h"
#include "canvas/importunitdialog.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "designfixture.h"
#include "drawnbounds.h"
#include "document/svgdocument.h"
#include "windowdriver.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <optional>

// The file commands as the user reaches them: through the window's actions,
// with the dialogs answered by a script and the message boxes by BoxAnswers.
class TestFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void savePromptDecidesWhetherNewGoesOn_data();
    void savePromptDecidesWhetherNewGoesOn();
    void closingWithUnsavedChanges_data();
    void closingWithUnsavedChanges();
    void openRecognisesLowerAndUpperCaseExtensions_data();
    void openRecognisesLowerAndUpperCaseExtensions();
    void openTakesSeveralFilesInOrder();
    void unreadableDesignKeepsTheOldDesignAndPath();
    void openAndTestPatternAskBeforeReplacingWork_data();
    void openAndTestPatternAskBeforeReplacingWork();
    void testPatternClearsTheCurrentPath();
    void saveOnANewDesignIsSaveAs();
    void cancelledSaveAsKeepsTheDesignModified();
    void writeErrorsWarnAndChangeNothing_data();
    void writeErrorsWarnAndChangeNothing();
    void unreadableImageAddsNothing_data();
    void unreadableImageAddsNothing();
    void readableImageIsAddedAtItsPixelSize();
    void saveGcodeOfNothingToEngraveWarns();
    void saveGcodeEqualsTheCommandLineTool();
    void cancelledGenerationWritesAndSendsNothing_data();
    void cancelledGenerationWritesAndSendsNothing();
    void droppedFilesAreAddedToTheDesign();
    void compressedAndPrefixedDesignsOpen();
    void foreignDrawingsTakeTheSizeTheUserKeeps_data();
    void foreignDrawingsTakeTheSizeTheUserKeeps();
    void pictureOffersTheSizeItsResolutionGives_data();
    void pictureOffersTheSizeItsResolutionGives();
    void ownDesignsAreNeitherAskedAboutNorRescaled();

private:
    MainWindow *makeWindow(QList<QStringList> opens = {}, QStringList saves = {});
    QString writeFile(const QString &name, const QByteArray &content);
    QString designFile(const QString &name, const QString &id);
    static QByteArray readAll(const QString &path);
    static QString layerChildId(MainWindow *window);
    static void modify(MainWindow *window);

    std::unique_ptr<QTemporaryDir> mDir;
    QPointer<MainWindow> mWindow;
    std::shared_ptr<ScriptedChooser::Log> mChooserLog;
};

void TestFileCommands::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestFileCommands::init()
{
    mDir = std::make_unique<QTemporaryDir>();
    QVERIFY(mDir->isValid());
    mChooserLog = std::make_shared<ScriptedChooser::Log>();
}

void TestFileCommands::cleanup()
{
    if (mWindow) {
        mWindow->fileCommands()->setModified(false);
        delete mWindow.data();
    }
}

MainWindow *TestFileCommands::makeWindow(QList<QStringList> opens, QStringList saves)
{
    mWindow = new MainWindow;
    mWindow->fileCommands()->setFileChooser(
            std::make_unique<ScriptedChooser>(opens, saves, mChooserLog));
    return mWindow;
}

QString TestFileCommands::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = mDir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(content);
    return path;
}

// A design whose drawing layer holds one rectangle with the given id.
QString TestFileCommands::designFile(const QString &name, const QString &id)
{
    return writeFile(name, DesignFixture::svg(QStringLiteral(
            "<g><rect id='%1' x='10' y='10' width='100' height='50' style='fill:none;stroke:#000000'/></g>")
                                                      .arg(id))
                                   .toUtf8());
}

QByteArray TestFileCommands::readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The id of the first element in the drawing layer: which design is loaded.
QString TestFileCommands::layerChildId(MainWindow *window)
{
    Node *layer = window->svgView()->currentLayer();
    if (!layer)
        return QString();
    return layer->element().firstChildElement().attribute(QStringLiteral("id"));
}

void TestFileCommands::modify(MainWindow *window)
{
    window->svgView()->addNode(QStringLiteral("rect"), {"id", "width", "height"},
                               {"added", "10", "10"});
}

void TestFileCommands::savePromptDecidesWhetherNewGoesOn_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<bool>("written");
    QTest::newRow("save") << int(QMessageBox::Save) << true << true;
    QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("box closed") << int(QMessageBox::NoButton) << false << false;
}

void TestFileCommands::savePromptDecidesWhetherNewGoesOn()
{
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    QFETCH(bool, written);
    const QString target = mDir->filePath("saved.svg");
    MainWindow *window = makeWindow({}, {target});
    modify(window);
    QVERIFY(window->actions()->saveAction->isEnabled());

    BoxAnswers boxes({QMessageBox::StandardButton(answer)});
    window->actions()->newAction->trigger();

    QCOMPARE(boxes.seen.size(), 1);
    const BoxAnswers::Seen &prompt = boxes.seen.first();
    QCOMPARE(prompt.text, QStringLiteral("文件未保存"));
    QCOMPARE(prompt.informative, QStringLiteral("是否保存?"));
    QCOMPARE(prompt.buttons.size(), 3);
    for (const char *label : {"保存", "不保存", "取消"})
        QVERIFY2(prompt.buttons.contains(QString::fromUtf8(label)), label);
    QCOMPARE(prompt.defaultButton, QStringLiteral("保存"));

    QCOMPARE(layerChildId(window) != QLatin1String("added"), replaced);
    QCOMPARE(QFile::exists(target), written);
    if (written)
        QVERIFY(readAll(target).contains("id=\"added\""));
}

void TestFileCommands::closingWithUnsavedChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("cancel keeps the window") << int(QMessageBox::Cancel) << false;
    QTest::newRow("closed box keeps the window") << int(QMessageBox::NoButton) << false;
    QTest::newRow("discard closes without writing") << int(QMessageBox::Discard) << true;
    QTest::newRow("save writes and closes") << int(QMessageBox::Save) << true;
}

void TestFileCommands::closingWithUnsavedChanges()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    const QString path = designFile("design.svg", "original");
    const QByteArray before = readAll(path);
    MainWindow *window = makeWindow({{path}});
    window->actions()->openAction->trigger();
    QCOMPARE(window->fileCommands()->currentPath(), path);
    modify(window);

    BoxAnswers boxes({QMessageBox::StandardButton(answer)});
    QCOMPARE(window->close(), closes);
    QCOMPARE(boxes.seen.size(), 1);
    // Deleted on close.
    QTRY_COMPARE(mWindow.isNull(), closes);
    const bool saved = answer == QMessageBox::Save;
    QCOMPARE(readAll(path) != before, saved);
    if (!closes) {
        QVERIFY(window->isVisible());
        QVERIFY(window->actions()->saveAction->isEnabled());
    }
}

void TestFileCommands::openRecognisesLowerAndUpperCaseExtensions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("design");
    QTest::addColumn<bool>("image");
    QTest::newRow(".svg") << "a.svg" << true << false;
    QTest::newRow(".SVG") << "a.SVG" << true << false;
    QTest::newRow(".Svg") << "a.Svg" << false << false;
    QTest::newRow(".png") << "a.png" << false << true;
    QTest::newRow(".JPEG") << "a.JPEG" << false << true;
    QTest::newRow(".Png") << "a.Png" << false << false;
    QTest::newRow("no extension") << "svg" << false << false;
}

void TestFileCommands::openRecognisesLowerAndUpperCaseExtensions()
{
    QFETCH(QString, name);
    QFETCH(bool, design);
    QFETCH(bool, image);
    // The content of both kinds is valid, so only the name decides.
    const bool looksLikeImage = !name.contains(QLatin1String("svg"), Qt::CaseInsensitive);
    QString path;
    if (looksLikeImage) {
        QImage picture(8, 4, QImage::Format_RGB32);
        picture.fill(Qt::black);
        path = mDir->filePath(name);
        QVERIFY(picture.save(path, "PNG"));
    } else {
        path = designFile(name, "opened");
    }
    MainWindow *window = makeWindow({{path}});
    BoxAnswers boxes;
    window->actions()->openAction->trigger();

    QCOMPARE(boxes.seen.size(), 0);
    QCOMPARE(mChooserLog->titles, QStringList{"Open File"});
    QCOMPARE(mChooserLog->filters, QStringList{"Load Files(*.svg *.svgz *.dxf *.plt)"});
    QCOMPARE(layerChildId(window) == QLatin1String("opened"), design);
    QCOMPARE(window->fileCommands()->currentPath(), design ? path : QString());
    const QDomNodeList images =
            window->svgView()->document()->domDocument().elementsByTagName(QStringLiteral("image"));
    QCOMPARE(images.size(), image ? 1 : 0);
}

// Open with an image, a design and another image: the design replaces the
// first image, the second one is added to it.
void TestFileCommands::openTakesSeveralFilesInOrder()
{
    QImage picture(6, 3, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QString first = mDir->filePath("first.png");
    const QString second = mDir->filePath("second.bmp");
    QVERIFY(picture.save(first, "PNG"));
    QVERIFY(picture.scaled(12, 9).save(second, "BMP"));
    const QString design = designFile("middle.svg", "middle");
    MainWindow *window = makeWindow({{first, design, second}});

    // The first image makes the design modified, so the design asks first.
    BoxAnswers boxes({QMessageBox::Discard});
    window->actions()->openAction->trigger();

    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(layerChildId(window), QStringLiteral("middle"));
    QCOMPARE(window->fileCommands()->currentPath(), design);
    const QDomNodeList images =
            window->svgView()->document()->domDocument().elementsByTagName(QStringLiteral("image"));
    QCOMPARE(images.size(), 1);
    QCOMPARE(images.at(0).toElement().attribute("width").toDouble(), 12.0);
}

// The old fault: the path was set before reading, so the next Save wrote the
// old design over the file that could not be read.
void TestFileCommands::unreadableDesignKeepsTheOldDesignAndPath()
{
    const QString good = designFile("good.svg", "good");
    const QString broken = writeFile("broken.svg", "<svg><g><rect");
    const QString missing = mDir->filePath("missing.svg");
    MainWindow *window = makeWindow({{good}, {broken}, {missing}});
    window->actions()->openAction->trigger();

    for (int attempt = 0; attempt < 2; ++attempt) {
        BoxAnswers boxes;
        window->actions()->openAction->trigger();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen.first().title, QStringLiteral("错误"));
        // The reader's reason, where it has one, follows on a line of its own.
        QVERIFY(boxes.seen.first().text.startsWith(QStringLiteral("打开文件失败")));
        QCOMPARE(layerChildId(window), QStringLiteral("good"));
        QCOMPARE(window->fileCommands()->currentPath(), good);
    }

    modify(window);
    window->actions()->saveAction->trigger();
    QCOMPARE(readAll(broken), QByteArray("<svg><g><rect"));
    QVERIFY(readAll(good).contains("id=\"added\""));
}

void TestFileCommands::openAndTestPatternAskBeforeReplacingWork_data()
{
    QTest::addColumn<bool>("testPattern");
    QTest::newRow("open") << false;
    QTest::newRow("test pattern") << true;
}

void TestFileCommands::openAndTestPatternAskBeforeReplacingWork()
{
    QFETCH(bool, testPattern);
    const QString other = designFile("other.svg", "other");
    MainWindow *window = makeWindow({{other}, {other}});
    modify(window);
    auto replace = [&] {
        if (testPattern)
            window->svgClicked(other);
        else
            window->actions()->openAction->trigger();
    };

    {
        BoxAnswers boxes({QMessageBox::Cancel});
        replace();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen.first().text, QStringLiteral("文件未保存"));
        QCOMPARE(layerChildId(window), QStringLiteral("added"));
    }
    BoxAnswers boxes({QMessageBox::Discard});
    replace();
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(layerChildId(window), QStringLiteral("other"));
}

// Ctrl+S after the test pattern must not write the pattern over the user's file.
void TestFileCommands::testPatternClearsTheCurrentPath()
{
    const QString mine = designFile("mine.svg", "mine");
    const QByteArray before = readAll(mine);
    const QString pattern = designFile("pattern.svg", "pattern");
    const QString elsewhere = mDir->filePath("elsewhere.svg");
    MainWindow *window = makeWindow({{mine}}, {elsewhere});
    window->actions()->openAction->trigger();
    window->svgClicked(pattern);
    QCOMPARE(layerChildId(window), QStringLiteral("pattern"));
    QCOMPARE(window->fileCommands()->currentPath(), QString());

    modify(window);
    window->actions()->saveAction->trigger();
    QCOMPARE(readAll(mine), before);
    QVERIFY(readAll(elsewhere).contains("id=\"pattern\""));
}

void TestFileCommands::saveOnANewDesignIsSaveAs()
{
    const QString target = mDir->filePath("first.svg");
    MainWindow *window = makeWindow({}, {target});
    modify(window);
    window->actions()->saveAction->trigger();

    QCOMPARE(mChooserLog->titles, QStringList{"Open File"});
    QCOMPARE(mChooserLog->starts, QStringList{"tolvenrik"});
    QCOMPARE(mChooserLog->filters, QStringList{"Text File(*.svg)"});
    QVERIFY(readAll(target).contains("id=\"added\""));
    QVERIFY(!window->actions()->saveAction->isEnabled());
    QCOMPARE(window->fileCommands()->currentPath(), target);
}

void TestFileCommands::cancelledSaveAsKeepsTheDesignModified()
{
    MainWindow *window = makeWindow({}, {QString(), QString()});
    modify(window);
    window->actions()->saveAsAction->trigger();
    QVERIFY(window->actions()->saveAction->isEnabled());

    // Save chosen in the prompt, then the Save As dialog cancelled: nothing
    // was saved, so the window stays.
    BoxAnswers boxes({QMessageBox::Save});
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QVERIFY(window->actions()->saveAction->isEnabled());
}

void TestFileCommands::writeErrorsWarnAndChangeNothing_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("title");
    // What the warning names as the cause.
    QTest::addColumn<QString>("cause");
    QTest::newRow("save") << "save" << "警告" << "it is a folder";
    QTest::newRow("save as") << "save as" << "错误" << "No such file or directory";
    QTest::newRow("save g-code") << "save g-code" << "错误" << "No such file or directory";
    QTest::newRow("save from the prompt") << "prompt" << "警告" << "it is a folder";
    // Replacing a pipe (or a device) by a plain file would break it.
    QTest::newRow("save as onto a pipe") << "save as pipe" << "错误" << "not a regular file";
    QTest::newRow("save g-code onto a pipe") << "save g-code pipe" << "错误" << "not a regular file";
}

void TestFileCommands::writeErrorsWarnAndChangeNothing()
{
    QFETCH(QString, command);
    QFETCH(QString, title);
    QFETCH(QString, cause);
    const QString design = designFile("design.svg", "design");
    // A folder that does not exist cannot take the file.
    QString unwritable = mDir->filePath("no-such-folder/out.svg");
    const bool toPipe = command.endsWith(QLatin1String(" pipe"));
    if (toPipe) {
        command.chop(5);
        unwritable = mDir->filePath("pipe.svg");
        QCOMPARE(mkfifo(QFile::encodeName(unwritable).constData(), 0600), 0);
    }
    MainWindow *window = makeWindow({{design}}, {unwritable});
    window->actions()->openAction->trigger();
    modify(window);
    const bool toCurrentPath = command == QLatin1String("save") || command == QLatin1String("prompt");
    if (toCurrentPath) {
        // The current file has been replaced by a folder since it was opened.
        QVERIFY(QFile::remove(design));
        QVERIFY(QDir(mDir->path()).mkdir("design.svg"));
    }

    BoxAnswers boxes({command == QLatin1String("prompt") ? QMessageBox::Save : QMessageBox::Ok});
    if (command == QLatin1String("save"))
        window->actions()->saveAction->trigger();
    else if (command == QLatin1String("save as"))
        window->actions()->saveAsAction->trigger();
    else if (command == QLatin1String("save g-code"))
        window->actions()->saveGcodeAction->trigger();
    else
        QVERIFY(!window->close());

    QVERIFY(!boxes.seen.isEmpty());
    QCOMPARE(boxes.seen.last().title, title);
    const QString text = boxes.seen.last().text;
    QVERIFY2(text.startsWith(QStringLiteral("保存文件失败：")) && text.contains(cause), qPrintable(text));
    QVERIFY(window->isVisible());
    QVERIFY(window->actions()->saveAction->isEnabled());
    QCOMPARE(window->fileCommands()->currentPath(), design);
    if (toPipe) {
        QVERIFY(QFileInfo(unwritable).exists() && !QFileInfo(unwritable).isFile());
        QCOMPARE(QDir(mDir->path()).entryList({ "pipe*" }, QDir::AllEntries | QDir::Hidden | QDir::System).size(), 1);
    } else {
        QVERIFY(!QFile::exists(unwritable));
    }
}

void TestFileCommands::unreadableImageAddsNothing_data()
{
    QTest::addColumn<QString>("route");
    QTest::newRow("open") << "open";
    QTest::newRow("add image") << "add image";
    QTest::newRow("image slot") << "slot";
}

// The old fault: a picture that does not decode was added as a 0 x 0 image.
void TestFileCommands::unreadableImageAddsNothing()
{
    QFETCH(QString, route);
    const QString path = writeFile("broken.png", "not a picture at all");
    MainWindow *window = makeWindow({{path}});
    BoxAnswers boxes;
    if (route == QLatin1String("open"))
        window->actions()->openAction->trigger();
    else if (route == QLatin1String("add image"))
        window->actions()->addImageAction->trigger();
    else
        window->imageClicked(path);

    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().title, QStringLiteral("错误"));
    QCOMPARE(window->svgView()->document()->domDocument().elementsByTagName("image").size(), 0);
    QVERIFY(!window->actions()->saveAction->isEnabled());
}

void TestFileCommands::readableImageIsAddedAtItsPixelSize()
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const QString path = mDir->filePath("photo.jpg");
    QVERIFY(picture.save(path, "JPG"));
    MainWindow *window = makeWindow({{path}});
    window->actions()->ellipseToolAction->trigger();
    window->actions()->addImageAction->trigger();

    QCOMPARE(mChooserLog->titles, QStringList{"Open Image"});
    QCOMPARE(mChooserLog->filters,
             QStringList{"Image Files(*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.tga)"});
    const QDomNodeList images =
            window->svgView()->document()->domDocument().elementsByTagName("image");
    QCOMPARE(images.size(), 1);
    QCOMPARE(images.at(0).toElement().attribute("width").toDouble(), 40.0);
    QCOMPARE(images.at(0).toElement().attribute("height").toDouble(), 30.0);
    QVERIFY(window->actions()->saveAction->isEnabled());
    QVERIFY(window->actions()->selectToolAction->isChecked());
    QCOMPARE(window->svgView()->scene()->tool(), DoodleTool::Select);
}

// The old fault: an empty design still yields the job's head and tail, so
// testing for an empty list never warned.
void TestFileCommands::saveGcodeOfNothingToEngraveWarns()
{
    const QString target = mDir->filePath("print.gc");
    MainWindow *window = makeWindow({}, {target});
    BoxAnswers boxes;
    window->actions()->saveGcodeAction->trigger();

    QCOMPARE(mChooserLog->starts, QStringList{"print"});
    QCOMPARE(mChooserLog->filters, QStringList{"Text File(*.gc)"});
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().title, QStringLiteral("错误"));
    QCOMPARE(boxes.seen.first().text, QStringLiteral("请添加内容"));
    QVERIFY(!QFile::exists(target));
    QVERIFY(window->svgView()->gcode().isEmpty());
}

void TestFileCommands::saveGcodeEqualsTheCommandLineTool()
{
    const QString design = mDir->filePath("demo.svg");
    const QString job = mDir->filePath("window.gc");
    const QString reference = mDir->filePath("cli.gc");
    MainWindow *window = makeWindow({{QStringLiteral(PLIMB_SAMPLES "/demo.svg")}}, {design, job});
    window->actions()->openAction->trigger();
    window->actions()->saveAsAction->trigger();
    BoxAnswers boxes;
    window->actions()->saveGcodeAction->trigger();
    QCOMPARE(boxes.seen.size(), 0);
    QVERIFY(window->svgView()->gcode().isEmpty());

    // Both take the operate panel's stored power and speed as full scale.
    QProcess cli;
    cli.start(QStringLiteral(PLIMB_CLI), {"gcode", design, "-o", reference});
    QVERIFY(cli.waitForFinished(120000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray expected = readAll(reference);
    QVERIFY(expected.count('\n') > 100);
    QVERIFY(readAll(job) == expected);
}

void TestFileCommands::cancelledGenerationWritesAndSendsNothing_data()
{
    QTest::addColumn<bool>("start");
    QTest::newRow("save G-code") << false;
    QTest::newRow("start") << true;
}

// Cancel in the progress dialog while a big raster is being generated: no
// file, not even an empty one, no job for the engraver, no message; the next
// generation runs to its end.
void TestFileCommands::cancelledGenerationWritesAndSendsNothing()
{
    QFETCH(bool, start);
    // Noise in every grey level: a run per pixel, seconds of scan lines.
    QImage noise(900, 900, QImage::Format_Grayscale8);
    QRandomGenerator random(3);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.scanLine(y)[x] = uchar(random.bounded(250));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    noise.save(&buffer, "PNG");
    const QString design = writeFile("big.svg", DesignFixture::svg(QStringLiteral(
            "<g><image id='big' x='0' y='0' width='750' height='750' tolvenrik:image='gray' "
            "tolvenrik:scanAccuracy='0.05' xlink:href='data:image/png;base64,%1'/></g>")
            .arg(QString::fromLatin1(png.toBase64())),
            QStringLiteral("width='1000' height='1000'")).toUtf8());
    const QString target = mDir->filePath("print.gc");
    MainWindow *window = makeWindow({{design}}, {target, target});
    window->actions()->openAction->trigger();
    QVERIFY(DesignFixture::nodeById(window->svgView()->document(), "big"));
    QSignalSpy jobs(window, &MainWindow::lowerSetGcode);
    BoxAnswers boxes;

    // The Cancel button, once the worker is past the preparation.
    bool pressed = false;
    QTimer canceller;
    connect(&canceller, &QTimer::timeout, window, [&] {
        auto *dialog = window->findChild<QProgressDialog *>();
        if (dialog && dialog->value() >= 20 && !pressed) {
            pressed = true;
            dialog->findChild<QPushButton *>()->click();
        }
    });
    canceller.start(5);
    if (start)
        window->sendLowerGcode();
    else
        QVERIFY(!window->fileCommands()->saveGcode());
    canceller.stop();
    QVERIFY(pressed);
    QVERIFY(!QFile::exists(target));
    QCOMPARE(jobs.size(), 0);
    QCOMPARE(boxes.seen.size(), 0);
    QVERIFY(window->svgView()->gcode().isEmpty());
    QVERIFY(!window->findChild<QProgressDialog *>());

    // Not cancelled, the same command delivers.
    DesignFixture::nodeById(window->svgView()->document(), "big")
            ->applyAttribute(QStringLiteral("tolvenrik:scanAccuracy"), QStringLiteral("0.5"));
    if (start) {
        window->sendLowerGcode();
        QCOMPARE(jobs.size(), 1);
    } else {
        QVERIFY(window->fileCommands()->saveGcode());
        QVERIFY(readAll(target).count('\n') > 1000);
    }
}

// Dropping a file adds it to the design in front of the user; only Open
// replaces the design and its path.
void TestFileCommands::droppedFilesAreAddedToTheDesign()
{
    const QString current = designFile("current.svg", "kept");
    const QString dropped = designFile("dropped.svg", "droppedRect");
    MainWindow *window = makeWindow({{current}});
    window->actions()->openAction->trigger();
    auto *view = window->findChild<DesignView *>();
    QVERIFY(view);
    emit view->svgDropped(dropped);
    QVERIFY(DesignFixture::nodeById(window->svgView()->document(), "kept"));
    QVERIFY(DesignFixture::nodeById(window->svgView()->document(), "droppedRect"));
    QCOMPARE(layerChildId(window), QStringLiteral("kept"));
    QVERIFY(window->actions()->saveAction->isEnabled());

    BoxAnswers boxes;
    emit view->svgDropped(mDir->filePath("missing.svg"));
    QTRY_COMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.first().title, QStringLiteral("Plimb"));
    QVERIFY(boxes.seen.first().text.startsWith("Cannot read file " + mDir->filePath("missing.svg")));
}

void TestFileCommands::compressedAndPrefixedDesignsOpen()
{
    const QString prefixed = writeFile(
            "prefixed.svg", "<svg:svg xmlns:svg='http://www.w3.org/2000/svg'><svg:g>"
                            "<svg:rect id='inside' width='10' height='10'/></svg:g></svg:svg>");
    QByteArray plain = DesignFixture::svg("<g><rect id='packed' width='10' height='10'/></g>").toUtf8();
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {"-c"});
    QVERIFY(gzip.waitForStarted());
    gzip.write(plain);
    gzip.closeWriteChannel();
    QVERIFY(gzip.waitForFinished());
    const QString packed = writeFile("packed.svgz", gzip.readAllStandardOutput());

    MainWindow *window = makeWindow({{prefixed}, {packed}});
    window->actions()->openAction->trigger();
    QVERIFY(DesignFixture::nodeById(window->svgView()->document(), "inside"));
    window->actions()->openAction->trigger();
    QVERIFY(DesignFixture::nodeById(window->svgView()->document(), "packed"));
}

namespace {

// Answers the next unit dialog with `unit` (none: cancels it) once it
// shows and keeps the size it showed; `asked` stays false when no dialog comes.
void answerUnitDialog(std::optional<ImportUnit> unit, bool *asked, QString *sizeText)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<ImportUnitDialog *>(QApplication::activeModalWidget());
        *asked = dialog != nullptr;
        if (!dialog)
            return;
        if (!unit) {
            dialog->reject();
            return;
        }
        dialog->unitBox()->setCurrentIndex(dialog->unitBox()->findData(int(*unit)));
        *sizeText = dialog->sizeLabel()->text();
        dialog->accept();
    });
}

QRectF burnedFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QRectF();
    GCodeInterpreter interpreter;
    interpreter.run(QString::fromUtf8(file.readAll()).split('\n'));
    return interpreter.burnedBounds();
}

QRectF mm(double x1, double y1, double x2, double y2)
{
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

} // namespace

void TestFileCommands::pictureOffersTheSizeItsResolutionGives_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("width");
    QTest::addColumn<QString>("shownSize");
    // 600 x 300 pixels at 300 dpi: 50.8 x 25.4 mm, 635 x 317.5 design units.
    QTest::newRow("its resolution") << int(ImportUnit::Millimetre) << 635.0 << "50.80 × 25.40 毫米";
    QTest::newRow("design units") << int(ImportUnit::Design) << 600.0 << "48.00 × 24.00 毫米";
}

// The old fault: a 300 dpi picture was always added at 0.08 mm per pixel
// (48 mm instead of 50.8 mm).
void TestFileCommands::pictureOffersTheSizeItsResolutionGives()
{
    QFETCH(int, unit);
    QFETCH(double, width);
    QFETCH(QString, shownSize);
    QImage picture(600, 300, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    picture.setDotsPerMeterX(11811);
    picture.setDotsPerMeterY(11811);
    const QString path = mDir->filePath("scan.png");
    QVERIFY(picture.save(path, "PNG"));
    MainWindow *window = makeWindow({{path}});
    bool asked = false;
    QString sizeText;
    answerUnitDialog(ImportUnit(unit), &asked, &sizeText);
    window->actions()->addImageAction->trigger();
    QVERIFY(asked);
    QCOMPARE(sizeText, shownSize);
    const QDomNodeList images =
            window->svgView()->document()->domDocument().elementsByTagName("image");
    QCOMPARE(images.size(), 1);
    QVERIFY(qAbs(images.at(0).toElement().attribute("width").toDouble() - width) < 0.01);
    QVERIFY(qAbs(images.at(0).toElement().attribute("height").toDouble() - width / 2) < 0.01);
}

void TestFileCommands::foreignDrawingsTakeTheSizeTheUserKeeps_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("shownSize");
    QTest::addColumn<QRectF>("expected");

    const QString mmRoot = "width='100mm' height='50mm' viewBox='0 0 200 100'";
    // Filled, so it is engraved in the design it is dropped into as well.
    const QString mmRect = "<rect x='20' y='10' width='100' height='50' fill='#000'/>";
    const int kept = int(ImportUnit::Millimetre);
    QTest::newRow("mm with viewBox, opened") << mmRoot << mmRect << false << kept << "100.00 × 50.00 毫米"
                                             << mm(10, 5, 60, 30);
    QTest::newRow("mm with viewBox, dropped") << mmRoot << mmRect << true << kept << "100.00 × 50.00 毫米"
                                              << mm(10, 5, 60, 30);
    // Without a viewBox a user unit is a CSS pixel, 1/96 in.
    QTest::newRow("in without viewBox") << "width='4in' height='2in'" << "<rect x='96' y='48' width='96' height='48'/>"
                                        << false << kept << "101.60 × 50.80 毫米" << mm(25.4, 12.7, 50.8, 25.4);
    QTest::newRow("pt") << "width='283.46pt' height='141.73pt' viewBox='0 0 100 50'"
                        << "<rect x='10' y='10' width='40' height='20'/>" << false << kept << "100.00 × 50.00 毫米"
                        << mm(10, 10, 50, 30);
    QTest::newRow("user units chosen") << mmRoot << mmRect << false << int(ImportUnit::Design)
                                       << "16.00 × 8.00 毫米" << mm(1.6, 0.8, 9.6, 4.8);
}

// A drawing whose root gives a physical size lies on the canvas, and is
// burned, at the size the user keeps in the unit dialog.
void TestFileCommands::foreignDrawingsTakeTheSizeTheUserKeeps()
{
    QFETCH(QString, root);
    QFETCH(QString, body);
    QFETCH(bool, dropped);
    QFETCH(int, unit);
    QFETCH(QString, shownSize);
    QFETCH(QRectF, expected);

    const QString drawing = writeFile("drawing.svg", QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' %1>%2</svg>")
                                                             .arg(root, body)
                                                             .toUtf8());
    const QString job = mDir->filePath("drawing.gc");
    MainWindow *window = makeWindow({{drawing}}, {job});
    bool asked = false;
    QString sizeText;
    answerUnitDialog(ImportUnit(unit), &asked, &sizeText);
    if (dropped)
        emit window->findChild<DesignView *>()->svgDropped(drawing);
    else
        window->actions()->openAction->trigger();
    QVERIFY(asked);
    QCOMPARE(sizeText, shownSize);

    const QRectF drawn = DrawnBounds::drawn(window->svgView()->scene());
    QVERIFY2(DrawnBounds::near(drawn, expected, 0.05), qPrintable("drawn " + DrawnBounds::describe(drawn)));
    BoxAnswers boxes;
    window->actions()->saveGcodeAction->trigger();
    QCOMPARE(boxes.seen.size(), 0);
    const QRectF burned = burnedFile(job);
    QVERIFY2(DrawnBounds::near(burned, expected, 0.05), qPrintable("burned " + DrawnBounds::describe(burned)));
}

// The program's own designs give their size in design units whatever their
// root says, so they open as they are; and cancelling the question about a
// foreign drawing keeps them.
void TestFileCommands::ownDesignsAreNeitherAskedAboutNorRescaled()
{
    const QString design = writeFile(
            "own.svg", DesignFixture::svg("<g><rect id='r' x='20' y='10' width='100' height='50' "
                                          "style='fill:#000000'/></g>",
                                          "width='100mm' height='50mm'")
                               .toUtf8());
    MainWindow *window = makeWindow({{design}});
    bool asked = false;
    QString sizeText;
    answerUnitDialog(ImportUnit::Millimetre, &asked, &sizeText);
    window->actions()->openAction->trigger();
    QTest::qWait(0);
    QVERIFY(!asked);
    QVERIFY2(DrawnBounds::near(DrawnBounds::drawn(window->svgView()->scene()), mm(1.6, 0.8, 9.6, 4.8), 1e-9),
             qPrintable(DrawnBounds::describe(DrawnBounds::drawn(window->svgView()->scene()))));

    const QString foreignDrawing = writeFile(
            "foreign.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='10mm' height='10mm'><rect id='f' width='5' height='5'/></svg>");
    window->fileCommands()->setFileChooser(std::make_unique<ScriptedChooser>(
            QList<QStringList>{ { foreignDrawing } }, QStringList(), mChooserLog));
    answerUnitDialog(std::nullopt, &asked, &sizeText);
    window->actions()->openAction->trigger();
    QVERIFY(asked);
    QCOMPARE(layerChildId(window), QStringLiteral("r"));
    QCOMPARE(window->fileCommands()->currentPath(), design);
}

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"

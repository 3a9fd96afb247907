#include "app/filecommands.h"

#include "canvas/drawingplacer.h"
#include "canvas/importunitdialog.h"
#include "canvas/scene.h"
#include "canvas/svgview.h"
#include "document/documentwriter.h"
#include "document/svgfile.h"
#include "document/svgdocument.h"
#include "gcode/gcodefile.h"
#include "gcode/rendertree.h"
#include "import/bitmapprocessing.h"

#include <QAction>
#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Only the all-lower and all-upper spellings count: ".SVG" loads, ".Svg" does not.
bool hasExtension(const QString &path, const QStringList &extensions)
{
    for (const QString &extension : extensions) {
        if (path.endsWith(QLatin1Char('.') + extension)
            || path.endsWith(QLatin1Char('.') + extension.toUpper()))
            return true;
    }
    return false;
}

const QStringList imageExtensions = {"bmp", "jpg", "jpeg", "png", "gif", "tif", "tiff", "tga"};

// A file the document can take: well-formed XML (plain or gzip-compressed)
// whose root is an svg element, with or without the "svg:" prefix.
bool isReadableDesign(const QString &path, QString *text, QDomDocument *probe, QString *error)
{
    if (!SvgFile::readDesign(path, text, error))
        return false;
    if (!probe->setContent(*text, false))
        return false;
    SvgFile::removeSvgPrefix(*probe);
    return probe->documentElement().tagName() == QLatin1String("svg");
}

} // namespace

FileCommands::FileCommands(QWidget *window, SVGView *view, QAction *saveAction)
    : QObject(window)
    , mWindow(window)
    , mView(view)
    , mSaveAction(saveAction)
    , mChooser(std::make_unique<FileChooser>())
{
}

FileCommands::~FileCommands() = default;

void FileCommands::setFileChooser(std::unique_ptr<FileChooser> chooser)
{
    mChooser = chooser ? std::move(chooser) : std::make_unique<FileChooser>();
}

bool FileCommands::isModified() const
{
    return mSaveAction->isEnabled();
}

void FileCommands::setModified(bool modified)
{
    mSaveAction->setEnabled(modified);
}

bool FileCommands::maybeSave()
{
    if (!isModified())
        return true;
    QMessageBox box(mWindow);
    box.setIcon(QMessageBox::Warning);
    box.setText(tr("文件未保存"));
    box.setInformativeText(tr("是否保存?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(tr("保存"));
    box.button(QMessageBox::Discard)->setText(tr("不保存"));
    box.button(QMessageBox::Cancel)->setText(tr("取消"));
    box.setDefaultButton(QMessageBox::Save);
    box.exec();
    const QMessageBox::StandardButton choice = box.standardButton(box.clickedButton());
    if (choice == QMessageBox::Save)
        return save();
    // Closing the box any other way than Discard keeps the work.
    return choice == QMessageBox::Discard;
}

void FileCommands::newFile()
{
    if (!maybeSave())
        return;
    mView->newDocument();
    mCurrentPath.clear();
    emit designReplaced();
}

void FileCommands::showOpenFile()
{
    const QStringList paths =
            mChooser->openFiles(mWindow, QStringLiteral("Open File"), QStringLiteral("Load Files(*.svg *.svgz *.dxf *.plt)"));
    for (const QString &path : paths)
        openPath(path);
}

void FileCommands::showImageFile()
{
    const QStringList paths = mChooser->openFiles(
            mWindow, QStringLiteral("Open Image"),
            QStringLiteral("Image Files(*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.tga)"));
    for (const QString &path : paths)
        addImageFile(path);
}

void FileCommands::openPath(const QString &path)
{
    if (hasExtension(path, imageExtensions)) {
        addImageFile(path);
    } else if (hasExtension(path, {QStringLiteral("svg"), QStringLiteral("svgz")})) {
        openDesign(path);
    } else if (hasExtension(path, {QStringLiteral("dxf"), QStringLiteral("plt")})) {
        addDrawingFile(path);
    }
}

void FileCommands::addDrawingFile(const QString &path)
{
    if (hasExtension(path, {QStringLiteral("plt")}))
        qDebug() << "fileName.endsWith(.plt)";
    // The elements the drawing adds mark the design modified.
    const QString problem = DrawingPlacer::importDrawing(mView->scene(), path, mWindow);
    if (!problem.isEmpty())
        QMessageBox::warning(mWindow, tr("错误"), problem);
}

bool FileCommands::addSvgFile(const QString &path)
{
    QString text;
    QString error;
    if (!SvgFile::readDesign(path, &text, &error)) {
        QMessageBox::warning(mWindow, tr("Plimb"), tr("Cannot read file %1:\n%2.").arg(path, error));
        return false;
    }
    QDomDocument document;
    if (document.setContent(text, false)) {
        SvgFile::removeSvgPrefix(document);
        if (!placeAtTrueSize(document, &text))
            return false;
    }
    mView->scene()->addSvg(text);
    return true;
}

bool FileCommands::placeAtTrueSize(QDomDocument &document, QString *text)
{
    const QSizeF physical = SvgFile::physicalSize(document);
    if (physical.isEmpty())
        return true;
    ImportUnit unit = ImportUnit::Millimetre;
    const QSizeF userUnits = RenderTree::rootViewport(document.documentElement());
    if (!ImportUnitDialog::askForSvg(physical, userUnits, &unit, mWindow))
        return false;
    // The same scaling as the generator's true-size option, made in the
    // design itself, so the canvas, the saved file and the job agree.
    if (unit == ImportUnit::Millimetre && RenderTree::scaleToTrueSize(document))
        *text = document.toString(2);
    return true;
}

bool FileCommands::openDesign(const QString &path, bool asCurrentFile)
{
    if (!maybeSave())
        return false;
    // Checked before the old design goes, so that a broken file leaves it
    // intact and a later Save cannot write it over that file.
    QString text;
    QDomDocument document;
    QString why;
    if (!isReadableDesign(path, &text, &document, &why)) {
        qDebug() << "load file err!" << path << why;
        // The reason (a limit, a device) comes from the reader, in English.
        QMessageBox::warning(mWindow, tr("错误"),
                             why.isEmpty() ? tr("打开文件失败") : tr("打开文件失败") + QLatin1Char('\n') + why);
        return false;
    }
    if (!placeAtTrueSize(document, &text))
        return false;
    mView->openText(path, text);
    const QStringList notes = mView->document()->loadNotes();
    if (!notes.isEmpty())
        QMessageBox::warning(mWindow, tr("警告"), tr("部分内容未载入") + QLatin1Char('\n') + notes.join(QLatin1Char('\n')));
    mCurrentPath = asCurrentFile ? path : QString();
    emit designReplaced();
    return true;
}

bool FileCommands::addImageFile(const QString &path)
{
    BitmapProcessing::Imported image;
    if (!BitmapProcessing::importFile(path, &image) || image.width <= 0 || image.height <= 0) {
        QMessageBox::warning(mWindow, tr("错误"), tr("打开文件失败"));
        return false;
    }
    QSizeF size(image.width, image.height);
    // A picture that states its resolution may be placed at its real size;
    // 96 dpi is what Qt reports for a file that states none.
    const QImage picture = BitmapProcessing::decodeHref(QLatin1Char(',') + image.base64);
    const int dpm = picture.dotsPerMeterX();
    if (dpm > 0 && qAbs(dpm - 3780) > 2) {
        const QSizeF physical = size * 1000.0 / dpm;
        ImportUnit unit = ImportUnit::Millimetre;
        if (!ImportUnitDialog::askForSvg(physical, size, &unit, mWindow))
            return false;
        if (unit == ImportUnit::Millimetre)
            size = physical / ImportUnits::millimetresPer(ImportUnit::Design);
    }
    emit imageReady(image.base64, size.width(), size.height());
    return true;
}

QString FileCommands::saveFailure(const QString &path, const QString &cause) const
{
    // The cause comes from the system ("No space left on device").
    return tr("保存文件失败：%1").arg(path) + QLatin1Char('\n') + cause;
}

bool FileCommands::writeTo(const QString &path)
{
    if (!writeDesign(mView->document()->toSvgText(), path, &mSaveError))
        return false;
    setModified(false);
    return true;
}

bool FileCommands::save()
{
    mView->commitPendingText();
    if (mCurrentPath.isEmpty())
        return saveAs();
    if (!writeTo(mCurrentPath)) {
        QMessageBox::warning(mWindow, tr("警告"), saveFailure(mCurrentPath, mSaveError));
        return false;
    }
    return true;
}

bool FileCommands::saveAs()
{
    mView->commitPendingText();
    const QString path = mChooser->saveFile(mWindow, QStringLiteral("Open File"),
                                            QStringLiteral("tolvenrik"),
                                            QStringLiteral("Text File(*.svg)"));
    if (path.isEmpty())
        return false;
    if (!writeTo(path)) {
        QMessageBox::warning(mWindow, tr("错误"), saveFailure(path, mSaveError));
        return false;
    }
    mCurrentPath = path;
    return true;
}

bool FileCommands::generateJob()
{
    mView->commitPendingText();
    qDebug() << "gcodeGenerate";
    mView->clearGcode();
    if (!mView->generateGcodeWithProgress(mView->document()->toSvgText()))
        return false;
    // A job that cannot be engraved whole is neither sent nor saved.
    const QString error = mView->generator().jobError();
    if (!error.isEmpty()) {
        mView->clearGcode();
        QMessageBox::warning(mWindow, tr("错误"), tr("任务无法雕刻：%1").arg(error));
        return false;
    }
    return true;
}

bool FileCommands::saveGcode()
{
    const QString path = mChooser->saveFile(mWindow, QStringLiteral("Open File"),
                                            QStringLiteral("print"),
                                            QStringLiteral("Text File(*.gc)"));
    if (path.isEmpty())
        return false;
    // Cancelled: no file at all, not a partial one.
    if (!generateJob())
        return false;
    // Even an empty design yields the job's head and tail: what counts is
    // whether anything is engraved.
    const GCodeGenerator::Summary &summary = mView->generator().summary();
    if (summary.outlines == 0 && summary.rasterGroups == 0) {
        mView->clearGcode();
        QMessageBox::warning(mWindow, tr("错误"), tr("请添加内容"));
        return false;
    }
    QString error;
    const bool written = writeGCodeFile(path, mView->gcode(), &error);
    mView->clearGcode();
    if (!written) {
        qDebug() << "save gcode failed:" << error;
        QMessageBox::warning(mWindow, tr("错误"), saveFailure(path, error));
        return false;
    }
    return true;
}

#include "canvas/drawingplacer.h"

#include "canvas/canvascontext.h"
#include "canvas/importunitdialog.h"
#include "import/drawingimport.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEventLoop>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QProgressDialog>
#include <QThread>
#include <memory>

namespace DrawingPlacer {

bool addDrawing(CanvasContext *canvas, const ImportedDrawing &drawing, ImportUnit unit)
{
    const QList<DrawingImport::PlacedElement> elements =
            DrawingImport::place(drawing, unit, canvas->workArea());
    bool added = true;
    for (const DrawingImport::PlacedElement &element : elements) {
        if (!canvas->addNode(QStringLiteral("path"), element.names, element.values)) {
            qDebug() << "con't reinterpret_cast node";
            added = false;
        }
    }
    return added;
}

ImportedDrawing readDrawing(const QString &path, QWidget *parent, bool *cancelled, qint64 backgroundFrom)
{
    *cancelled = false;
    // Texts become outlines while reading: Qt 5 renders fonts in any thread.
    if (QFileInfo(path).size() < backgroundFrom)
        return DrawingImport::read(path);
    // Shared with the thread, which may outlive this call after Cancel.
    auto result = std::make_shared<ImportedDrawing>();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    QThread *thread = QThread::create([result, cancel, path] { *result = DrawingImport::read(path, cancel.get()); });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    QProgressDialog progress(QCoreApplication::translate("DrawingPlacer", "正在读取 %1…").arg(QFileInfo(path).fileName()),
                             QCoreApplication::translate("DrawingPlacer", "取消"), 0, 0, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QEventLoop loop;
    bool done = false;
    QObject::connect(thread, &QThread::finished, &loop, [&done, &loop] {
        done = true;
        loop.quit();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    if (!done) {
        cancel->store(true);
        *cancelled = true;
        return ImportedDrawing();
    }
    return *result;
}

QString importDrawing(CanvasContext *canvas, const QString &path, QWidget *parent)
{
    bool cancelled = false;
    const ImportedDrawing drawing = readDrawing(path, parent, &cancelled);
    if (cancelled)
        return QString();
    if (!drawing.ok())
        return drawing.error;
    if (drawing.isEmpty())
        return QCoreApplication::translate("DrawingPlacer", "文件中没有可导入的图形。");
    ImportUnit unit = drawing.unit;
    if (!ImportUnitDialog::ask(drawing, &unit, parent))
        return QString();
    if (!addDrawing(canvas, drawing, unit))
        return QCoreApplication::translate("DrawingPlacer", "设计中没有图层，无法添加图形。");
    return QString();
}

} // namespace DrawingPlacer

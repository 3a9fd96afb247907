#include "canvas/drawingplacer.h"

#include "canvas/importunitdialog.h"
#include "canvas/svgview.h"
#include "import/drawingimport.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGraphicsItem>

namespace DrawingPlacer {

bool addDrawing(SVGView *view, const ImportedDrawing &drawing, ImportUnit unit)
{
    const QList<DrawingImport::PlacedElement> elements =
            DrawingImport::place(drawing, unit, view->workArea());
    bool added = true;
    for (const DrawingImport::PlacedElement &element : elements) {
        if (!view->addNode(QStringLiteral("path"), element.names, element.values)) {
            qDebug() << "con't reinterpret_cast node";
            added = false;
        }
    }
    return added;
}

QString importDrawing(SVGView *view, const QString &path, QWidget *parent)
{
    const ImportedDrawing drawing = DrawingImport::read(path);
    if (!drawing.ok())
        return drawing.error;
    if (drawing.isEmpty())
        return QCoreApplication::translate("DrawingPlacer", "文件中没有可导入的图形。");
    ImportUnit unit = drawing.unit;
    if (!ImportUnitDialog::ask(drawing, &unit, parent))
        return QString();
    if (!addDrawing(view, drawing, unit))
        return QCoreApplication::translate("DrawingPlacer", "设计中没有图层，无法添加图形。");
    return QString();
}

} // namespace DrawingPlacer

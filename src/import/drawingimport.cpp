#include "import/drawingimport.h"

#include "document/documenttemplate.h"
#include "document/pathdatawriter.h"
#include "document/svgtransform.h"
#include "import/dxfreader.h"
#include "import/pltreader.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QTransform>

QRectF ImportedDrawing::bounds() const
{
    QRectF united;
    for (const QPainterPath &path : paths + fills)
        united = united.isNull() ? path.boundingRect() : united.united(path.boundingRect());
    return united;
}

namespace DrawingImport {

namespace {

QString suffixOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

} // namespace

bool isDrawingFile(const QString &path)
{
    const QString suffix = suffixOf(path);
    return suffix == QLatin1String("dxf") || suffix == QLatin1String("plt");
}

ImportedDrawing readPlt(QIODevice &device)
{
    ImportedDrawing drawing;
    drawing.format = ImportedDrawing::Format::Plt;
    // Plotter files are written in plotter units, y up.
    drawing.unit = ImportUnit::Plotter;
    PltReader reader;
    reader.read(device);
    for (const QPainterPath &path : reader.paths()) {
        if (!path.isEmpty())
            drawing.paths.append(path);
    }
    return drawing;
}

ImportedDrawing read(const QString &path, const std::atomic<bool> *cancel)
{
    const QString suffix = suffixOf(path);
    ImportedDrawing drawing;
    // Reading a FIFO or a device named like a drawing would block for ever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        drawing.error = QCoreApplication::translate("DrawingImport", "无法打开文件 %1：%2")
                                .arg(info.fileName(), QStringLiteral("not a regular file"));
        return drawing;
    }
    if (suffix == QLatin1String("dxf"))
        return DxfReader::read(path, cancel);
    if (suffix != QLatin1String("plt")) {
        drawing.error = QCoreApplication::translate("DrawingImport", "不支持的文件类型：%1")
                                .arg(QFileInfo(path).fileName());
        return drawing;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "Cannot open the file";
        drawing.error = QCoreApplication::translate("DrawingImport", "无法打开文件 %1：%2")
                                .arg(QFileInfo(path).fileName(), file.errorString());
        return drawing;
    }
    return readPlt(file);
}

QSizeF physicalSize(const ImportedDrawing &drawing, ImportUnit unit)
{
    return drawing.bounds().size() * ImportUnits::millimetresPer(unit);
}

QList<PlacedElement> place(const ImportedDrawing &drawing, ImportUnit unit, const QSizeF &workArea)
{
    const double factor = ImportUnits::designUnitsPer(unit);
    const QTransform scale = QTransform::fromScale(factor, factor);
    const QRectF bounds = scale.mapRect(drawing.bounds());
    const bool dxf = drawing.format == ImportedDrawing::Format::Dxf;

    QString transform;
    if (ImportUnits::isYUp(unit)) {
        SvgGrammar::prependTransformAsMatrix(transform, QStringLiteral("matrix(1,0,0,1,0,0)"));
        SvgGrammar::prependTransformAsMatrix(
                transform, QStringLiteral("matrix(1,0,0,-1,0,%1)")
                                   .arg(2 * bounds.top() + bounds.height(), 0, 'f', 6));
    }
    if (dxf) {
        const double dx = (workArea.width() - bounds.width()) / 2 - bounds.left();
        const double dy = (workArea.height() - bounds.height()) / 2 - bounds.top();
        if (transform.isEmpty())
            SvgGrammar::prependTransformAsMatrix(transform, QStringLiteral("matrix(1,0,0,1,0,0)"));
        SvgGrammar::prependTransformAsMatrix(
                transform, QStringLiteral("matrix(%1,%2,%3,%4,%5,%6)")
                                   .arg(1.0, 0, 'f', 6).arg(0.0, 0, 'f', 6).arg(0.0, 0, 'f', 6)
                                   .arg(1.0, 0, 'f', 6).arg(dx, 0, 'f', 6).arg(dy, 0, 'f', 6));
    }
    const QString style = dxf ? ElementStyles::dxfOutline : ElementStyles::path;

    QList<PlacedElement> elements;
    const int fills = drawing.fills.size();
    for (const QPainterPath &path : drawing.fills + drawing.paths) {
        PlacedElement element;
        element.names << QStringLiteral("d") << QStringLiteral("style");
        element.values << pathToClosedData(scale.map(path))
                       << (elements.size() < fills ? ElementStyles::importedFill : style);
        if (!transform.isEmpty()) {
            element.names << QStringLiteral("transform");
            element.values << transform;
        }
        elements.append(element);
    }
    return elements;
}

bool appendToDesign(QDomDocument &design, const QList<PlacedElement> &elements)
{
    QDomElement layer = design.documentElement().firstChildElement(QStringLiteral("g"));
    if (layer.isNull())
        return false;
    for (const PlacedElement &placed : elements) {
        QDomElement path = design.createElement(QStringLiteral("path"));
        for (int i = 0; i < placed.names.size(); ++i)
            path.setAttribute(placed.names.at(i), placed.values.at(i));
        layer.appendChild(path);
    }
    return true;
}

} // namespace DrawingImport

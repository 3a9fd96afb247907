#include "canvas/imagetracer.h"

#include "canvas/canvascontext.h"
#include "canvas/itemfactory.h"
#include "document/documenttemplate.h"
#include "document/imageelement.h"
#include "document/node.h"
#include "document/pathdatawriter.h"
#include "document/svgnumbers.h"
#include "document/svgpathdata.h"
#include "document/svgtransform.h"
#include "import/bitmaptracer.h"

#include <QDebug>
#include <QGraphicsItem>

namespace ImageTracer {

void traceSelectedImage(CanvasContext *canvas)
{
    const QList<QGraphicsItem *> selected = canvas->graphicsScene()->selectedItems();
    if (selected.size() != 1)
        return;
    // A user group's item has no element of its own.
    Node *node = ItemFactory::nodeOf(selected.first());
    if (!node || node->type() != NodeType::Image)
        return;
    const QDomElement element = node->element();
    // Read when the element was made, so a linked picture traces like an embedded one.
    const QImage picture = static_cast<const ImageElement *>(node)->picture();
    const double width = SvgGrammar::attributeLength(element, QStringLiteral("width"));
    const double height = SvgGrammar::attributeLength(element, QStringLiteral("height"));
    const double x = SvgGrammar::attributeLength(element, QStringLiteral("x"));
    const double y = SvgGrammar::attributeLength(element, QStringLiteral("y"));
    QString placement = SvgGrammar::attributeString(element, QStringLiteral("transform"))
            + QStringLiteral("translate(%1, %2)").arg(x, 0, 'g', 6).arg(y, 0, 'g', 6);

    // One pixel per design unit, but never a picture of absurd size.
    const int columns = int(qBound(0.0, width, double(BitmapTracer::sideLimit)));
    const int rows = int(qBound(0.0, height, double(BitmapTracer::sideLimit)));
    if (picture.isNull() || columns < 1 || rows < 1)
        return;
    if (columns < int(width) || rows < int(height))
        placement += QStringLiteral("scale(%1, %2)")
                             .arg(double(int(width)) / columns, 0, 'g', 6)
                             .arg(double(int(height)) / rows, 0, 'g', 6);
    const QStringList traced = BitmapTracer::tracePathList(
            picture.scaled(columns, rows, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    // A white picture has nothing to group.
    if (traced.isEmpty())
        return;

    // The outlines in scene coordinates, then in the current layer's.
    Node *layer = canvas->currentLayer();
    QGraphicsItem *layerItem = layer ? canvas->itemFactory()->containerItem(layer) : nullptr;
    QGraphicsItem *imageItem = canvas->itemOf(node);
    if (!layerItem || !imageItem)
        return;
    QTransform toLayer = SvgGrammar::parseTransform(placement);
    if (QGraphicsItem *parent = imageItem->parentItem())
        toLayer *= parent->sceneTransform();
    toLayer *= layerItem->sceneTransform().inverted();
    QPainterPath merged;
    for (const QString &data : traced)
        merged.addPath(toLayer.map(SvgGrammar::parsePath(data)));

    Node *path = canvas->addNode(QStringLiteral("path"), {QStringLiteral("d"), QStringLiteral("style")},
                                 {pathToClosedData(merged), ElementStyles::path});
    if (!path) {
        qDebug() << "con't reinterpret_cast node";
        return;
    }
    canvas->setDrawingNode(path);
    if (QGraphicsItem *item = canvas->itemOf(path))
        item->setSelected(true);
}

} // namespace ImageTracer

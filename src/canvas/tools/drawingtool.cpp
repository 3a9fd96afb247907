#include "canvas/tools/drawingtool.h"

#include "canvas/graphicspathitem.h"
#include "canvas/itemfactory.h"
#include "canvas/canvascontext.h"
#include "document/documenttemplate.h"
#include "document/node.h"
#include "document/pathdatawriter.h"
#include "document/pathelement.h"

#include <QGraphicsItem>
#include <QGraphicsSceneMouseEvent>

DrawingTool::DrawingTool(CanvasContext *scene)
    : CanvasTool(scene)
{
}

void DrawingTool::mouseMove(QGraphicsSceneMouseEvent *)
{
}

void DrawingTool::mouseRelease(QGraphicsSceneMouseEvent *)
{
}

bool DrawingTool::layerPoint(const QGraphicsSceneMouseEvent *event, QPointF *point) const
{
    Node *layer = scene()->drawingLayer();
    QGraphicsItem *layerItem = layer ? scene()->itemFactory()->containerItem(layer) : nullptr;
    if (!layerItem)
        return false;
    *point = layerItem->mapFromScene(event->scenePos());
    return true;
}

Node *DrawingTool::startElement(const QString &tag, const QStringList &names,
                                const QStringList &values)
{
    Node *node = scene()->addNode(tag, names, values);
    scene()->setDrawingNode(node);
    return node;
}

Node *DrawingTool::drawingNode(NodeType type) const
{
    Node *node = scene()->drawingNode();
    return node && node->type() == type && itemOf(node) ? node : nullptr;
}

QGraphicsItem *DrawingTool::itemOf(const Node *node) const
{
    return scene()->itemOf(node);
}

void DrawingTool::discard(Node *node)
{
    scene()->discardNode(node);
}

void DrawingTool::completed(Node *node)
{
    if (Node *parent = node->parent())
        parent->fitContainerToChildren();
}

QString DrawingTool::shortNumber(double value)
{
    return QString::number(value, 'g', 6);
}

void DrawingTool::finishPath(Node *node, const QPainterPath &path)
{
    if (path.isEmpty()) {
        discard(node);
        return;
    }
    static_cast<GraphicsPathItem *>(itemOf(node))->setPath(path);
    static_cast<PathElement *>(node)->setPath(path);
    node->setAttribute(QStringLiteral("d"), pathToData(path));
    node->setAttribute(QStringLiteral("style"), ElementStyles::path);
    completed(node);
}

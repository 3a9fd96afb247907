#include "canvas/graphicspathitem.h"

GraphicsPathItem::GraphicsPathItem(SVGView *view, QGraphicsItem *parent)
    : HollowShapeItem(view, parent)
{
}

QPainterPath GraphicsPathItem::shape() const
{
    return hitShape(path());
}

void GraphicsPathItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    preparePainter(painter);
    drawShape(painter, path());
}

QRectF GraphicsPathItem::boundingRect() const
{
    return withMarkers(QGraphicsPathItem::boundingRect());
}

#include "canvas/graphicsellipseitem.h"

GraphicsEllipseItem::GraphicsEllipseItem(SVGView *view, QGraphicsItem *parent)
    : HollowShapeItem(view, parent)
{
}

QRectF GraphicsEllipseItem::boundingRect() const
{
    return rect();
}

QPainterPath GraphicsEllipseItem::shape() const
{
    QPainterPath outline;
    outline.addEllipse(rect());
    return closedHitShape(outline);
}

void GraphicsEllipseItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    preparePainter(painter);
    QPainterPath outline;
    outline.addEllipse(rect());
    drawShape(painter, outline);
}

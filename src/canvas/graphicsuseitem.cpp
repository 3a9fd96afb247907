#include "canvas/graphicsuseitem.h"

GraphicsUseItem::GraphicsUseItem(SVGView *view, QGraphicsItem *parent)
    : HollowShapeItem(view, parent)
{
}

QPainterPath GraphicsUseItem::shape() const
{
    return hitShape(path());
}

void GraphicsUseItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    preparePainter(painter);
    painter->drawPath(path());
}

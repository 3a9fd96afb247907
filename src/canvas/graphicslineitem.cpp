#include "canvas/graphicslineitem.h"

GraphicsLineItem::GraphicsLineItem(SVGView *view, QGraphicsItem *parent)
    : DesignItem(view, parent)
{
}

QPainterPath GraphicsLineItem::shape() const
{
    // Qt's boundingRect() asks shape() for wide pens, so the rectangle is
    // built here from the line and the pen.
    const double margin = pen().widthF() / 2;
    QPainterPath path;
    path.addRect(QRectF(line().p1(), line().p2()).normalized().adjusted(-margin, -margin, margin,
                                                                       margin));
    return path;
}

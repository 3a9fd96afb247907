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
    return clippedShape(path);
}

QRectF GraphicsLineItem::boundingRect() const
{
    return withMarkers(QGraphicsLineItem::boundingRect());
}

void GraphicsLineItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    // A plain line keeps Qt's own painting and selection highlight.
    if (!hasCutLine() && markers().isEmpty()) {
        QGraphicsLineItem::paint(painter, option, widget);
        return;
    }
    ItemSupport::setCosmeticPen(painter, pen(), Qt::NoBrush);
    QPainterPath geometry;
    geometry.moveTo(line().p1());
    geometry.lineTo(line().p2());
    drawShape(painter, geometry);
}

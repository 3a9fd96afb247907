#include "canvas/graphicslineitem.h"

#include "canvas/itemsupport.h"

GraphicsLineItem::GraphicsLineItem(SVGView *view, QGraphicsItem *parent)
    : QGraphicsLineItem(parent)
    , mView(view)
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

void GraphicsLineItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *) {}

void GraphicsLineItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    ItemSupport::reportPress(this, event);
}

void GraphicsLineItem::mouseMoveEvent(QGraphicsSceneMouseEvent *) {}

void GraphicsLineItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *) {}

QVariant GraphicsLineItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    return QGraphicsLineItem::itemChange(change, value);
}

#include "canvas/graphicsimageitem.h"

#include "canvas/itemsupport.h"

GraphicsImageItem::GraphicsImageItem(SVGView *view, QGraphicsItem *parent)
    : QGraphicsPixmapItem(parent)
    , mView(view)
{
}

void GraphicsImageItem::contextMenuEvent(QGraphicsSceneContextMenuEvent *) {}

void GraphicsImageItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    ItemSupport::reportPress(this, event);
}

void GraphicsImageItem::mouseMoveEvent(QGraphicsSceneMouseEvent *) {}

void GraphicsImageItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *) {}

QVariant GraphicsImageItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    return QGraphicsPixmapItem::itemChange(change, value);
}

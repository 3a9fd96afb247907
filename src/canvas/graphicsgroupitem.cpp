#include "canvas/graphicsgroupitem.h"

#include "canvas/itembounds.h"

#include <QDebug>

GraphicsGroupItem::GraphicsGroupItem(SVGView *view, QGraphicsItem *parent)
    : DesignItem(view, parent)
{
    setFlag(ItemIsMovable);
    setFlag(ItemIsSelectable);
}

void GraphicsGroupItem::setMembers(const QList<QGraphicsItem *> &members)
{
    prepareGeometryChange();
    mMembers = members;
}

QRectF GraphicsGroupItem::boundingRect() const
{
    if (!view())
        return QRectF();
    return mapRectFromScene(ItemBounds::selectionBounds(mMembers));
}

QPainterPath GraphicsGroupItem::shape() const
{
    QPainterPath united;
    for (const QGraphicsItem *member : mMembers)
        united = united.united(mapFromItem(member, member->shape()));
    return united;
}

void GraphicsGroupItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setPen(QPen(Qt::transparent, 0));
    painter->setBrush(Qt::transparent);
    painter->drawPath(QPainterPath());
}

void GraphicsGroupItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    qDebug() << "GraphicsItemGroup::mousePressEvent" << sceneBoundingRect();
    DesignItem::mousePressEvent(event);
}

#include "canvas/selectingtool.h"

#include <QGraphicsScene>
#include <QPainter>

SelectingTool::SelectingTool(const QRectF &rect, QGraphicsScene *scene)
    : QGraphicsRectItem(rect)
    , mStartX(rect.x())
    , mStartY(rect.y())
    , mScene(scene)
{
    setZValue(1e9);
    setAcceptedMouseButtons(Qt::NoButton);
}

void SelectingTool::stretchTo(double x, double y)
{
    mDownward = y >= mStartY ? 1 : 0;
    setRect(qMin(mStartX, x), qMin(mStartY, y), qAbs(mStartX - x), qAbs(mStartY - y));
    update();
}

QList<QGraphicsItem *> SelectingTool::coveredItems() const
{
    const QRectF area = sceneBoundingRect();
    QPainterPath areaPath;
    areaPath.addRect(area);
    // What the scene's own area selection picks, without its sorting and
    // shape test of every item: a rectangle holds an item's shape exactly
    // when it holds the item's bounds, and an item it holds it also touches.
    // Only items on the band's edge need their shape when drawn upwards.
    QList<QGraphicsItem *> covered;
    for (QGraphicsItem *item : mScene->items(area, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder)) {
        if (item == this || !(item->flags() & QGraphicsItem::ItemIsSelectable))
            continue;
        if (area.contains(item->sceneBoundingRect())
            || (!downward() && item->collidesWithPath(item->mapFromScene(areaPath), Qt::IntersectsItemShape)))
            covered.append(item);
    }
    return covered;
}

void SelectingTool::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setPen(QPen(downward() ? QColor(0xBD, 0x2E, 0x09) : QColor(0x07, 0x8C, 0x3F), 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect());
}

#include "canvas/selectingtool.h"

#include "canvas/scene.h"

#include <QPainter>

SelectingTool::SelectingTool(const QRectF &rect, Scene *scene)
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

void SelectingTool::selectCovered()
{
    QPainterPath area;
    area.addRect(sceneBoundingRect());
    mScene->setSelectionArea(area, downward() ? Qt::ContainsItemShape : Qt::IntersectsItemShape);
}

void SelectingTool::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setPen(QPen(downward() ? QColor(0xBD, 0x2E, 0x09) : QColor(0x07, 0x8C, 0x3F), 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect());
}

#pragma once

#include "canvas/designitem.h"

#include <QGraphicsPathItem>
#include <QObject>

// The item of a "use" instance: the outline of everything it shows, picked
// and moved as one piece.
class GraphicsUseItem : public QObject, public HollowShapeItem<GraphicsUseItem, QGraphicsPathItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 8 };

    explicit GraphicsUseItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
};

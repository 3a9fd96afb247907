#pragma once

#include "canvas/designitem.h"

#include <QGraphicsPathItem>
#include <QObject>

// The item of path, polygon and polyline elements.
class GraphicsPathItem : public QObject, public HollowShapeItem<GraphicsPathItem, QGraphicsPathItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 5 };

    explicit GraphicsPathItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    QPainterPath shape() const override;
    // The path and the markers on it.
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
};

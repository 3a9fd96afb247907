#pragma once

#include "canvas/designitem.h"

#include <QGraphicsEllipseItem>
#include <QObject>

// The item of circle and ellipse elements.
class GraphicsEllipseItem : public QObject,
                            public HollowShapeItem<GraphicsEllipseItem, QGraphicsEllipseItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 3 };

    explicit GraphicsEllipseItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    // The ellipse rectangle itself, without the pen margin.
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
};

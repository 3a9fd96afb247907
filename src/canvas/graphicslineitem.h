#pragma once

#include "canvas/designitem.h"

#include <QGraphicsLineItem>
#include <QObject>

// The item of line elements; painted by Qt.
class GraphicsLineItem : public QObject, public DesignItem<GraphicsLineItem, QGraphicsLineItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 4 };

    explicit GraphicsLineItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    // The whole bounding rectangle, so a thin line is easy to pick.
    QPainterPath shape() const override;
    // The line and the markers on it.
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);
};

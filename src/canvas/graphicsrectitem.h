#pragma once

#include "canvas/designitem.h"

#include <QGraphicsRectItem>
#include <QObject>

// The item of rect elements and of the g and a containers.
class GraphicsRectItem : public QObject, public HollowShapeItem<GraphicsRectItem, QGraphicsRectItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 2 };

    explicit GraphicsRectItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // The rectangle with corners rounded by the radii, each clamped to half
    // the side it lies on.
    static QPainterPath roundedPath(const QRectF &rect, double radiusX, double radiusY);

    // True for the container of a g element: presses and context menus then
    // go to the Qt base class.
    bool passThrough() const { return mPassThrough; }
    void setPassThrough(bool passThrough) { mPassThrough = passThrough; }
    double cornerRadiusX() const { return mCornerRadiusX; }
    double cornerRadiusY() const { return mCornerRadiusY; }
    void setCornerRadiusX(double radius);
    void setCornerRadiusY(double radius);

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);

protected:
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    bool mPassThrough = false;
    double mCornerRadiusX = 0;
    double mCornerRadiusY = 0;
};

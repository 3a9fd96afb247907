#pragma once

#include "canvas/designitem.h"

#include <QGraphicsPixmapItem>
#include <QObject>
#include <QPainterPath>

// The item of image elements; painted and hit by Qt.
class GraphicsImageItem : public QObject, public DesignItem<GraphicsImageItem, QGraphicsPixmapItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 6 };

    explicit GraphicsImageItem(SVGView *view, QGraphicsItem *parent = nullptr)
        : DesignItem(view, parent)
    {
    }

    int type() const override { return Type; }
    QPainterPath shape() const override { return clippedShape(QGraphicsPixmapItem::shape()); }

    // The outline traced from the bitmap; bounds "bw" images on the canvas.
    QPainterPath outline() const { return mOutline; }
    void setOutline(const QPainterPath &outline) { mOutline = outline; }

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);

private:
    QPainterPath mOutline;
};

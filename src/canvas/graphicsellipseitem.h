#pragma once

#include <QGraphicsEllipseItem>
#include <QObject>

class GraphicsGroupItem;
class SVGView;

// The item of circle and ellipse elements.
class GraphicsEllipseItem : public QObject, public QGraphicsEllipseItem
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

    SVGView *view() const { return mView; }
    int hollow() const { return mHollow; }
    void setHollow(int hollow) { mHollow = hollow; }
    double inverseZoom() const { return mInverseZoom; }
    GraphicsGroupItem *ownerGroup() const { return mOwnerGroup; }
    void setOwnerGroup(GraphicsGroupItem *group) { mOwnerGroup = group; }

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);

protected:
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    SVGView *mView = nullptr;
    int mHollow = 0;
    double mInverseZoom = 1.0;
    GraphicsGroupItem *mOwnerGroup = nullptr;
};

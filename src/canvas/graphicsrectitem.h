#pragma once

#include <QGraphicsRectItem>
#include <QObject>

class GraphicsGroupItem;
class SVGView;

// The item of rect elements and of the g and a containers.
class GraphicsRectItem : public QObject, public QGraphicsRectItem
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

    SVGView *view() const { return mView; }
    int hollow() const { return mHollow; }
    void setHollow(int hollow) { mHollow = hollow; }
    bool passThrough() const { return mPassThrough; }
    void setPassThrough(bool passThrough) { mPassThrough = passThrough; }
    double cornerRadiusX() const { return mCornerRadiusX; }
    double cornerRadiusY() const { return mCornerRadiusY; }
    void setCornerRadiusX(double radius);
    void setCornerRadiusY(double radius);
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
    bool mPassThrough = false;
    double mCornerRadiusX = 0;
    double mCornerRadiusY = 0;
    double mInverseZoom = 1.0;
    GraphicsGroupItem *mOwnerGroup = nullptr;
};

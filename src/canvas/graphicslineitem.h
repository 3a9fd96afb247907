#pragma once

#include <QGraphicsLineItem>
#include <QObject>

class GraphicsGroupItem;
class SVGView;

// The item of line elements; painted by Qt.
class GraphicsLineItem : public QObject, public QGraphicsLineItem
{
    Q_OBJECT

public:
    enum { Type = UserType + 4 };

    explicit GraphicsLineItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    // The whole bounding rectangle, so a thin line is easy to pick.
    QPainterPath shape() const override;

    SVGView *view() const { return mView; }
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
    GraphicsGroupItem *mOwnerGroup = nullptr;
};

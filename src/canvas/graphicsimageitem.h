#pragma once

#include <QGraphicsPixmapItem>
#include <QObject>
#include <QPainterPath>

class GraphicsGroupItem;
class SVGView;

// The item of image elements; painted and hit by Qt.
class GraphicsImageItem : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT

public:
    enum { Type = UserType + 6 };

    explicit GraphicsImageItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }

    SVGView *view() const { return mView; }
    // The outline traced from the bitmap; bounds "bw" images on the canvas.
    QPainterPath outline() const { return mOutline; }
    void setOutline(const QPainterPath &outline) { mOutline = outline; }
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
    QPainterPath mOutline;
    GraphicsGroupItem *mOwnerGroup = nullptr;
};

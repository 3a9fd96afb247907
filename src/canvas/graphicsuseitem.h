#pragma once

#include "canvas/designitem.h"
#include "canvas/shownparts.h"

#include <QGraphicsPathItem>
#include <QObject>

class UseInstance;

// The item of a "use" instance: picked and moved as one piece by the
// outline of everything it shows, drawn shape by shape in the paint each
// copied shape is engraved with.
class GraphicsUseItem : public QObject, public HollowShapeItem<GraphicsUseItem, QGraphicsPathItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 8 };

    using PictureLoader = ShownParts::PictureLoader;

    explicit GraphicsUseItem(SVGView *view, QGraphicsItem *parent = nullptr);

    int type() const override { return Type; }
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

    // Takes the outline, the parts and the hit mode from the expanded copy.
    void show(const UseInstance &instance, const PictureLoader &loadPicture);

signals:
    void rightSelected(QGraphicsItem *item);
    void leftSelected(QGraphicsItem *item);
    void leftCtlSelected(QGraphicsItem *item);

private:
    ShownParts mParts;
};

#pragma once

#include "canvas/designitem.h"

#include <QBrush>
#include <QGraphicsPathItem>
#include <QImage>
#include <QObject>
#include <QPen>
#include <QTransform>

#include <functional>
#include <vector>

class UseInstance;

// The item of a "use" instance: picked and moved as one piece by the
// outline of everything it shows, drawn shape by shape in the paint each
// copied shape is engraved with.
class GraphicsUseItem : public QObject, public HollowShapeItem<GraphicsUseItem, QGraphicsPathItem>
{
    Q_OBJECT

public:
    enum { Type = UserType + 8 };

    // What is drawn of one shape or picture of the copy.
    struct Part
    {
        QPainterPath path;
        QBrush brush;
        QPen pen;
        // A picture, drawn into `box` under `transform`, in place of a path.
        QImage picture;
        QRectF box;
        QTransform transform;
    };
    // The picture of a piece at the size it is shown, or a null image.
    using PictureLoader = std::function<QImage(const QString &href, const QSize &shown)>;

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
    std::vector<Part> mParts;
};

#pragma once

#include <QGraphicsPixmapItem>
#include <QObject>
#include <QTransform>

class SelectItem;

// One handle of the selection frame: eight resize handles on its corners and
// edges and a rotate handle beyond its top-right corner. It keeps 10 x 10
// screen pixels at every zoom.
class resizePoint : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)

public:
    enum Kind {
        TopLeft = 1,
        Top = 2,
        TopRight = 3,
        Right = 4,
        BottomRight = 5,
        Bottom = 6,
        BottomLeft = 7,
        Left = 8,
        Rotate = 10,
    };

    resizePoint(SelectItem *frame, int kind);

    int kind() const { return mKind; }
    QPointF anchorPos() const { return mAnchorPos; }
    // Centres the handle on (x, y) of the frame.
    void place(double x, double y);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

signals:
    void resize();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    double angleTo(const QPointF &pointer) const;
    void applyZoom(double inverseZoom);

    SelectItem *mFrame = nullptr;
    int mKind = 0;
    QPointF mAnchorPos;
    QPointF mPressPos;
    double mInverseZoom = 1.0;
    QTransform mSavedTransform;
};

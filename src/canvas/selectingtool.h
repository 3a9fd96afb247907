#pragma once

#include <QGraphicsRectItem>

class QGraphicsScene;

// The rubber band of the Select tool. Drawn downwards it selects what lies
// wholly inside; upwards, everything it touches.
class SelectingTool : public QGraphicsRectItem
{
public:
    SelectingTool(const QRectF &rect, QGraphicsScene *scene);

    bool downward() const { return mDownward != 0; }
    void stretchTo(double x, double y);
    // The selectable items the band picks, in stacking order.
    QList<QGraphicsItem *> coveredItems() const;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget = nullptr) override;

private:
    double mStartX = 0;
    double mStartY = 0;
    int mDownward = 1;
    QGraphicsScene *mScene = nullptr;
};

#pragma once

#include "canvas/tools/drawingtool.h"

#include <QList>
#include <QPainterPath>

// Free-hand drawing: the sampled points are smoothed into one cubic per
// group of 16, of which the first four are then dropped; what is left of the
// last group at release is joined by straight segments.
class PenTool : public DrawingTool
{
public:
    using DrawingTool::DrawingTool;

    void mousePress(QGraphicsSceneMouseEvent *event) override;
    void mouseMove(QGraphicsSceneMouseEvent *event) override;
    void mouseRelease(QGraphicsSceneMouseEvent *event) override;
    void finish() override;

    bool isActive() const { return mActive; }

    // Adds the cubic that points 0, 4, 8 and 12 of a full group give to
    // `path`, ending at point 8.
    static void addSmoothedSegment(QPainterPath &path, const QList<QPointF> &points);

private:
    bool mActive = false;
    QPainterPath mDrawPath;
    QList<QPointF> mPoints;
};

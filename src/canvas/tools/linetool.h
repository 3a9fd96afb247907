#pragma once

#include "canvas/tools/drawingtool.h"

#include <QPainterPath>

// A polyline click by click: each left press adds a corner, the pointer
// drags a rubber segment from the last one, and a right press, a double
// click, Enter, Escape, another tool or finish() ends it.
class LineTool : public DrawingTool
{
public:
    using DrawingTool::DrawingTool;

    void mousePress(QGraphicsSceneMouseEvent *event) override;
    void mouseMove(QGraphicsSceneMouseEvent *event) override;
    void mouseDoubleClick(QGraphicsSceneMouseEvent *event) override;
    void keyPress(QKeyEvent *event) override;
    void finish() override;

    bool isActive() const { return mActive; }

private:
    bool mActive = false;
    QPainterPath mSegmentPath;
    QPointF mStart;
};

#include "canvas/tools/canvastool.h"

#include "canvas/canvascontext.h"

CanvasTool::CanvasTool(CanvasContext *scene)
    : mScene(scene)
{
}

CanvasTool::~CanvasTool() = default;

void CanvasTool::mouseDoubleClick(QGraphicsSceneMouseEvent *)
{
}

void CanvasTool::keyPress(QKeyEvent *event)
{
    mScene->deliver(event);
}

void CanvasTool::finish()
{
}

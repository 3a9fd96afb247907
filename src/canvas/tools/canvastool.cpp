#include "canvas/tools/canvastool.h"

#include "canvas/scene.h"

CanvasTool::CanvasTool(Scene *scene)
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

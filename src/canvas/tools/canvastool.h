#pragma once

class QGraphicsSceneMouseEvent;
class QKeyEvent;
class CanvasContext;

// One way of turning the canvas's mouse and key events into edits. The scene
// hands every such event to its active tool, and the event reaches the items
// only if the tool passes it on with CanvasContext::deliver: that is how item presses
// and text editing keep working under a tool that wants them.
class CanvasTool
{
public:
    explicit CanvasTool(CanvasContext *scene);
    virtual ~CanvasTool();
    CanvasTool(const CanvasTool &) = delete;
    CanvasTool &operator=(const CanvasTool &) = delete;

    virtual void mousePress(QGraphicsSceneMouseEvent *event) = 0;
    virtual void mouseMove(QGraphicsSceneMouseEvent *event) = 0;
    virtual void mouseRelease(QGraphicsSceneMouseEvent *event) = 0;
    // Drawing tools ignore double clicks.
    virtual void mouseDoubleClick(QGraphicsSceneMouseEvent *event);
    // Keys go to the focused item (the text being edited) unless a tool
    // takes them.
    virtual void keyPress(QKeyEvent *event);
    // Ends a gesture in progress, so that no half-made element or stale
    // pointer outlives a change of tool or the replacement of the document.
    virtual void finish();

protected:
    CanvasContext *scene() const { return mScene; }

private:
    CanvasContext *mScene = nullptr;
};

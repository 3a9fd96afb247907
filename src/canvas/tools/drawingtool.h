#pragma once

#include "canvas/tools/canvastool.h"

#include <QPointF>
#include <QString>
#include <QStringList>

class Node;
enum class NodeType;
class QGraphicsItem;
class QPainterPath;

// What the drawing tools share: the press point in the drawing layer's
// coordinates, the element being drawn and taking it back when it came to
// nothing. Drawing tools pass no mouse event on to the items.
class DrawingTool : public CanvasTool
{
public:
    explicit DrawingTool(CanvasContext *scene);

    void mouseMove(QGraphicsSceneMouseEvent *event) override;
    void mouseRelease(QGraphicsSceneMouseEvent *event) override;

protected:
    // The event's scene position in the coordinates of the drawing layer's
    // item, where new elements live. False when there is no layer to draw in.
    bool layerPoint(const QGraphicsSceneMouseEvent *event, QPointF *point) const;
    // Adds the element to the design and makes it the scene's drawing node.
    Node *startElement(const QString &tag, const QStringList &names, const QStringList &values);
    // The scene's drawing node when it is of this kind, else null.
    Node *drawingNode(NodeType type) const;
    QGraphicsItem *itemOf(const Node *node) const;
    // Removes an element that came to nothing, with its add command.
    void discard(Node *node);
    // After the element's geometry is written: its layer encloses it again.
    void completed(Node *node);
    // Ends a drawn path element: an empty path discards it, any other is
    // written as "d" with the path style.
    void finishPath(Node *node, const QPainterPath &path);

    // Numbers at creation: six significant digits, shortest form.
    static QString shortNumber(double value);
};

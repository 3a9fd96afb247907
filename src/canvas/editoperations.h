#pragma once

#include <QList>
#include <QPainterPath>
#include <QPointer>
#include <QRectF>

class GraphicsGroupItem;
class Node;
class QGraphicsItem;
class CanvasContext;

// The editing commands of the main window acting on the canvas selection:
// copy and paste, delete, grouping, alignment, mirroring and the nudge.
class EditOperations
{
public:
    enum class Side { Left, Right, Top, Bottom };
    enum class Direction { Horizontal, Vertical };

    explicit EditOperations(CanvasContext *canvas);

    void copySelection();
    void pasteCopied();
    void deleteSelection();
    void groupSelection();
    void ungroupSelection();
    void alignSelection(Side side);
    void mirrorSelection(Direction direction);
    void nudgeSelection();

    // The copy buffer holds the items themselves; an item deleted with its
    // element (a dropped undo command) leaves it.
    QList<QGraphicsItem *> copiedItems() const;
    void setCopiedItems(const QList<QGraphicsItem *> &items, const QRectF &bounds);
    void clearCopied();

    // The order in which grouped paths are chained, by index into `paths`.
    static QList<int> chainOrder(const QList<QPainterPath> &paths);
    static const QString &pathGroupStyle();

private:
    QGraphicsItem *pasteItem(QGraphicsItem *item, const QString &translate);
    void groupPaths(const QList<QGraphicsItem *> &items);
    void ungroupPath(QGraphicsItem *item);
    // A path in scene coordinates as "d" text for a child of the current layer.
    QString layerData(const QPainterPath &scenePath) const;
    void removeFrame();

    CanvasContext *mCanvas = nullptr;
    QList<QPointer<QObject>> mCopied;
    QRectF mCopiedBounds;
};

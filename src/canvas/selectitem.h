#pragma once

#include <QGraphicsRectItem>
#include <QList>
#include <QStringList>
#include <QTransform>

class AttributeUndo;
class GraphicsGroupItem;
class CanvasContext;
class resizePoint;

// The selection frame: a dashed red rectangle around the selected items with
// nine handles that resize it and rotate it. Gestures preview on the items'
// transforms; commitScale and commitRotation write the elements once.
class SelectItem : public QGraphicsRectItem
{
public:
    SelectItem(const QRectF &rect, CanvasContext *scene, const QList<QGraphicsItem *> &items);

    // Groups replaced by their members, recursively.
    static QList<QGraphicsItem *> flatten(const QList<QGraphicsItem *> &items);
    // The user group a design item belongs to, if any.
    static GraphicsGroupItem *ownerGroupOf(const QGraphicsItem *item);
    static void setOwnerGroupOf(QGraphicsItem *item, GraphicsGroupItem *group);

    const QList<resizePoint *> &handles() const { return mHandles; }
    resizePoint *handle(int kind) const;
    const QList<QGraphicsItem *> &items() const { return mItems; }
    CanvasContext *scene() const { return mScene; }
    const QStringList &savedTransforms() const { return mSavedTransforms; }

    void layoutHandles();
    void setItems(const QList<QGraphicsItem *> &items);
    void refit();
    // One entry per item: the element's "transform" text as it is (empty
    // when it has none), so an undo writes back exactly what was there.
    void saveTransforms();

    // Scales every item about the scene point `anchor`; accumulates.
    void scalePreview(double sx, double sy, const QPointF &anchor);
    // Writes the accumulated scale as one attribute command, or into
    // `into` when the change is part of a larger one.
    void commitScale(AttributeUndo *into = nullptr);
    // Rotates every item about the frame's centre, starting each time from
    // the elements' stored transforms.
    void rotatePreview(double angle);
    void commitRotation(double angle, AttributeUndo *into = nullptr);
    // The resize step of one handle for a scene-space pointer movement.
    void resizeBy(int kind, double dx, double dy);

private:
    QTransform rotation(double angle) const;
    // One attribute command: `sceneMatrix` prepended to every element's
    // transform saved when the gesture started.
    void commitSceneMatrix(const QTransform &sceneMatrix, AttributeUndo *into);

    QList<resizePoint *> mHandles;
    QTransform mAccumulated;
    QList<QGraphicsItem *> mItems;
    QStringList mSavedTransforms;
    CanvasContext *mScene = nullptr;
};

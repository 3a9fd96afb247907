#pragma once

#include "document/attributerecord.h"

#include <QString>
#include <QTransform>
#include <optional>

class Node;
class QGraphicsItem;
class CanvasContext;

// Writes what the canvas did to an item back into its element: moves as new
// positions with conjugated transforms (or a merged leading translation),
// scales, rotations and mirrors as one normalised matrix. Matrices the
// gestures build are in scene space; they are mapped into the element's
// parent first, so elements under a transformed layer or group come out
// where the user saw them.
class TransformWriter
{
public:
    explicit TransformWriter(CanvasContext *canvas);

    // The move of the element's item since its attributes were last written.
    // Nothing for containers and elements without item.
    std::optional<AttributeRecord> commitMove(Node *element) const;
    // Prepends the scene-space matrix to the element's transform, written as
    // one matrix; the item follows. The record's old value is `oldText`.
    std::optional<AttributeRecord> commitSceneMatrix(Node *element, const QTransform &sceneMatrix,
                                                     const QString &oldText) const;

    // The scene-space matrix as it acts in the item's parent coordinates.
    static QTransform inParentOf(const QGraphicsItem *item, const QTransform &sceneMatrix);
    // How far the item's position moves so that what lay at scene point
    // `from` comes to lie at `to`.
    static QPointF positionShift(const QGraphicsItem *item, const QPointF &from, const QPointF &to);
    // "matrix(m11,m12,m21,m22,dx,dy)" with six decimals.
    static QString matrixText(const QTransform &matrix);
    // `matrix` prepended to `text` and the whole written as one matrix; an
    // empty text counts as the identity.
    static QString normalised(const QString &text, const QString &matrix);
    // The translation merged into a leading translate of `text` (or put in
    // front of it).
    static QString withLeadingTranslate(const QString &text, double dx, double dy);

private:
    CanvasContext *mCanvas = nullptr;
};

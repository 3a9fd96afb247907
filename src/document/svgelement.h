#pragma once

#include "document/node.h"

class QGraphicsRectItem;

// The "svg" document element: the page rectangle on the scene and, inside it,
// the content rectangle that holds every top-level element's item.
class SVGElement : public Node
{
public:
    SVGElement(const QDomElement &element, int row, SVGView *view, Node *parent);
    ~SVGElement() override;

    double width() const { return mWidth; }
    double height() const { return mHeight; }
    QRectF viewBox() const { return mViewBox; }
    Qt::AspectRatioMode aspectMode() const { return mAspectMode; }
    QGraphicsRectItem *pageRect() const { return mPageRect; }
    QGraphicsRectItem *contentRect() const { return mContentRect; }

    // Sets both rectangles (the work area).
    void setRects(const QRectF &rect);

private:
    double readSize(const QString &name);

    double mWidth = -100;
    double mHeight = -100;
    QRectF mViewBox{0, 0, -1, -1};
    Qt::AspectRatioMode mAspectMode = Qt::KeepAspectRatio;
    QGraphicsRectItem *mPageRect = nullptr;
    QGraphicsRectItem *mContentRect = nullptr;
};

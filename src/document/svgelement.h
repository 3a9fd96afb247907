#pragma once

#include "document/node.h"

// The "svg" element: its size, view box and the page rectangle, which is the
// work area for the document element.
class SVGElement : public Node
{
public:
    SVGElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    double width() const { return mWidth; }
    double height() const { return mHeight; }
    QRectF viewBox() const { return mViewBox; }
    Qt::AspectRatioMode aspectMode() const { return mAspectMode; }
    // The page and content rectangles: (0, 0, width, height) as read, and
    // the work area once the view has set it.
    QRectF pageRect() const { return mPageRect; }

    // Sets the page rectangle (the work area).
    void setRects(const QRectF &rect);

private:
    double readSize(const QString &name);

    double mWidth = -100;
    double mHeight = -100;
    QRectF mViewBox{0, 0, -1, -1};
    Qt::AspectRatioMode mAspectMode = Qt::KeepAspectRatio;
    QRectF mPageRect;
};

#pragma once

#include "document/attributerecord.h"
#include "document/node.h"

#include <QImage>
#include <optional>

class GraphicsImageItem;

// An "image" with its bitmap embedded in "xlink:href" as Base64.
class ImageElement : public Node
{
public:
    ImageElement(const QDomElement &element, int row, SVGView *view, Node *parent);

    GraphicsImageItem *imageItem() const { return mImageItem; }
    QPointF position() const { return {mX, mY}; }
    void setPosition(const QPointF &position);
    QSizeF size() const { return {mWidth, mHeight}; }

    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value);

    // The bitmap of a "data:" reference: the text after the first "," decoded.
    static QImage decodeHref(const QString &href);

private:
    void showBitmap();

    double mX = 0;
    double mY = 0;
    double mWidth = 0;
    double mHeight = 0;
    QImage mBitmap;
    GraphicsImageItem *mImageItem = nullptr;
};

#pragma once

#include "document/node.h"

#include <QImage>
#include <optional>

// An "image" with its bitmap embedded in "xlink:href" as Base64.
class ImageElement : public Node
{
public:
    ImageElement(const QDomElement &element, int row, NodeHost *document, Node *parent);

    QPointF position() const { return {mX, mY}; }
    void setPosition(const QPointF &position);
    QSizeF size() const { return {mWidth, mHeight}; }

    // The picture at its own size, embedded or read from a linked file; null
    // when it cannot be read.
    const QImage &picture() const { return mBitmap; }
    // The bitmap as shown: scaled to the element's size, or at its own size
    // when that is empty or too large to scale.
    QImage displayedBitmap() const;

    std::optional<AttributeRecord> applyAttribute(const QString &name, const QString &value) override;

    // The bitmap of a "data:" reference: the text after the first "," decoded.
    static QImage decodeHref(const QString &href);

private:
    double mX = 0;
    double mY = 0;
    double mWidth = 0;
    double mHeight = 0;
    QImage mBitmap;
};

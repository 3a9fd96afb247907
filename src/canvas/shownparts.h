#pragma once

#include <QBrush>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QTransform>

#include <functional>
#include <vector>

class QPainter;
class UseInstance;

// Shapes and pictures an item draws beside its own geometry, each in the
// paint it is engraved with: the copy a "use" shows, the markers on a line.
class ShownParts
{
public:
    // What is drawn of one shape or picture.
    struct Part
    {
        QPainterPath path;
        QBrush brush;
        QPen pen;
        // A picture, drawn into `box` under `transform`, in place of a path.
        QImage picture;
        QRectF box;
        QTransform transform;
    };
    // The picture of a piece at the size it is shown, or a null image.
    using PictureLoader = std::function<QImage(const QString &href, const QSize &shown)>;

    // The shapes and pictures of an expanded copy, what the job leaves out left out.
    void build(const UseInstance &instance, const PictureLoader &loadPicture);
    void clear() { mParts.clear(); }
    bool isEmpty() const { return mParts.empty(); }
    // In the coordinates of the pieces, pen widths not counted.
    QRectF bounds() const;
    void paint(QPainter *painter) const;

private:
    std::vector<Part> mParts;
};

#pragma once

#include "document/defaultparameters.h"
#include "document/paintparameter.h"
#include "document/styleresolver.h"

#include <QDomDocument>
#include <QImage>
#include <QSizeF>

// The bitmap of one raster group: every fill-mode shape and image that shares
// one parameter set, rendered over the whole design area.
namespace RasterGroup {

// Removes from `copy` every image and fill-mode element whose nine parameters
// differ from `record`. Elements without a "fill" declaration, and containers
// in outline mode, stay and have their children filtered.
void filter(QDomDocument &copy, const PaintParameter &record, const DefaultParameters &defaults,
            const StyleResolver &styles);

// Width and height of the first "svg" element in design units, keeping only
// the characters 0-9, "." and "-" of each ("100mm" reads 100). Where one is
// absent or a percentage, the extent of the root's viewBox (its x + width,
// its y + height) takes its place; 0 without either.
QSizeF designSize(const QDomDocument &document);

// An 8-bit grey image of int(ratio * width) x int(ratio * height) pixels,
// white, with the design area (0, 0, width, height) in user units rendered
// over all of it; a "viewBox" of the root plays no part. Null when the size
// is not at least one pixel each way or the text does not render.
QImage render(const QByteArray &svgText, const QSizeF &designSize, double ratio);

// The part of that same raster that holds marks: `image` covers the pixels
// from `origin` on, every pixel of the `fullSize` raster outside it is white.
// The image is null when nothing is drawn; `ok` is false where render()
// gives a null image.
struct MarkedRaster
{
    QImage image;
    QSize fullSize;
    QPoint origin;
    bool ok = false;
};
MarkedRaster renderMarked(const QByteArray &svgText, const QSizeF &designSize, double ratio);

} // namespace RasterGroup

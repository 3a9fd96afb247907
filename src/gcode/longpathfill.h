#pragma once

#include <QDomDocument>

class StyleResolver;

// Qt's SVG renderer reads at most 32767 elements of one path and fills only
// that part. A raster group's copy therefore has every longer filled shape
// ("path", "polygon", "polyline") replaced, before it is rendered, by a group
// of disjoint pieces that together cover exactly the shape's area: the shape
// is flattened, cut along whole raster pixel rows and columns (so no seam
// shows between the pieces) and each piece is clipped with its winding kept,
// so the fill rule gives the same area. The group keeps the shape's id and
// transform; its stroke, if any, is drawn by short open pieces of the outline.
namespace LongPathFill {

// Elements of one path the renderer reads.
constexpr int rendererLimit = 0x7fff;
// Most polygon points one piece is given, well below the renderer's limit.
constexpr int pieceLimit = 16000;

// Replaces the long shapes of `copy`, rendered at `ratio` raster pixels per
// design unit over the design area. Returns how many shapes were replaced.
int splitLongPaths(QDomDocument &copy, const StyleResolver &styles, double ratio);

} // namespace LongPathFill

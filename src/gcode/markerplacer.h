#pragma once

#include <QDomDocument>

// Markers (arrow heads, dots on the vertices of a line) as SVG places them:
// a copy of the marker's content beside each path, line, polyline and
// polygon that names it in "marker-start", "marker-mid" or "marker-end", at
// the vertex, turned by "orient" (an angle, "auto", "auto-start-reverse"),
// scaled by the stroke width ("markerUnits") and fitted by its viewBox with
// refX and refY on the vertex. The copies are ordinary shapes afterwards, so
// the outline walk and the raster renderer both engrave them.
namespace MarkerPlacer {

void placeMarkers(QDomDocument &document);

} // namespace MarkerPlacer

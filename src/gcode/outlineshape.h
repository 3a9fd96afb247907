#pragma once

#include <QDomElement>
#include <QPainterPath>
#include <QTransform>

// Turns one outline-mode element into the path that is cut, in design units.
namespace OutlineShape {

// Largest pass count honoured for one outline; a design asking for more is
// cut this many times (a hand-edited "1e9" would otherwise exhaust memory).
constexpr int maxPasses = 1000;

// The element's outline `passes` times, mapped through its own transform and
// then through `enclosing` (the transforms of its ancestors), with curves
// flattened. rect, ellipse, circle, line, polyline, polygon and path are known;
// any other element gives an empty path and `known` = false.
QPainterPath elementPath(const QDomElement &element, int passes, const QTransform &enclosing,
                         bool *known = nullptr);

// The outline once, walked as SVG walks a shape for its dashes: a rect from
// the end of its top-left corner to the right, an ellipse or circle from its
// rightmost point towards +y. Outlines without dashes keep elementPath's
// order, which is the order they have always been cut in.
QPainterPath dashPath(const QDomElement &element, const QTransform &enclosing);

// Replaces every cubic curve by straight lines no longer than 15 design units
// and no longer than a tenth of the curve. Moves and lines are kept.
QPainterPath flattenCurves(const QPainterPath &path);

} // namespace OutlineShape

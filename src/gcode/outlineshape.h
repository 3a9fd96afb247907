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

// Replaces every cubic curve by straight lines no longer than 15 design units
// and no longer than a tenth of the curve. Moves and lines are kept.
QPainterPath flattenCurves(const QPainterPath &path);

} // namespace OutlineShape

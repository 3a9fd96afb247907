#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QVector>

#include <vector>

// One outline in the ordering stage: a path of moves and lines in design
// units, what it is cut with, and the outlines it contains.
struct OutlineItem
{
    QPainterPath path;
    double power = 100;
    double speed = 100;
    double xBacklash = 0.1;
    double yBacklash = 0.1;
    std::vector<OutlineItem> children;
};

// The order in which outlines are cut: every outline after the outlines it
// contains, and each nesting level as a nearest-neighbour tour.
namespace OutlineOrdering {

// The points at 0 % and 100 % of the path's length.
QPointF startPoint(const QPainterPath &path);
QPointF endPoint(const QPainterPath &path);

// The same moves and lines walked backwards: move a, line b, line c, move d,
// line e becomes move e, line d, move c, line b, line a.
QPainterPath reversedPath(const QPainterPath &path);

// Moves every outline contained in another one into that one's children
// (recursively), then orders what is left by nearest neighbours. A path never
// contains itself, nor an exact copy of itself. Candidates are found through a
// grid of first points, so only pairs that can contain each other are tested,
// and exact copies of one outline are tested as one.
//
// Deep nesting still costs a test per nested pair, and a test compares every
// segment of one path with every segment of the other. With `budget`, each
// test subtracts the product of the two element counts; once it is spent, the
// outlines not yet sorted stay where they are (still ordered by nearest
// neighbours) instead of the job hanging.
QVector<OutlineItem> orderByContainment(QVector<OutlineItem> items, qint64 *budget = nullptr);

// Starts at the item whose start point wins the top-left scan, then takes the
// item whose nearer end is closest to the current point, reversing it when its
// end point is at least as near as its start. Distances are compared as whole
// numbers (fraction dropped), the first item in list order winning among equals.
QVector<OutlineItem> orderNearestNeighbour(QVector<OutlineItem> items);

// Post-order: each item's flattened children, then the item itself (without children).
QVector<OutlineItem> flattenTree(const QVector<OutlineItem> &items);

} // namespace OutlineOrdering
